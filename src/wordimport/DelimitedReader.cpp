// SPDX-License-Identifier: GPL-3.0-or-later
// Delimited text as spreadsheets, Anki and Quizlet write it.
#include "wordimport/Anki.h"
#include "wordimport/WordImport.h"

#include <QSet>

#include <algorithm>
#include <vector>

namespace wordimport {

namespace {

// A quoted field may run over line ends, as a cell with a line break in it does, but only so
// far: a quote left open is otherwise read as a plain character, so that it cannot take the
// rest of the file into one word.
constexpr int QuotedLineEnds = 10;
constexpr qsizetype QuotedChars = 4000;
// Rows a note names by number before it only counts them.
constexpr int NamedRows = 3;

// Rows something happened to: "rida 50: jutumärk jäi sulgemata", "read 5, 9, 12 ja veel 4: …".
struct RowNote {
    QString what;
    QList<qsizetype> lines;
    qsizetype count = 0;

    void add(qsizetype line) {
        if (lines.size() < NamedRows)
            lines << line;
        ++count;
    }
    void addTo(QStringList& notes) const {
        if (count == 0)
            return;
        QStringList numbers;
        for (const qsizetype line : lines)
            numbers << QString::number(line);
        QString text = (count == 1 ? QStringLiteral("rida ") : QStringLiteral("read ")) +
                       numbers.join(QLatin1String(", "));
        if (count > lines.size())
            text += QStringLiteral(" ja veel %1").arg(count - lines.size());
        notes << text + QStringLiteral(": ") + what;
    }
};

// One record as read: its fields (views into the text where they can be) and what it held.
struct Record {
    std::vector<QString> fields;
    qsizetype line = 0; // the line it starts on, from 1
    bool quoteLeftOpen = false;
};

// Reads records by RFC 4180: a field that starts with a double quote (blanks before it allowed)
// runs to the next lone double quote, "" standing for one; what follows it up to the separator
// is kept. A quoted field runs over a line end only when it closes within QuotedLineEnds lines
// and QuotedChars characters, its closing quote followed by the separator or a line end; else
// its quote is a plain character. Blank lines are skipped.
class RecordReader {
public:
    RecordReader(const QString& text, QChar separator, qsizetype start, qsizetype line)
        : text_(text), separator_(separator), pos_(start), line_(line) {}

    bool next(Record& record) {
        record.fields.clear();
        record.quoteLeftOpen = false;
        skipBlankLines();
        if (pos_ >= text_.size())
            return false;
        record.line = line_;
        for (;;) {
            record.fields.push_back(field(record));
            if (pos_ >= text_.size())
                return true;
            if (isLineEnd(text_[pos_])) {
                skipLineEnd();
                return true;
            }
            ++pos_; // the separator
        }
    }

private:
    QString view(qsizetype from, qsizetype to) const {
        return QString::fromRawData(text_.constData() + from, to - from);
    }

    qsizetype plainEnd(qsizetype from) const {
        while (from < text_.size() && text_[from] != separator_ && !isLineEnd(text_[from]))
            ++from;
        return from;
    }

    QString field(Record& record) {
        const qsizetype start = pos_;
        qsizetype quote = pos_;
        while (quote < text_.size() && text_[quote] != separator_ &&
               (text_[quote] == u' ' || text_[quote] == u'\t'))
            ++quote;
        if (quote < text_.size() && text_[quote] == u'"') {
            if (std::optional<QString> quoted = closedField(quote))
                return *quoted;
            record.quoteLeftOpen = true;
        }
        pos_ = plainEnd(start);
        return view(start, pos_);
    }

    // The quoted field opening at text_[open], pos_ moved past it and what follows it; no value
    // when its quote is left open.
    std::optional<QString> closedField(qsizetype open) {
        int lineEnds = 0;
        bool doubled = false;
        qsizetype k = open + 1;
        for (; k < text_.size(); ++k) {
            const QChar c = text_[k];
            if (c == u'"') {
                if (k + 1 < text_.size() && text_[k + 1] == u'"') {
                    doubled = true;
                    ++k;
                    continue;
                }
                break;
            }
            if (c == u'\n' || (c == u'\r' && (k + 1 == text_.size() || text_[k + 1] != u'\n')))
                ++lineEnds;
            if (lineEnds > QuotedLineEnds || (lineEnds > 0 && k - open > QuotedChars))
                return std::nullopt;
        }
        if (k >= text_.size())
            return std::nullopt;
        const qsizetype after = plainEnd(k + 1);
        if (lineEnds > 0 && !QStringView(text_).sliced(k + 1, after - k - 1).trimmed().isEmpty())
            return std::nullopt;
        QString text = view(open + 1, k);
        if (doubled) {
            text = QString(text.constData(), text.size());
            text.replace(QLatin1String("\"\""), QLatin1String("\""));
        }
        if (after > k + 1)
            text += QStringView(text_).sliced(k + 1, after - k - 1);
        line_ += lineEnds;
        pos_ = after;
        return text;
    }

