// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

#include <array>

// The variables every window shares. main() owns one instance and Forms hands it to every
// window; windows read and write the fields directly.
struct ProgramState {
    static constexpr int Slots = 1001;     // slots 0..1000
    static constexpr int FileSlots = 1000; // a dictionary file holds slots 0..999

    std::array<QString, Slots> EstonianWords;
    std::array<QString, Slots> ForeignWords;
    qint16 WordCount = 0; // slot of the last pair, -1 for an empty list
    qint16 Changed = 0;   // 1: edited since the save prompt was last answered
    QString CurrentFile;  // set when the main window loads
    // What the save prompt goes on with: 0 nothing, 1 Open, 2 Exit, 3 Import.
    qint16 PendingAction = 0;
    qint16 Closing = 0; // 1: the prompt is up for the main window's close box
    // A file that held more pairs than the list takes; saving over it asks for a name first.
    QString PartlyLoadedFile;
    // The file the list was imported from: no file dialog ever comes up preset to it.
    QString ImportedFile;

    qint16 QuestionIndex = 0;
    qint16 AnsweredCount = 0;
    qint16 WrongCount = 0;
    std::array<qint16, Slots> AskedMarks{};
    qint16 ElapsedSeconds = 0;
    qint16 NoticeAcknowledged = 0; // True is -1, False 0
};

// The two values of a flag used as a Boolean.
inline constexpr qint16 True = -1;
inline constexpr qint16 False = 0;

inline constexpr auto ApplicationTitle = "Sonarix";
inline constexpr int VersionMajor = 1;
inline constexpr int VersionMinor = 3;
inline constexpr int VersionRevision = 9;

// "1.3.9"
QString versionText();

// The list counts as empty when its first Estonian word is empty.
bool isListEmpty(const ProgramState& state);

// Open and Exit ask before discarding a non-empty list with unsaved edits.
bool somethingToLose(const ProgramState& state);

// Working directory, native separator and "Untitled.dic", joined without any other processing.
QString untitledPath(const QString& workingDirectory);

// Compared afresh against the working directory each time.
bool isUntitled(const ProgramState& state, const QString& workingDirectory);

// Saving goes through Save As: the list has no file yet, or writing it back to the file it came
// from would drop the pairs that did not fit into the list.
bool needsFileName(const ProgramState& state, const QString& workingDirectory);

// Adds one to a 16-bit counter, stopping at its largest value instead of wrapping round.
void saturatingIncrement(qint16& counter);
