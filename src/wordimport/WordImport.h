// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <QStringView>

#include <array>
#include <optional>

struct ProgramState;

// Word lists from other programs: delimited text (spreadsheets, Anki's plain-text export) and
// KWordQuiz/Parley/KVocTrain .kvtml files, read into a table of columns from which the import
// window takes two; and the list written out as CSV for a spreadsheet.
namespace wordimport {

// Larger files are refused before they are read: a word list of 1000 pairs is far smaller.
inline constexpr qint64 MaxFileBytes = qint64(50) << 20;
// A longer line in delimited text is no word list either.
inline constexpr qsizetype MaxLineChars = qsizetype(1) << 20;
// A row keeps at most this many columns; the rest of a longer row is noted, not read.
inline constexpr int MaxColumns = 30;
// A longer word is no word: it is left out and named.
inline constexpr qsizetype MaxWordChars = 250;
// At most this many of the pairs left out are named in the notice, each cut to NamedChars.
inline constexpr int NamedLeftOut = 3;
inline constexpr qsizetype NamedChars = 40;

// Rows of cells in one buffer: a 10 MB file of two-letter rows is millions of cells, too many for
// a QString each. Positions are 32-bit, as no file read is over MaxFileBytes.
class Cells {
public:
    // Adds a cell to the row being built; endRow() closes it.
    void addCell(QStringView text);
    void endRow();
    void appendRow(const QStringList& cells);

    qsizetype rowCount() const { return rowStarts_.size(); }
    int cellCount(qsizetype row) const;
    // The cell's text; empty when the row has fewer cells.
    QStringView cell(qsizetype row, int column) const;

private:
    QString text_;
    QList<qint32> cellEnds_;  // where each cell's text ends in text_
    QList<qint32> rowStarts_; // each row's first cell in cellEnds_
    qint32 openRow_ = 0;      // the first cell of the row being built
};

// A file's rows as read, every column kept, and the reader's suggestion of which two columns
// are the pair.
struct Table {
    Cells rows;                 // a row may have fewer cells than there are columns
    QStringList columnNames;    // one per column: its heading, kvtml identifier, Anki role or ""
    int estonianColumn = 0;     // the suggested columns: a heading or locale naming Estonian,
    int foreignColumn = 1;      // past Anki's metadata columns
    bool headerGuessed = false; // the first row names the columns rather than a pair
    int rowsLeftOut = 0;        // rows the reader could not use at all, already left out
    QStringList readNotes;      // what the reader did on its own, short, for the count line:
                                // "rida 50: jutumärk jäi sulgemata", "2 rida loeti Windows-1257"
    int columnCount() const { return int(columnNames.size()); }
};

// A table, or the reason the file cannot be imported, as the user is shown it.
struct ReadResult {
    std::optional<Table> table;
    QString error;
};

// "Faili ei saanud importida: " and the reason.
QString failureText(const QString& reason);

// True when a heading, an identifier's name or a locale names Estonian: et, et_EE, est, eesti,
// "Eesti keel(es)", Estonian; case ignored.
bool namesEstonian(const QString& text);

// The text of a file and how it was read.
struct DecodedText {
    QString text;
    int linesReadOtherwise = 0; // lines of a mostly UTF-8 file read as a single-byte encoding
    QString encodingName;       // "UTF-8", "UTF-16", "Windows-1257", "Mac Roman"; with lines
                                // read otherwise, the encoding they were read in
};

// UTF-8 with or without a byte-order mark, UTF-16 with one; a mostly UTF-8 file line by line;
// otherwise Windows-1257, or Mac Roman where the bytes make sense only so. No value when it is
// no text at all (NUL bytes, control characters).
std::optional<DecodedText> decodeText(const QByteArray& bytes);

// Delimited text: tab, semicolon or comma, whichever the file uses (or its #separator: line),
// RFC 4180 quoting, # lines only in the block at the top, Anki's #html and #... column: lines.
ReadResult readDelimited(const QByteArray& bytes);

// A kvtml file, version 2 (every identifier a column) or version 1 (<o> and <t>).
ReadResult readKvtml(const QByteArray& bytes);

// True when a .txt is a delimited word list (two columns on most rows) rather than a
// dictionary the program saved under another name.
bool looksDelimited(const QByteArray& bytes);

// Reads the file at path by its extension (.kvtml or delimited text), refusing files over
// MaxFileBytes without reading them.
ReadResult readImportFile(const QString& path);

// True for the extensions readImportFile() takes (.csv, .tsv, .txt, .kvtml).
bool isImportFile(const QString& path);

// What the list takes from two columns of a table, under the list's rules.
struct Pairs {
    QList<std::array<QString, 2>> taken; // Estonian, foreign; at most 1000
    int beyondLimit = 0;                 // good pairs past the 1000th
    int leftOut = 0;          // a letter a dictionary file cannot hold, or a word over MaxWordChars
    QStringList firstLeftOut; // the first NamedLeftOut of those, as "word – word", cut short
    int incomplete = 0;       // rows without both words, and rows the reader left out
};

// Trims both words of every row (skipping the first when it is a header), normalises them to
// composed letters, and keeps the pairs a dictionary file can hold, up to 1000.
Pairs takePairs(const Table& table, bool firstRowIsHeader, int estonianColumn, int foreignColumn);

// The notice after an import that left something out; empty when all was taken.
QString notice(const Pairs& pairs);

// Replaces the list (slots 0..999 and WordCount) by the pairs.
void replaceList(ProgramState& state, const Pairs& pairs);

// The formats Export writes; each reads back through readDelimited() as the same list.
enum class ExportFormat { CommaUtf8, SemicolonExcel, TabText };

// The list as delimited text with a byte-order mark: a header row, then every pair up to the
// first empty Estonian word, each line ending in CR LF, a field quoted where it holds the
// separator, a quote, a line break or anything that would read back otherwise.
QByteArray exportList(const ProgramState& state, ExportFormat format);

} // namespace wordimport
