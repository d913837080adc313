// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

class QIODevice;

// Reads fields from a dictionary file with the list-input rules: a field ends at a comma or at
// the end of the line; blanks in front of it are skipped; a field that begins with a double
// quote is the text up to the next double quote, and whatever follows up to the comma or the
// line end is dropped. A line ends at CR LF, a lone CR or a lone LF.
//
// One addition, for words the plain layout cannot carry: inside a quoted field two double quotes
// in a row stand for one. Under the plain rules such a field would have been cut short at the
// first of them, so this changes nothing for fields that read back whole before.
//
// The device is read in blocks, so a file far longer than the 1000 pairs read costs nothing.
class ListInput {
public:
    enum class Status { Ok, PastEnd, ReadError, TooLarge };

    // Fields read from the start of the device may hold at most this many bytes together.
    static constexpr qint64 DefaultLimit = qint64(256) << 20;

    explicit ListInput(QIODevice& device, qint64 limit = DefaultLimit);

    // The end-of-file test; false as well when the device failed (see failed()).
    bool atEnd();
    bool failed() const { return error_; }
    // True when nothing but blanks, line ends and DOS end-of-file marks (0x1A) is left, all of
    // which a list would lose nothing by; reads on to the first other byte. False as well when
    // the device fails.
    bool onlyBlanksLeft();

    // Reads one field, decoded from Windows-1257. Reading at the end of the file is PastEnd.
    Status readField(QString& field);

private:
    int peek();
    void next() { ++pos_; }
    bool refill();
    void endField();
    void scanQuoted(QByteArray& raw);
    void scanPlain(QByteArray& raw);

    QIODevice& device_;
    const qint64 limit_;
    QByteArray buffer_;
    QByteArray raw_; // the field being read, kept to save allocations
    qsizetype pos_ = 0;
    qint64 taken_ = 0;
    bool end_ = false;
    bool error_ = false;
};
