// SPDX-License-Identifier: GPL-3.0-or-later
// Delimited text as spreadsheets and Anki write it.
#include "wordimport/WordImport.h"

#include <QSet>

#include <algorithm>

namespace wordimport {

namespace {

// Reads records by RFC 4180: a field that starts with a double quote (blanks before it allowed)
// runs to the next lone double quote, "" standing for one, line breaks included; what follows
// it up to the separator is kept. A line starting with # is a comment; blank lines are skipped.
class RecordReader {
public:
    RecordReader(const QString& text, QChar separator) : text_(text), separator_(separator) {}

    bool next(QStringList& fields) {
        fields.clear();
        skipCommentsAndBlankLines();
        if (pos_ >= text_.size())
            return false;
        QString field;
        for (;;) {
            if (pos_ >= text_.size()) {
                fields << field;
                return true;
            }
            const QChar c = text_[pos_];
            if (c == u'"' && field.trimmed().isEmpty()) {
                field.clear();
                readQuoted(field);
            } else if (c == separator_) {
                fields << field;
                field.clear();
                ++pos_;
            } else if (c == u'\r' || c == u'\n') {
                skipLineEnd();
                fields << field;
                return true;
            } else {
                field += c;
                ++pos_;
            }
        }
    }

private:
    void readQuoted(QString& field) {
        ++pos_;
        while (pos_ < text_.size()) {
            const qsizetype quote = text_.indexOf(u'"', pos_);
            if (quote < 0)
                break;
            field += QStringView(text_).sliced(pos_, quote - pos_);
            pos_ = quote + 1;
            if (pos_ < text_.size() && text_[pos_] == u'"') {
                field += u'"';
                ++pos_;
            } else {
                return;
            }
        }
        // No closing quote: the rest of the file is the field.
        field += QStringView(text_).sliced(pos_);
        pos_ = text_.size();
    }

