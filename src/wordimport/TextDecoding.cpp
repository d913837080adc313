// SPDX-License-Identifier: GPL-3.0-or-later
#include "wordimport/WordImport.h"

#include "dictfile/Cp1257.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

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

} // namespace

std::optional<DecodedText> decodeText(const QByteArray& bytes) {
    std::optional<QString> text;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        text = strictDecode(QStringConverter::Utf8, QByteArrayView(bytes).sliced(3));
    else if (bytes.startsWith("\xFF\xFE"))
        text = strictDecode(QStringConverter::Utf16LE, QByteArrayView(bytes).sliced(2));
    else if (bytes.startsWith("\xFE\xFF"))
        text = strictDecode(QStringConverter::Utf16BE, QByteArrayView(bytes).sliced(2));
    else if (!(text = strictDecode(QStringConverter::Utf8, bytes)))
        text = cp1257::decode(bytes); // every byte is some letter there
    if (!text || !looksLikeText(*text))
        return std::nullopt;
    return DecodedText{*text, 0, {}};
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
    const ReadResult read = readDelimited(bytes);
    if (!read.table)
        return false;
    qsizetype twoColumns = 0;
    for (qsizetype row = 0; row < read.table->rows.rowCount(); ++row)
        twoColumns += read.table->rows.cellCount(row) >= 2;
    return twoColumns * 2 > read.table->rows.rowCount();
}

} // namespace wordimport
