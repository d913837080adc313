// SPDX-License-Identifier: GPL-3.0-or-later
#include "wordimport/WordImport.h"

#include "dictfile/Cp1257.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>
#include <array>

namespace wordimport {

QString failureText(const QString& reason) {
    return QStringLiteral("Faili ei saanud importida: ") + reason;
}

namespace {

std::optional<QString> strictDecode(QStringConverter::Encoding encoding, QByteArrayView bytes) {
    QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

// Text has no control characters but tab, line ends and form feed; a DOS end-of-file mark is
// let through too, as old editors leave one at the end.
bool looksLikeText(const QString& text) {
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        if (c < 0x20 && c != u'\t' && c != u'\n' && c != u'\r' && c != u'\f' && c != 0x1A)
            return false;
    }
    return true;
}

// Mac Roman's upper half, as Excel for Mac wrote CSV before 2016 (0xDB as the euro sign).
constexpr std::array<char16_t, 128> MacRoman = {
    0x00C4, 0x00C5, 0x00C7, 0x00C9, 0x00D1, 0x00D6, 0x00DC, 0x00E1, // 80
    0x00E0, 0x00E2, 0x00E4, 0x00E3, 0x00E5, 0x00E7, 0x00E9, 0x00E8, // 88
    0x00EA, 0x00EB, 0x00ED, 0x00EC, 0x00EE, 0x00EF, 0x00F1, 0x00F3, // 90
    0x00F2, 0x00F4, 0x00F6, 0x00F5, 0x00FA, 0x00F9, 0x00FB, 0x00FC, // 98
    0x2020, 0x00B0, 0x00A2, 0x00A3, 0x00A7, 0x2022, 0x00B6, 0x00DF, // A0
    0x00AE, 0x00A9, 0x2122, 0x00B4, 0x00A8, 0x2260, 0x00C6, 0x00D8, // A8
    0x221E, 0x00B1, 0x2264, 0x2265, 0x00A5, 0x00B5, 0x2202, 0x2211, // B0
    0x220F, 0x03C0, 0x222B, 0x00AA, 0x00BA, 0x03A9, 0x00E6, 0x00F8, // B8
    0x00BF, 0x00A1, 0x00AC, 0x221A, 0x0192, 0x2248, 0x2206, 0x00AB, // C0
    0x00BB, 0x2026, 0x00A0, 0x00C0, 0x00C3, 0x00D5, 0x0152, 0x0153, // C8
    0x2013, 0x2014, 0x201C, 0x201D, 0x2018, 0x2019, 0x00F7, 0x25CA, // D0
    0x00FF, 0x0178, 0x2044, 0x20AC, 0x2039, 0x203A, 0xFB01, 0xFB02, // D8
    0x2021, 0x00B7, 0x201A, 0x201E, 0x2030, 0x00C2, 0x00CA, 0x00C1, // E0
    0x00CB, 0x00C8, 0x00CD, 0x00CE, 0x00CF, 0x00CC, 0x00D3, 0x00D4, // E8
    0xF8FF, 0x00D2, 0x00DA, 0x00DB, 0x00D9, 0x0131, 0x02C6, 0x02DC, // F0
    0x00AF, 0x02D8, 0x02D9, 0x02DA, 0x00B8, 0x02DD, 0x02DB, 0x02C7, // F8
};

QString macRomanDecode(QByteArrayView bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char b : bytes) {
        const auto byte = static_cast<unsigned char>(b);
        *out++ = QChar(byte < 0x80 ? char16_t(byte) : MacRoman[byte - 0x80]);
    }
    return text;
}

// Windows-1257's upper half as the dictionary files read it.
const std::array<QChar, 128>& windowsHalf() {
    static const std::array<QChar, 128> half = [] {
        QByteArray bytes(128, 0);
        for (int k = 0; k < 128; ++k)
            bytes[k] = char(0x80 + k);
        const QString text = cp1257::decode(bytes);
        std::array<QChar, 128> chars;
        std::copy(text.begin(), text.end(), chars.begin());
        return chars;
    }();
    return half;
}

// Mac Roman only where Windows-1257 makes no sense of the bytes (a byte it leaves undefined,
// read as a C1 control) and Mac Roman reads more of them as letters: Excel for Mac wrote õ as
// 0x9B and ä, ö, ü as 0x8A, 0x9A, 0x9F, three of which Windows-1257 lacks.
bool isMacRoman(QByteArrayView bytes) {
    bool undefined = false;
    qsizetype windowsLetters = 0;
    qsizetype macLetters = 0;
    for (const char b : bytes) {
        const auto byte = static_cast<unsigned char>(b);
        if (byte < 0x80)
            continue;
        const QChar windows = windowsHalf()[byte - 0x80];
        undefined |= windows.unicode() <= 0x9F;
        windowsLetters += windows.isLetter();
        macLetters += QChar(MacRoman[byte - 0x80]).isLetter();
    }
    return undefined && macLetters > windowsLetters;
}

struct SingleByte {
    bool macRoman;
    QString name() const {
        return macRoman ? QStringLiteral("Mac Roman") : QStringLiteral("Windows-1257");
    }
    QString decode(QByteArrayView bytes) const {
        return macRoman ? macRomanDecode(bytes) : cp1257::decode(bytes.toByteArray());
    }
};

bool isAscii(QByteArrayView bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](char b) { return (b & 0x80) == 0; });
}