    void skipLineEnd() {
        if (text_[pos_] == u'\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == u'\n')
            ++pos_;
        ++pos_;
    }

    void skipCommentsAndBlankLines() {
        while (pos_ < text_.size()) {
            const QChar c = text_[pos_];
            if (c == u'\r' || c == u'\n' || c == QChar(0x1A)) {
                ++pos_;
            } else if (c == u'#') {
                while (pos_ < text_.size() && text_[pos_] != u'\r' && text_[pos_] != u'\n')
                    ++pos_;
            } else {
                return;
            }
        }
    }

    const QString& text_;
    const QChar separator_;
    qsizetype pos_ = 0;
};

struct Directives {
    QChar separator; // null: not given
    bool html = false;
};

// Anki's plain-text export names its separator and whether the fields hold HTML in # lines at
// the top.
Directives readDirectives(const QString& text) {
    Directives found;
    for (const QStringView line : QStringView(text).tokenize(u'\n')) {
        const QStringView l = line.trimmed();
        if (!l.startsWith(u'#'))
            break;
        const auto value = [&l](QLatin1String key) {
            return l.startsWith(key, Qt::CaseInsensitive) ? l.sliced(key.size()).trimmed()
                                                          : QStringView();
        };
        const QStringView separator = value(QLatin1String("#separator:"));
        if (separator.compare(QLatin1String("tab"), Qt::CaseInsensitive) == 0 || separator == u"\t")
            found.separator = u'\t';
        else if (separator.compare(QLatin1String("semicolon"), Qt::CaseInsensitive) == 0 ||
                 separator == u";")
            found.separator = u';';
        else if (separator.compare(QLatin1String("comma"), Qt::CaseInsensitive) == 0 ||
                 separator == u",")
            found.separator = u',';
        found.html |=
            value(QLatin1String("#html:")).compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
    }
    return found;
}

// The separator that splits the most of the first records in two or more; tab before semicolon
// before comma on a tie, as a comma inside a word is the likeliest.
QChar findSeparator(const QString& text) {
    QChar best;
    int bestCount = 0;
    for (const QChar candidate : {QChar(u'\t'), QChar(u';'), QChar(u',')}) {
        RecordReader reader(text, candidate);
        QStringList fields;
        int count = 0;
        for (int k = 0; k < 50 && reader.next(fields); ++k)
            count += fields.size() >= 2;
        if (count > bestCount) {
            best = candidate;
            bestCount = count;
        }
    }
    return best;
}

bool hasLongLine(const QString& text) {
    qsizetype start = 0;
    for (qsizetype k = 0; k < text.size(); ++k) {
        if (text[k] == u'\n' || text[k] == u'\r')
            start = k + 1;
        else if (k - start >= MaxLineChars)
            return true;
    }
    return false;
}

// Anki's HTML fields as plain words: tags dropped (a line break as a blank), the common
// entities read.
QString plainText(const QString& html) {
    QString text;
    for (qsizetype k = 0; k < html.size(); ++k) {
        if (html[k] == u'<') {
            const qsizetype end = html.indexOf(u'>', k);
            if (end < 0)
                break;
            if (QStringView(html)
                    .sliced(k, end - k)
                    .startsWith(QLatin1String("<br"), Qt::CaseInsensitive))
                text += u' ';
            k = end;
        } else {
            text += html[k];
        }
    }
    static const std::pair<QLatin1String, QChar> entities[] = {
        {QLatin1String("&nbsp;"), QChar(u' ')}, {QLatin1String("&lt;"), QChar(u'<')},
        {QLatin1String("&gt;"), QChar(u'>')},   {QLatin1String("&quot;"), QChar(u'"')},
        {QLatin1String("&#39;"), QChar(u'\'')}, {QLatin1String("&amp;"), QChar(u'&')}};
    for (const auto& [entity, ch] : entities)
        text.replace(entity, QString(ch));
    return text;
}

// A first row that names the columns rather than holding a pair.
const QSet<QString>& headerWords() {
    static const QSet<QString> words = {
        QStringLiteral("eesti"),        QStringLiteral("eesti keel"),
        QStringLiteral("eesti keeles"), QStringLiteral("estonian"),
        QStringLiteral("võõrkeel"),     QStringLiteral("võõrkeeles"),
        QStringLiteral("foreign"),      QStringLiteral("front"),
        QStringLiteral("back"),         QStringLiteral("word"),
        QStringLiteral("words"),        QStringLiteral("sõna"),
        QStringLiteral("sõnad"),        QStringLiteral("tõlge"),
        QStringLiteral("translation"),  QStringLiteral("term"),
        QStringLiteral("definition"),   QStringLiteral("question"),
        QStringLiteral("answer"),       QStringLiteral("english"),
        QStringLiteral("inglise"),      QStringLiteral("inglise keel"),
        QStringLiteral("german"),       QStringLiteral("saksa"),
        QStringLiteral("saksa keel"),   QStringLiteral("russian"),
        QStringLiteral("vene"),         QStringLiteral("vene keel"),
        QStringLiteral("finnish"),      QStringLiteral("soome"),
        QStringLiteral("soome keel"),   QStringLiteral("french"),
        QStringLiteral("prantsuse"),    QStringLiteral("swedish"),
        QStringLiteral("rootsi"),       QStringLiteral("spanish"),
        QStringLiteral("hispaania"),    QStringLiteral("latvian"),
        QStringLiteral("läti"),         QStringLiteral("lithuanian"),
        QStringLiteral("leedu"),        QStringLiteral("italian"),
        QStringLiteral("itaalia")};
    return words;
}

} // namespace

ReadResult readDelimited(const QByteArray& bytes) {
    if (bytes.isEmpty())
        return {std::nullopt, failureText(QStringLiteral("fail on tühi."))};
    const std::optional<DecodedText> decoded = decodeText(bytes);
    if (!decoded)
        return {std::nullopt, failureText(QStringLiteral("see ei ole tekstifail."))};
    const QString* text = &decoded->text;
    if (hasLongLine(*text))
        return {std::nullopt, failureText(QStringLiteral("failis on rida, mis on pikem kui %1 "
                                                         "MB.")
                                              .arg(MaxLineChars >> 20))};
    const Directives directives = readDirectives(*text);
    const QChar separator =
        directives.separator.isNull() ? findSeparator(*text) : directives.separator;

    Table table;
    RecordReader reader(*text, separator.isNull() ? QChar(u'\t') : separator);
    QStringList fields;
    bool twoColumns = false;
    qsizetype columns = 0;
    while (reader.next(fields)) {
        twoColumns |= fields.size() >= 2;
        if (directives.html)
            for (QString& field : fields)
                field = plainText(field);
        if (fields.size() > MaxColumns)
            fields.resize(MaxColumns);
        columns = std::max(columns, fields.size());
        table.rows.appendRow(fields);
    }
    if (table.rows.rowCount() == 0)
        return {std::nullopt, QStringLiteral("Selles failis pole ühtegi sõnapaari.")};
    if (!twoColumns)
        return {std::nullopt,
                failureText(QStringLiteral("failis on ainult üks veerg. Sõnapaari veerud "
                                           "peavad olema eraldatud tabeldusmärgi, semikooloni "
                                           "või komaga."))};
    QStringList first;
    for (int column = 0; column < table.rows.cellCount(0); ++column)
        first << table.rows.cell(0, column).toString();
    table.headerGuessed = std::any_of(first.begin(), first.end(), [](const QString& cell) {
        return headerWords().contains(cell.trimmed().toLower());
    });
    table.columnNames.resize(columns);
    if (table.headerGuessed && namesEstonian(first.value(1)) && !namesEstonian(first.value(0))) {
        table.estonianColumn = 1;
        table.foreignColumn = 0;
    }
    return {std::move(table), {}};
}

} // namespace wordimport
