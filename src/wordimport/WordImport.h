// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

struct ProgramState;

// Word lists from other programs: delimited text (spreadsheets, Anki's plain-text export) and
// KWordQuiz/Parley .kvtml files, read into two columns that the import window shows before they
// replace the list; and the list written out as CSV.
namespace wordimport {

// Larger files are refused before they are read: a word list of 1000 pairs is far smaller.
inline constexpr qint64 MaxFileBytes = qint64(10) << 20;
// A longer line in delimited text is no word list either.
inline constexpr qsizetype MaxLineChars = qsizetype(1) << 20;
// At most this many of the pairs left out are named in the notice.
inline constexpr int NamedLeftOut = 3;

// The first two columns of a file, row by row, as read.
struct Table {
    QList<std::array<QString, 2>> rows;
    int estonianColumn = 0;     // the column that looks Estonian: 0 unless the file says 1
    bool headerGuessed = false; // the first row names the columns rather than a pair
    int incompleteEntries = 0;  // .kvtml entries without both texts, left out already
};

// A table, or the reason the file cannot be imported, as the user is shown it.
struct ReadResult {
    std::optional<Table> table;
    QString error;
};

// "Faili ei saanud importida: " and the reason.
QString failureText(const QString& reason);

// The text of a file: UTF-8 with or without a byte-order mark, UTF-16 with one, otherwise
// Windows-1257. No value when it is no text at all (NUL bytes, control characters).
std::optional<QString> decodeText(const QByteArray& bytes);

// Delimited text: tab, semicolon or comma, whichever the file uses (or its #separator: line),
// RFC 4180 quoting, lines starting with # skipped.
ReadResult readDelimited(const QByteArray& bytes);

// A kvtml version 2 file: the texts of translations 0 and 1 of every entry.
ReadResult readKvtml(const QByteArray& bytes);

// Reads the file at path by its extension (.kvtml or delimited text), refusing files over
// MaxFileBytes without reading them.
ReadResult readImportFile(const QString& path);

// True for the extensions readImportFile() takes (.csv, .tsv, .txt, .kvtml).
bool isImportFile(const QString& path);

// What the list takes from a table, under the list's rules.
struct Pairs {
    QList<std::array<QString, 2>> taken; // Estonian, foreign; at most 1000
    int beyondLimit = 0;                 // good pairs past the 1000th
    int leftOut = 0;                     // an empty word, or a letter Windows-1257 lacks
    QStringList firstLeftOut;            // the first NamedLeftOut of those, as "word – word"
    int incompleteEntries = 0;
};

// Trims both words of every row (skipping the first when it is a header), puts the Estonian
// column first, and keeps the pairs a dictionary file can hold, up to 1000.
Pairs takePairs(const Table& table, bool firstRowIsHeader, bool swapColumns);

// The notice after an import that left something out; empty when all was taken.
QString notice(const Pairs& pairs);

// Replaces the list (slots 0..999 and WordCount) by the pairs.
void replaceList(ProgramState& state, const Pairs& pairs);

// The list as UTF-8 CSV: a header row, then every pair up to the first empty Estonian word,
// each line ending in CR LF, a field quoted where it holds a comma, a quote, a line break or
// anything that would read back otherwise.
QByteArray exportCsv(const ProgramState& state);

} // namespace wordimport