    void skipLineEnd() {
        if (text_[pos_] == u'\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == u'\n')
            ++pos_;
        ++pos_;
        ++line_;
    }

    // Lines of nothing but blanks (and a DOS end-of-file mark).
    void skipBlankLines() {
        while (pos_ < text_.size()) {
            qsizetype k = pos_;
            while (k < text_.size() &&
                   (text_[k] == u' ' || text_[k] == u'\t' || text_[k] == QChar(0x1A)))
                ++k;
            if (k < text_.size() && !isLineEnd(text_[k]))
                return;
            pos_ = k;
            if (pos_ < text_.size())
                skipLineEnd();
        }
    }

    const QString& text_;
    const QChar separator_;
    qsizetype pos_;
    qsizetype line_;
};

// The separator that splits the most of the first records in two or more; tab before semicolon
// before comma on a tie, as a comma inside a word is the likeliest.
QChar findSeparator(const QString& text, const TopBlock& block) {
    QChar best;
    int bestCount = 0;
    for (const QChar candidate : {QChar(u'\t'), QChar(u';'), QChar(u',')}) {
        RecordReader reader(text, candidate, block.bodyStart, block.bodyLine);
        Record record;
        int count = 0;
        for (int k = 0; k < 50 && reader.next(record); ++k)
            count += record.fields.size() >= 2 && !record.quoteLeftOpen;
        if (count > bestCount) {
            best = candidate;
            bestCount = count;
        }
    }
    return best;
}

// A comment at the top that the separator parts into two words is a pair: "#1;üks".
void takeDataFromComments(const QString& text, QChar separator, TopBlock& block) {
    for (const auto& [start, line] : block.comments) {
        RecordReader reader(text, separator, start, line);
        Record record;
        reader.next(record);
        if (record.fields.size() >= 2 && !record.fields[0].trimmed().isEmpty() &&
            !record.fields[1].trimmed().isEmpty()) {
            block.bodyStart = start;
            block.bodyLine = line;
            return;
        }
    }
}

bool hasLongLine(const QString& text) {
    qsizetype start = 0;
    for (qsizetype k = 0; k < text.size(); ++k) {
        if (isLineEnd(text[k]))
            start = k + 1;
        else if (k - start >= MaxLineChars)
            return true;
    }
    return false;
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

// A column of numbers only (a row number, a count) holds no words.
bool holdsNumbers(const Cells& rows, qsizetype firstRow, int column) {
    bool any = false;
    for (qsizetype row = firstRow; row < std::min<qsizetype>(rows.rowCount(), firstRow + 100);
         ++row) {
        const QStringView cell = rows.cell(row, column).trimmed();
        if (cell.isEmpty())
            continue;
        if (!std::all_of(cell.begin(), cell.end(),
                         [](QChar c) { return c.isDigit() || c == u'.'; }))
            return false;
        any = true;
    }
    return any;
}

// The columns suggested: a heading naming Estonian, else the first column that holds words,
// and the first other one; Anki's own columns and columns of numbers only are passed over.
void suggestColumns(Table& table, const TopBlock& block) {
    const int columns = table.columnCount();
    QList<int> words;
    QList<int> notAnki;
    for (int column = 0; column < columns; ++column) {
        if (block.roles.count(column))
            continue;
        notAnki << column;
        if (!holdsNumbers(table.rows, table.headerGuessed ? 1 : 0, column))
            words << column;
    }
    const QList<int>& from = words.size() >= 2 ? words : notAnki;
    if (from.size() < 2)
        return;
    const auto named = std::find_if(from.begin(), from.end(), [&table](int column) {
        return namesEstonian(table.columnNames[column]);
    });
    table.estonianColumn = named != from.end() ? *named : from[0];
    table.foreignColumn = from[0] == table.estonianColumn ? from[1] : from[0];
}

} // namespace

ReadResult readDelimited(const QByteArray& bytes) {
    if (bytes.isEmpty())
        return {std::nullopt, failureText(QStringLiteral("fail on tühi."))};
    const std::optional<DecodedText> decoded = decodeText(bytes);
    if (!decoded)
        return {std::nullopt, failureText(QStringLiteral("see ei ole tekstifail."))};
    const QString& text = decoded->text;
    if (hasLongLine(text))
        return {std::nullopt, failureText(QStringLiteral("failis on rida, mis on pikem kui %1 "
                                                         "MB.")
                                              .arg(MaxLineChars >> 20))};
    TopBlock block = readTopBlock(text);
    QChar separator = block.separator;
    if (separator.isNull())
        separator = findSeparator(text, block);
    if (separator.isNull())
        separator = u'\t';
    takeDataFromComments(text, separator, block);
    // Anki before 2.1.50 wrote no #html: line, but its tab-separated fields carry its markup. It
    // writes no byte-order mark either, while spreadsheets' Unicode text and this program's own
    // Export do: their words are kept as they stand.
    const bool marked = bytes.startsWith("\xEF\xBB\xBF") || bytes.startsWith("\xFF\xFE") ||
                        bytes.startsWith("\xFE\xFF");
    const bool ankiTabs = separator == u'\t' && !marked;
    const bool html =
        block.html.value_or(ankiTabs && hasMarkup(QStringView(text).sliced(block.bodyStart)));
    // Anki's references to its media files are no words; a spreadsheet's text is kept as it is.
    const bool media = html || block.fromAnki || ankiTabs;

    Table table;
    RowNote quotes{QStringLiteral("jutumärk jäi sulgemata"), {}, 0};
    RowNote wide{QStringLiteral("üle %1 veeru, ülejäänuid ei loetud").arg(MaxColumns), {}, 0};
    int continued = 0;
    // Quizlet writes a definition over two lines unquoted: in a file parted by tabs or
    // semicolons, a line without one goes on with the row before it.
    const bool continuing = separator == u'\t' || separator == u';';
    bool twoColumns = false;
    int columns = 0;
    AnkiFields anki;
    std::vector<QString> previous;
    const auto flush = [&] {
        if (previous.empty())
            return;
        for (const QString& cell : previous)
            table.rows.addCell(cell);
        table.rows.endRow();
    };
    RecordReader reader(text, separator, block.bodyStart, block.bodyLine);
    Record record;
    while (reader.next(record)) {
        std::vector<QString>& fields = record.fields;
        if (record.quoteLeftOpen)
            quotes.add(record.line);
        if (fields.size() > size_t(MaxColumns)) {
            wide.add(record.line);
            fields.resize(MaxColumns);
        }
        for (QString& field : fields)
            field = anki.plain(field, html, media);
        if (continuing && fields.size() == 1 && !previous.empty()) {
            previous.back() += u' ' + fields[0];
            ++continued;
            continue;
        }
        flush();
        twoColumns |= fields.size() >= 2;
        columns = std::max(columns, int(fields.size()));
        std::swap(previous, fields);
    }
    flush();
    if (table.rows.rowCount() == 0)
        return {std::nullopt, QStringLiteral("Selles failis pole ühtegi sõnapaari.")};
    if (!twoColumns)
        return {std::nullopt,
                failureText(QStringLiteral("failis on ainult üks veerg. Sõnapaari veerud "
                                           "peavad olema eraldatud tabeldusmärgi, semikooloni "
                                           "või komaga."))};

    if (decoded->linesReadOtherwise > 0)
        table.readNotes << QStringLiteral("%1 rida loeti %2 kodeeringus")
                               .arg(decoded->linesReadOtherwise)
                               .arg(decoded->encodingName);
    else if (decoded->encodingName == u"Mac Roman")
        table.readNotes << QStringLiteral("tekst loeti Mac Roman kodeeringus");
    quotes.addTo(table.readNotes);
    wide.addTo(table.readNotes);
    if (continued > 0)
        table.readNotes
            << QStringLiteral("%1 rida jätkas eelmise rea viimast välja").arg(continued);

    table.columnNames.resize(columns);
    for (int column = 0; column < table.rows.cellCount(0); ++column)
        table.headerGuessed |=
            headerWords().contains(table.rows.cell(0, column).trimmed().toString().toLower());
    const QStringList named = block.columns.split(separator);
    for (int column = 0; column < columns; ++column) {
        if (table.headerGuessed)
            table.columnNames[column] = table.rows.cell(0, column).trimmed().toString();
        else if (!block.columns.isEmpty())
            table.columnNames[column] = named.value(column).trimmed();
        if (block.roles.count(column))
            table.columnNames[column] = block.roles.at(column);
    }
    suggestColumns(table, block);
    return {std::move(table), {}};
}

} // namespace wordimport