// Calls line() with the bytes up to each line end (CR, LF or both), the line end kept.
template <typename Line> void forEachLine(QByteArrayView bytes, Line line) {
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = start;
        while (end < bytes.size() && bytes[end] != '\n' && bytes[end] != '\r')
            ++end;
        if (end < bytes.size())
            end += bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n' ? 2 : 1;
        line(bytes.sliced(start, end - start));
        start = end;
    }
}

bool isUtf8(QByteArrayView line) {
    return isAscii(line) || strictDecode(QStringConverter::Utf8, line).has_value();
}

// A file that is not UTF-8 throughout though most of its lines with other letters than ASCII
// are (a line pasted in from elsewhere): those lines as UTF-8, the rest in a single-byte code
// page; no value when most are not.
std::optional<DecodedText> decodeMixed(QByteArrayView bytes) {
    qsizetype valid = 0;
    QByteArray otherwise;
    int otherLines = 0;
    forEachLine(bytes, [&](QByteArrayView line) {
        if (isAscii(line))
            return;
        if (isUtf8(line)) {
            ++valid;
        } else {
            ++otherLines;
            otherwise += line;
        }
    });
    if (valid <= otherLines)
        return std::nullopt;
    const SingleByte other{isMacRoman(otherwise)};
    DecodedText decoded{{}, otherLines, other.name()};
    decoded.text.reserve(bytes.size());
    forEachLine(bytes, [&](QByteArrayView line) {
        decoded.text += isUtf8(line) ? QString::fromUtf8(line) : other.decode(line);
    });
    return decoded;
}

} // namespace

std::optional<DecodedText> decodeText(const QByteArray& bytes) {
    std::optional<DecodedText> decoded;
    const auto strict = [&decoded](QStringConverter::Encoding encoding, QByteArrayView view,
                                   const QString& name) {
        if (std::optional<QString> text = strictDecode(encoding, view))
            decoded = DecodedText{std::move(*text), 0, name};
    };
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        strict(QStringConverter::Utf8, QByteArrayView(bytes).sliced(3), QStringLiteral("UTF-8"));
    } else if (bytes.startsWith("\xFF\xFE")) {
        strict(QStringConverter::Utf16LE, QByteArrayView(bytes).sliced(2),
               QStringLiteral("UTF-16"));
    } else if (bytes.startsWith("\xFE\xFF")) {
        strict(QStringConverter::Utf16BE, QByteArrayView(bytes).sliced(2),
               QStringLiteral("UTF-16"));
    } else {
        strict(QStringConverter::Utf8, bytes, QStringLiteral("UTF-8"));
        if (!decoded)
            decoded = decodeMixed(bytes);
        if (!decoded) {
            // Every byte is some letter in a single-byte code page.
            const SingleByte codePage{isMacRoman(bytes)};
            decoded = DecodedText{codePage.decode(bytes), 0, codePage.name()};
        }
    }
    if (!decoded || !looksLikeText(decoded->text))
        return std::nullopt;
    return decoded;
}

bool isImportFile(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("csv") || suffix == QLatin1String("tsv") ||
           suffix == QLatin1String("txt") || suffix == QLatin1String("kvtml");
}

ReadResult readImportFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {std::nullopt, failureText(QStringLiteral("faili ei saa avada."))};
    const auto tooLarge = [] {
        return ReadResult{
            std::nullopt,
            failureText(QStringLiteral("fail on suurem kui %1 MB.").arg(MaxFileBytes >> 20))};
    };
    // The size first, so a huge file costs nothing; then a read capped one byte past the limit,
    // for files whose size is not known beforehand (pipes, /proc).
    if (file.size() > MaxFileBytes)
        return tooLarge();
    const QByteArray bytes = file.read(MaxFileBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return {std::nullopt, failureText(QStringLiteral("faili lugemine ebaõnnestus."))};
    if (bytes.size() > MaxFileBytes)
        return tooLarge();
    if (bytes.isEmpty())
        return {std::nullopt, failureText(QStringLiteral("fail on tühi."))};
    if (QFileInfo(path).suffix().compare(QLatin1String("kvtml"), Qt::CaseInsensitive) == 0)
        return readKvtml(bytes);
    return readDelimited(bytes);
}

} // namespace wordimport

namespace wordimport {

bool looksDelimited(const QByteArray& bytes) {
    // The first lines tell, as a list is alike throughout: a dictionary's word lines hold no
    // tab and seldom a semicolon, while a comma is common in its words ("dog, hound"), so a
    // comma must part nearly every row.
    QByteArrayView head = QByteArrayView(bytes).first(std::min<qsizetype>(bytes.size(), 64 << 10));
    if (head.size() < bytes.size() && head.lastIndexOf('\n') > 0)
        head = head.first(head.lastIndexOf('\n'));
    const std::optional<DecodedText> decoded = decodeText(head.toByteArray());
    if (!decoded)
        return false;
    int rows = 0;
    int tabs = 0;
    int semicolons = 0;
    int commas = 0;
    bool top = true;
    QString text = decoded->text;
    text.replace(u'\r', u'\n');
    for (QStringView line : QStringView(text).tokenize(u'\n')) {
        line = line.trimmed();
        if (line.isEmpty() || (top && line.startsWith(u'#')))
            continue;
        top = false;
        ++rows;
        tabs += line.contains(u'\t');
        semicolons += line.contains(u';');
        commas += line.contains(u',');
    }
    return rows > 0 && (tabs * 2 > rows || semicolons * 2 > rows || commas * 5 >= rows * 4);
}

} // namespace wordimport
