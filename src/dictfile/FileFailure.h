// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Why a dictionary file could not be read or written: the program's error number and the text
// the user is shown.
struct FileFailure {
    int number = 0;
    QString message;
    // A save that failed after the file on disk was already changed: the file may now be cut
    // short, and the list exists whole only in memory.
    bool fileDamaged = false;
};

// The Open command's messages, by error number; path is the file the command was opening.
QString openErrorText(int number, const QString& path);

// A reading failure with the Open command's message for its number.
FileFailure openFailure(int number, const QString& path);

// Error numbers the program uses for file failures.
namespace FileError {
inline constexpr int OutOfMemory = 7;
inline constexpr int FileNotFound = 53;
inline constexpr int DeviceIO = 57;
inline constexpr int InputPastEnd = 62;
inline constexpr int DeviceUnavailable = 68;
inline constexpr int PermissionDenied = 70;
inline constexpr int PathFileAccess = 75;
inline constexpr int PathNotFound = 76;
inline constexpr int BadCharacter = 5;
} // namespace FileError
