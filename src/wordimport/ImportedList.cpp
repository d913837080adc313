// SPDX-License-Identifier: GPL-3.0-or-later
// The list's rules over an imported table, and the list written out as CSV.
#include "wordimport/WordImport.h"

#include "dictfile/Cp1257.h"
#include "state/ProgramState.h"

namespace wordimport {

namespace {

// A word as the list keeps it: on one line, without blanks at either end.
QString cleaned(const QString& cell) {
    QString word = cell;
    word.replace(QLatin1String("\r\n"), QLatin1String(" "));
    word.replace(u'\r', u' ');
    word.replace(u'\n', u' ');
    return word.trimmed();
}

bool fitsTheList(const QString& word) {
    return !word.isEmpty() && cp1257::firstUnencodable(word) < 0;
}

QByteArray csvField(const QString& word) {
    // Quoted where a reader would split, join or skip it otherwise: separators of any kind,
    // quotes, line breaks, a leading # (a comment line) or control character (an end-of-file mark)
    // and blanks at either end.
    const bool quoted =
        !word.isEmpty() && (word.contains(u',') || word.contains(u';') || word.contains(u'\t') ||
                            word.contains(u'"') || word.contains(u'\r') || word.contains(u'\n') ||
                            word.front() == u'#' || word.front() < u' ' || word.front().isSpace() ||
                            word.back().isSpace());
    if (!quoted)
        return word.toUtf8();
    QString text = word;
    text.replace(QLatin1String("\""), QLatin1String("\"\""));
    return '"' + text.toUtf8() + '"';
}

} // namespace

Pairs takePairs(const Table& table, bool firstRowIsHeader, bool swapColumns) {
    Pairs pairs;
    pairs.incompleteEntries = table.incompleteEntries;
    const int estonian = swapColumns ? 1 : 0;
    for (qsizetype k = firstRowIsHeader ? 1 : 0; k < table.rows.size(); ++k) {
        const std::array<QString, 2> pair = {cleaned(table.rows[k][estonian]),
                                             cleaned(table.rows[k][1 - estonian])};
        if (!fitsTheList(pair[0]) || !fitsTheList(pair[1])) {
            if (pairs.firstLeftOut.size() < NamedLeftOut)
                pairs.firstLeftOut << QStringLiteral("\"%1\" – \"%2\"").arg(pair[0], pair[1]);
            ++pairs.leftOut;
        } else if (pairs.taken.size() < ProgramState::FileSlots) {
            pairs.taken.append(pair);
        } else {
            ++pairs.beyondLimit;
        }
    }
    return pairs;
}

QString notice(const Pairs& pairs) {
    if (pairs.leftOut == 0 && pairs.beyondLimit == 0 && pairs.incompleteEntries == 0)
        return {};
    QString text = QStringLiteral("Imporditi %1 sõnapaari.").arg(pairs.taken.size());
    if (pairs.leftOut > 0)
        text +=
            QStringLiteral(" Välja jäi %1 (tühi sõna või märk, mida sõnastikufail "
                           "(Windows-1257) ei mahuta): %2%3.")
                .arg(pairs.leftOut)
                .arg(pairs.firstLeftOut.join(QLatin1String("; ")),
                     pairs.leftOut > pairs.firstLeftOut.size() ? QStringLiteral(" …") : QString());
    if (pairs.incompleteEntries > 0)
        text += QStringLiteral(" Välja jäi %1 kirjet, milles polnud mõlemat sõna.")
                    .arg(pairs.incompleteEntries);
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

QByteArray exportCsv(const ProgramState& state) {
    QByteArray out = QStringLiteral("\"eesti\",\"võõrkeel\"\r\n").toUtf8();
    for (int k = 0; k < ProgramState::FileSlots && !state.EstonianWords[k].isEmpty(); ++k)
        out += csvField(state.EstonianWords[k]) + ',' + csvField(state.ForeignWords[k]) + "\r\n";
    return out;
}

} // namespace wordimport
