// SPDX-License-Identifier: GPL-3.0-or-later
// The list's rules over an imported table, and the list written out for a spreadsheet.
#include "wordimport/WordImport.h"

#include "dictfile/Cp1257.h"
#include "state/ProgramState.h"

namespace wordimport {

void Cells::addCell(QStringView text) {
    text_ += text;
    cellEnds_.append(qint32(text_.size()));
}

void Cells::endRow() {
    rowStarts_.append(openRow_);
    openRow_ = qint32(cellEnds_.size());
}

void Cells::appendRow(const QStringList& cells) {
    for (const QString& cell : cells)
        addCell(cell);
    endRow();
}

int Cells::cellCount(qsizetype row) const {
    const qint32 end = row + 1 < rowStarts_.size() ? rowStarts_[row + 1] : openRow_;
    return end - rowStarts_[row];
}

QStringView Cells::cell(qsizetype row, int column) const {
    if (column < 0 || column >= cellCount(row))
        return {};
    const qint32 index = rowStarts_[row] + column;
    const qint32 start = index == 0 ? 0 : cellEnds_[index - 1];
    return QStringView(text_).sliced(start, cellEnds_[index] - start);
}

namespace {

// A word as the list keeps it: on one line, without blanks at either end, letters composed
// (some macOS tools write õ as o and a combining tilde, which the code page lacks). Most cells
// need none of it: they are taken as they stand, without a copy, so that a file of
// millions of rows is weighed quickly each time the columns change.
QString cleaned(QStringView cell) {
    const QStringView trimmed = cell.trimmed();
    bool plain = true;
    for (const QChar ch : trimmed)
        plain &= ch != u'\r' && ch != u'\n' && ch.unicode() < 0x300;
    if (plain)
        return QString::fromRawData(trimmed.data(), trimmed.size());
    QString word = trimmed.toString();
    word.replace(QLatin1String("\r\n"), QLatin1String(" "));
    word.replace(u'\r', u' ');
    word.replace(u'\n', u' ');
    return word.trimmed().normalized(QString::NormalizationForm_C);
}

// What a dictionary file holds unchanged: no C1 control characters (a file in another code page
// read as Windows-1257), and no "}", which the file reads back as "-".
bool fileHolds(const QString& word) {
    if (word.size() > MaxWordChars || cp1257::firstUnencodable(word) >= 0)
        return false;
    for (const QChar ch : word)
        if ((ch.unicode() >= 0x80 && ch.unicode() <= 0x9F) || ch == u'}')
            return false;
    return true;
}

QString shortened(const QString& word) {
    return word.size() <= NamedChars ? word : word.left(NamedChars - 1) + u'…';
}

} // namespace

bool namesEstonian(const QString& text) {
    const QString t = text.trimmed().toLower();
    return t == u"et" || t.startsWith(u"et_") || t.startsWith(u"et-") || t == u"est" ||
           t == u"eesti" || t.startsWith(u"eesti ") || t == u"estonian";
}

Pairs takePairs(const Table& table, bool firstRowIsHeader, int estonianColumn, int foreignColumn) {
    Pairs pairs;
    pairs.incomplete = table.rowsLeftOut;
    for (qsizetype k = firstRowIsHeader ? 1 : 0; k < table.rows.rowCount(); ++k) {
        std::array<QString, 2> pair = {cleaned(table.rows.cell(k, estonianColumn)),
                                       cleaned(table.rows.cell(k, foreignColumn))};
        if (pair[0].isEmpty() || pair[1].isEmpty()) {
            ++pairs.incomplete;
        } else if (!fileHolds(pair[0]) || !fileHolds(pair[1])) {
            if (pairs.firstLeftOut.size() < NamedLeftOut)
                pairs.firstLeftOut << QStringLiteral("\"%1\" – \"%2\"")
                                          .arg(shortened(pair[0]), shortened(pair[1]));
            ++pairs.leftOut;
        } else if (pairs.taken.size() < ProgramState::FileSlots) {
            // A word of its own, not a view into the table, which may go away.
            for (QString& word : pair)
                word = QString(word.constData(), word.size());
            pairs.taken.append(pair);
        } else {
            ++pairs.beyondLimit;
        }
    }
    return pairs;
}

QString notice(const Pairs& pairs) {
    if (pairs.leftOut == 0 && pairs.beyondLimit == 0 && pairs.incomplete == 0)
        return {};
    QString text = QStringLiteral("Imporditi %1 sõnapaari.").arg(pairs.taken.size());
    if (pairs.leftOut > 0)
        text +=
            QStringLiteral(" Välja jäi %1 (märk, mida sõnastikufail (Windows-1257) ei "
                           "mahuta, või liiga pikk sõna): %2%3.")
                .arg(pairs.leftOut)
                .arg(pairs.firstLeftOut.join(QLatin1String("; ")),
                     pairs.leftOut > pairs.firstLeftOut.size() ? QStringLiteral(" …") : QString());
    if (pairs.incomplete > 0)
        text +=
            QStringLiteral(" Välja jäi %1 rida, milles polnud mõlemat sõna.").arg(pairs.incomplete);
    if (pairs.beyondLimit > 0)
        text += QStringLiteral(" Sõnastikku mahub %1 sõnapaari, ülejäänud %2 jäid välja.")
                    .arg(ProgramState::FileSlots)
                    .arg(pairs.beyondLimit);
    return text;
}

void replaceList(ProgramState& state, const Pairs& pairs) {
    for (int k = 0; k < ProgramState::FileSlots; ++k) {
        const bool filled = k < pairs.taken.size();
        state.EstonianWords[k] = filled ? pairs.taken[k][0] : QString();
        state.ForeignWords[k] = filled ? pairs.taken[k][1] : QString();
    }
    state.WordCount = qint16(pairs.taken.size() - 1);
}

namespace {

QByteArray field(const QString& word, QChar separator) {
    // Quoted where a reader would split, join or skip it otherwise: separators of any kind,
    // quotes, line breaks, a leading # (a comment line at the top) or control character (an
    // end-of-file mark) and blanks at either end.
    const bool quoted =
        !word.isEmpty() && (word.contains(separator) || word.contains(u',') ||
                            word.contains(u';') || word.contains(u'\t') || word.contains(u'"') ||
                            word.contains(u'\r') || word.contains(u'\n') || word.front() == u'#' ||
                            word.front() < u' ' || word.front().isSpace() || word.back().isSpace());
    if (!quoted)
        return word.toUtf8();
    QString text = word;
    text.replace(QLatin1String("\""), QLatin1String("\"\""));
    return '"' + text.toUtf8() + '"';
}

} // namespace

QByteArray exportList(const ProgramState& state, ExportFormat format) {
    // A byte-order mark, so that Excel on Windows reads õ, ä, ö, ü as UTF-8 and not in the
    // ANSI code page; Excel under Estonian settings splits on semicolons, LibreOffice asks.
    const QChar separator = format == ExportFormat::CommaUtf8        ? QChar(u',')
                            : format == ExportFormat::SemicolonExcel ? QChar(u';')
                                                                     : QChar(u'\t');
    const QByteArray sep = QString(separator).toUtf8();
    QByteArray out = "\xEF\xBB\xBF" + field(QStringLiteral("eesti"), separator) + sep +
                     field(QStringLiteral("võõrkeel"), separator) + "\r\n";
    for (int k = 0; k < ProgramState::FileSlots && !state.EstonianWords[k].isEmpty(); ++k)
        out += field(state.EstonianWords[k], separator) + sep +
               field(state.ForeignWords[k], separator) + "\r\n";
    return out;
}

} // namespace wordimport
