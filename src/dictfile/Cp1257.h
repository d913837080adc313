// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// Windows-1257, the Baltic code page of the dictionary files, by a fixed table so it works
// wherever the program is built. Every byte reads as some character and writes back as the
// same byte: the twelve bytes the code page leaves undefined read as the Unicode character of
// the same number (0x81 as U+0081, 0xA1 as U+00A1) and are written back unchanged.
namespace cp1257 {

QString decode(const QByteArray& bytes);

// True when the code page holds the character.
bool canEncode(QChar ch);

// The first character of text the code page cannot hold, or -1 when there is none.
qsizetype firstUnencodable(const QString& text);

// The byte for one character, or -1 when the code page lacks it.
int byteFor(QChar ch);

// Converts text that canEncode() accepts throughout; *ok is false (and the result empty)
// otherwise, so no character is ever replaced silently.
QByteArray encode(const QString& text, bool* ok);

} // namespace cp1257
