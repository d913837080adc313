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

// Clears the system's error code before a step of a save, so that a step Qt refuses on its own
// is told from one the system refused.
void clearSystemError();

// Why the step that just failed failed, in the user's words, from the system's error code
// (errno, or GetLastError() on Windows): no room on the disk, a file too large for it, no
// permission; otherwise qtText, Qt's text for the failure.
QString saveCause(const QString& qtText);

// The text saveCause() gives for no permission.
QString noPermissionText();

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
