// SPDX-License-Identifier: GPL-3.0-or-later
#include "dictfile/Cp1257.h"

#include <array>

namespace {

// Bytes 0x80..0xFF; bytes below 0x80 are ASCII.
constexpr std::array<char16_t, 128> HighHalf = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021, // 80
    0x0088, 0x2030, 0x008A, 0x2039, 0x008C, 0x00A8, 0x02C7, 0x00B8, // 88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90
    0x0098, 0x2122, 0x009A, 0x203A, 0x009C, 0x00AF, 0x02DB, 0x009F, // 98
    0x00A0, 0x00A1, 0x00A2, 0x00A3, 0x00A4, 0x00A5, 0x00A6, 0x00A7, // A0
    0x00D8, 0x00A9, 0x0156, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x00C6, // A8
    0x00B0, 0x00B1, 0x00B2, 0x00B3, 0x00B4, 0x00B5, 0x00B6, 0x00B7, // B0
    0x00F8, 0x00B9, 0x0157, 0x00BB, 0x00BC, 0x00BD, 0x00BE, 0x00E6, // B8
    0x0104, 0x012E, 0x0100, 0x0106, 0x00C4, 0x00C5, 0x0118, 0x0112, // C0
    0x010C, 0x00C9, 0x0179, 0x0116, 0x0122, 0x0136, 0x012A, 0x013B, // C8
    0x0160, 0x0143, 0x0145, 0x00D3, 0x014C, 0x00D5, 0x00D6, 0x00D7, // D0
    0x0172, 0x0141, 0x015A, 0x016A, 0x00DC, 0x017B, 0x017D, 0x00DF, // D8
    0x0105, 0x012F, 0x0101, 0x0107, 0x00E4, 0x00E5, 0x0119, 0x0113, // E0
    0x010D, 0x00E9, 0x017A, 0x0117, 0x0123, 0x0137, 0x012B, 0x013C, // E8
    0x0161, 0x0144, 0x0146, 0x00F3, 0x014D, 0x00F5, 0x00F6, 0x00F7, // F0
    0x0173, 0x0142, 0x015B, 0x016B, 0x00FC, 0x017C, 0x017E, 0x02D9, // F8
};

// Unicode to byte for the upper half, built once.
struct Reverse {
    std::array<unsigned char, 0x10000> bytes{};
    Reverse() {
        for (int i = 0; i < 128; ++i)
            bytes[HighHalf[i]] = static_cast<unsigned char>(0x80 + i);
    }
};

const Reverse& reverse() {
    static const Reverse table;
    return table;
}

} // namespace

namespace cp1257 {

QString decode(const QByteArray& bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        *out++ = b < 0x80 ? QChar(b) : QChar(HighHalf[b - 0x80]);
    }
    return text;
}

bool canEncode(QChar ch) {
    return ch.unicode() < 0x80 || reverse().bytes[ch.unicode()] != 0;
}

int byteFor(QChar ch) {
    const char16_t u = ch.unicode();
    if (u < 0x80)
        return u;
    const unsigned char b = reverse().bytes[u];
    return b != 0 ? b : -1;
}

qsizetype firstUnencodable(const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i)
        if (!canEncode(text[i]))
            return i;
    return -1;
}

QByteArray encode(const QString& text, bool* ok) {
    QByteArray bytes(text.size(), Qt::Uninitialized);
    char* out = bytes.data();
    const auto& table = reverse().bytes;
    for (const QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u < 0x80) {
            *out++ = static_cast<char>(u);
        } else if (table[u] != 0) {
            *out++ = static_cast<char>(table[u]);
        } else {
            if (ok)
                *ok = false;
            return {};
        }
    }
    if (ok)
        *ok = true;
    return bytes;
}

} // namespace cp1257
