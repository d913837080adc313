// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dictfile/FileFailure.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

class QIODevice;
struct ProgramState;

// Dictionary files: two lines per pair (Estonian word, foreign word), each ending in CR LF, in
// Windows-1257, every "-" stored as "}", at most 1000 pairs.

// Reads the file at path into the list: empties slots 0..999, runs afterEmptying (the Open
// command sets its title there), then reads pairs until the end of the file or 1000 pairs.
// *leftOver (if given) tells whether the list holds only part of the file: more pairs follow
// the first 1000 (blank lines and an end-of-file mark do not count), or reading failed part-way
// with more of the file unread. A failure to open the file comes back before the list is
// touched. After a failure part-way the pairs read so far stay, and WordCount names the last of
// them, so nothing reads past them.
std::optional<FileFailure> readDictionary(ProgramState& state, const QString& path,
                                          const std::function<void()>& afterEmptying = {},
                                          bool* leftOver = nullptr);

// The same over an open device; path only goes into the messages.
std::optional<FileFailure> readDictionary(ProgramState& state, QIODevice& device,
                                          const QString& path,
                                          const std::function<void()>& afterEmptying = {},
                                          bool* leftOver = nullptr);

// The bytes the writer stores for the list, from slot 0 up to the first empty Estonian word and
// at most 1000 pairs. A word the plain layout cannot carry (a comma, a blank at either end, a
// double quote in front, a line break) is written in double quotes, with every double quote in
// it doubled, so it reads back unchanged; every other word is written as it is.
struct EncodedList {
    QByteArray bytes;
    int pairs = 0;
    std::optional<FileFailure> failure; // a character Windows-1257 cannot hold
};
EncodedList encodeDictionary(const ProgramState& state);

// How one word is stored; *ok is false when it holds a character the code page lacks.
QByteArray encodeField(const QString& word, bool* ok);

// Writes bytes to path through a temporary file that replaces the old one only once it is
// complete and on the disk, so a failed save leaves the old file whole. Only in a folder where
// no new file may be made is a writable file written in place; a failure there may cut it short,
// which the failure's fileDamaged tells. Every step (open, write, flush, sync, close, rename) is
// checked, and the saved file's size after them: nothing less counts as saved.
std::optional<FileFailure> saveFileBytes(const QString& path, const QByteArray& bytes);

// Writes the list to path with saveFileBytes(). Afterwards every "}" in the saved words reads
// "-" in memory too, as it will after the next Open. Nothing in memory changes on failure.
std::optional<FileFailure> writeDictionary(ProgramState& state, const QString& path);
