// SPDX-License-Identifier: GPL-3.0-or-later
// KWordQuiz and Parley vocabulary files, version 2.
#include "wordimport/WordImport.h"

#include <QXmlStreamReader>

namespace wordimport {

namespace {

bool isEstonian(QStringView locale) {
    return locale == u"et" || locale.startsWith(u"et_") || locale.startsWith(u"et-");
}

// The id of the identifier whose locale is Estonian, or an empty string.
QString estonianIdentifier(QXmlStreamReader& xml) {
    QString found;
    while (xml.readNextStartElement()) {
        if (xml.name() != u"identifier") {
            xml.skipCurrentElement();
            continue;
        }
        const QString id = xml.attributes().value(QLatin1String("id")).toString();
        while (xml.readNextStartElement()) {
            if (xml.name() != u"locale")
                xml.skipCurrentElement();
            else if (isEstonian(xml.readElementText().trimmed()))
                found = id;
        }
    }
    return found;
}

// One entry's texts of translations 0 and 1; a text that is not there stays null.
std::array<QString, 2> entryTexts(QXmlStreamReader& xml) {
    std::array<QString, 2> texts;
    while (xml.readNextStartElement()) {
        const QString id = xml.attributes().value(QLatin1String("id")).toString();
        if (xml.name() != u"translation" || (id != u"0" && id != u"1")) {
            xml.skipCurrentElement();
            continue;
        }
        QString& text = texts[id == u"1"];
        while (xml.readNextStartElement()) {
            if (xml.name() == u"text")
                text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            else
                xml.skipCurrentElement();
        }
    }
    return texts;
}

} // namespace

ReadResult readKvtml(const QByteArray& bytes) {
    // Handed over whole rather than through the device constructor, which reads in small
    // blocks: a quarter faster here.
    QXmlStreamReader xml;
    xml.addData(bytes);
    const auto failed = [](const QString& reason) {
        return ReadResult{std::nullopt, failureText(reason)};
    };
    if (!xml.readNextStartElement()) {
        return failed(
            bytes.trimmed().isEmpty()
                ? QStringLiteral("fail on tühi.")
                : QStringLiteral("see ei ole korrektne XML (viga real %1).").arg(xml.lineNumber()));
    }
    if (xml.name() != u"kvtml")
        return failed(QStringLiteral("see ei ole KWordQuizi ega Parley sõnavarafail."));
    const QString version = xml.attributes().value(QLatin1String("version")).toString();
    if (!version.startsWith(u'2'))
        return failed(
            QStringLiteral("loetakse ainult kvtml versiooni 2 faile, selle faili versioon on %1.")
                .arg(version.isEmpty() ? QStringLiteral("1") : version));

    Table table;
    QString estonianId;
    while (xml.readNextStartElement()) {
        if (xml.name() == u"identifiers") {
            estonianId = estonianIdentifier(xml);
        } else if (xml.name() == u"entries") {
            while (xml.readNextStartElement()) {
                if (xml.name() != u"entry") {
                    xml.skipCurrentElement();
                    continue;
                }
                const std::array<QString, 2> texts = entryTexts(xml);
                if (texts[0].trimmed().isEmpty() || texts[1].trimmed().isEmpty())
                    ++table.rowsLeftOut;
                else
                    table.rows.appendRow({texts[0], texts[1]});
            }
        } else {
            xml.skipCurrentElement();
        }
    }
    if (xml.hasError())
        return failed(
            QStringLiteral("see ei ole korrektne XML (viga real %1).").arg(xml.lineNumber()));
    if (table.rows.rowCount() == 0)
        return {std::nullopt, QStringLiteral("Selles failis pole ühtegi sõnapaari.")};
    table.columnNames = {QString(), QString()};
    table.estonianColumn = estonianId == u"1" ? 1 : 0;
    table.foreignColumn = 1 - table.estonianColumn;
    return {std::move(table), {}};
}

} // namespace wordimport
