// SPDX-License-Identifier: GPL-3.0-or-later
// KWordQuiz and Parley vocabulary files: version 2 (identifiers and entries of translations) and
// version 1, as KVocTrain and KWordQuiz up to 0.8 wrote it (<e> of an <o> and <t>s).
#include "wordimport/WordImport.h"

#include <QStringDecoder>
#include <QXmlStreamReader>

namespace wordimport {

namespace {

// The table's columns by the key the file gives them (a version 2 identifier's id, or the
// position of a version 1 <o>/<t>), in the order they first appear; at most MaxColumns, which
// also keeps the look-up by key short.
struct Columns {
    QStringList keys;
    QStringList names;
    int estonian = -1;
    bool tooMany = false;

    // The key's column, or -1 past MaxColumns.
    int of(const QString& key) {
        const qsizetype at = keys.indexOf(key);
        if (at >= 0)
            return int(at);
        if (keys.size() >= MaxColumns) {
            tooMany = true;
            return -1;
        }
        keys << key;
        names << QString();
        return int(keys.size() - 1);
    }
    // The column's name is the first one given; a name or a locale naming Estonian makes it the
    // Estonian column.
    void name(int column, const QString& text) {
        if (names[column].isEmpty())
            names[column] = text.trimmed();
        if (estonian < 0 && namesEstonian(text))
            estonian = column;
    }
};

// An element's text, with any markup inside it read as text.
QString textOf(QXmlStreamReader& xml) {
    return xml.readElementText(QXmlStreamReader::IncludeChildElements);
}

void readIdentifiers(QXmlStreamReader& xml, Columns& columns) {
    while (xml.readNextStartElement()) {
        if (xml.name() != u"identifier") {
            xml.skipCurrentElement();
            continue;
        }
        const int column = columns.of(xml.attributes().value(QLatin1String("id")).toString());
        if (column < 0) {
            xml.skipCurrentElement();
            continue;
        }
        QString locale;
        while (xml.readNextStartElement()) {
            if (xml.name() == u"name")
                columns.name(column, textOf(xml));
            else if (xml.name() == u"locale")
                locale = textOf(xml);
            else
                xml.skipCurrentElement();
        }
        columns.name(column, locale); // a locale names the column only where no name does
    }
}

// Version 2: an entry's translations, each in the column of its identifier.
void readEntry(QXmlStreamReader& xml, Columns& columns, QStringList& cells) {
    while (xml.readNextStartElement()) {
        if (xml.name() != u"translation") {
            xml.skipCurrentElement();
            continue;
        }
        const int column = columns.of(xml.attributes().value(QLatin1String("id")).toString());
        if (column < 0) {
            xml.skipCurrentElement();
            continue;
        }
        cells.resize(qMax(cells.size(), qsizetype(column) + 1));
        while (xml.readNextStartElement()) {
            if (xml.name() == u"text")
                cells[column] = textOf(xml);
            else
                xml.skipCurrentElement();
        }
    }
}

// Version 1: the original, then its translations in order; a language code or name (l) may be
// on any of them, usually on the first entry's.
void readOldEntry(QXmlStreamReader& xml, Columns& columns, QStringList& cells) {
    int translations = 0;
    while (xml.readNextStartElement()) {
        if (xml.name() != u"o" && xml.name() != u"t") {
            xml.skipCurrentElement();
            continue;
        }
        const int column = columns.of(
            xml.name() == u"o" ? QStringLiteral("o") : QStringLiteral("t%1").arg(++translations));
        if (column < 0) {
            xml.skipCurrentElement();
            continue;
        }
        columns.name(column, xml.attributes().value(QLatin1String("l")).toString());
        cells.resize(qMax(cells.size(), qsizetype(column) + 1));
        cells[column] = textOf(xml);
    }
}

// KVocTrain wrote files in the system's own code page too ("8bit" on the root element), with no
// encoding in an XML declaration, which makes them UTF-8 to an XML reader: such text is read as
// other text of unknown encoding is.
bool namesNoEncodingAndIsNotUtf8(const QByteArray& bytes) {
    const qsizetype declarationEnd = bytes.startsWith("<?xml") ? bytes.indexOf("?>") : -1;
    if (declarationEnd >= 0 && bytes.left(declarationEnd).contains("encoding"))
        return false;
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(bytes);
    return utf8.hasError();
}

} // namespace

ReadResult readKvtml(const QByteArray& bytes) {
    // Handed over whole rather than through the device constructor, which reads in small
    // blocks: a quarter faster here.
    QXmlStreamReader xml;
    if (namesNoEncodingAndIsNotUtf8(bytes)) {
        const std::optional<DecodedText> decoded = decodeText(bytes);
        if (!decoded)
            return {std::nullopt, failureText(QStringLiteral("see ei ole tekstifail."))};
        xml.addData(decoded->text);
    } else {
        xml.addData(bytes);
    }
    const auto failed = [](const QString& reason) {
        return ReadResult{std::nullopt, failureText(reason)};
    };
    const auto notXml = [&] {
        return failed(
            QStringLiteral("see ei ole korrektne XML (viga real %1).").arg(xml.lineNumber()));
    };
    if (!xml.readNextStartElement())
        return bytes.trimmed().isEmpty() ? failed(QStringLiteral("fail on tühi.")) : notXml();
    if (xml.name() != u"kvtml")
        return failed(QStringLiteral("see ei ole KWordQuizi ega Parley sõnavarafail."));
    Table table;
    Columns columns;
    const auto addRow = [&](const QStringList& cells) {
        bool anyText = false;
        for (const QString& cell : cells)
            anyText = anyText || !cell.trimmed().isEmpty();
        if (anyText)
            table.rows.appendRow(cells);
        else
            ++table.rowsLeftOut;
    };
    while (xml.readNextStartElement()) {
        QStringList cells;
        if (xml.name() == u"identifiers") {
            readIdentifiers(xml, columns);
        } else if (xml.name() == u"entries") {
            while (xml.readNextStartElement()) {
                if (xml.name() == u"entry") {
                    readEntry(xml, columns, cells);
                    addRow(cells);
                    cells.clear();
                } else {
                    xml.skipCurrentElement();
                }
            }
        } else if (xml.name() == u"e") {
            readOldEntry(xml, columns, cells);
            addRow(cells);
        } else {
            xml.skipCurrentElement();
        }
    }
    if (xml.hasError())
        return notXml();
    if (table.rows.rowCount() == 0)
        return {std::nullopt, QStringLiteral("Selles failis pole ühtegi sõnapaari.")};
    if (columns.keys.size() < 2)
        return failed(QStringLiteral("failis on sõnad ainult ühes keeles."));
    if (columns.tooMany)
        table.readNotes << QStringLiteral("loeti ainult esimesed %1 keelt").arg(MaxColumns);
    table.columnNames = columns.names;
    table.estonianColumn = qMax(columns.estonian, 0);
    table.foreignColumn = table.estonianColumn == 0 ? 1 : 0;
    return {std::move(table), {}};
}

} // namespace wordimport
