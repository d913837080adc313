// SPDX-License-Identifier: GPL-3.0-or-later
#include "wordimport/Anki.h"

#include "wordimport/WordImport.h"

#include <QTextDocument>

#include <algorithm>
#include <array>

namespace wordimport {

namespace {

bool isAsciiLetter(QChar ch) {
    return (ch >= u'a' && ch <= u'z') || (ch >= u'A' && ch <= u'Z');
}

// A tag Anki's editor writes, at text[k] == '<'.
bool isTag(QStringView text, qsizetype k) {
    static constexpr std::array<QLatin1String, 23> names = {
        QLatin1String("a"),   QLatin1String("b"),     QLatin1String("br"),     QLatin1String("div"),
        QLatin1String("em"),  QLatin1String("font"),  QLatin1String("hr"),     QLatin1String("i"),
        QLatin1String("img"), QLatin1String("li"),    QLatin1String("ol"),     QLatin1String("p"),
        QLatin1String("s"),   QLatin1String("span"),  QLatin1String("strong"), QLatin1String("sub"),
        QLatin1String("sup"), QLatin1String("table"), QLatin1String("td"),     QLatin1String("tr"),
        QLatin1String("u"),   QLatin1String("ul"),    QLatin1String("code")};
    qsizetype start = k + 1;
    if (start < text.size() && text[start] == u'/')
        ++start;
    qsizetype end = start;
    while (end < text.size() && end - start < 8 && isAsciiLetter(text[end]))
        ++end;
    if (end == start || end >= text.size() ||
        !(text[end] == u'>' || text[end] == u'/' || text[end] == u' '))
        return false;
    const QStringView name = text.sliced(start, end - start);
    for (const QLatin1String known : names)
        if (name.compare(known, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

// An entity, at text[k] == '&': &name; or &#digits; or &#xhex;.
bool isEntity(QStringView text, qsizetype k) {
    qsizetype end = k + 1;
    const bool numeric = end < text.size() && text[end] == u'#';
    end += numeric;
    const qsizetype start = end;
    while (end < text.size() && end - start < 10 &&
           (isAsciiLetter(text[end]) || text[end].isDigit()))
        ++end;
    return end - start >= (numeric ? 1 : 2) && end < text.size() && text[end] == u';';
}

// Removes every "[sound:…]".
void dropSounds(QString& text) {
    static const QLatin1String sound("[sound:");
    for (qsizetype k; (k = text.indexOf(sound)) >= 0;) {
        const qsizetype end = text.indexOf(u']', k);
        if (end < 0)
            return;
        text.remove(k, end + 1 - k);
    }
}

QChar namedSeparator(QStringView name) {
    static const std::pair<QLatin1String, QChar> names[] = {
        {QLatin1String("tab"), u'\t'},  {QLatin1String("semicolon"), u';'},
        {QLatin1String("comma"), u','}, {QLatin1String("pipe"), u'|'},
        {QLatin1String("colon"), u':'}, {QLatin1String("space"), u' '}};
    for (const auto& [word, separator] : names)
        if (name.compare(word, Qt::CaseInsensitive) == 0 || name == QStringView(&separator, 1))
            return separator;
    return {};
}

// Reads one "#key:value" header line into block; false when the line is not one.
bool readHeaderLine(QStringView line, TopBlock& block) {
    const qsizetype colon = line.indexOf(u':');
    if (colon < 0)
        return false;
    const QString key = line.sliced(1, colon - 1).trimmed().toString().toLower();
    const QStringView value = line.sliced(colon + 1).trimmed();
    static const std::pair<QLatin1String, const char*> roles[] = {
        {QLatin1String("notetype column"), "märkmetüüp"},
        {QLatin1String("deck column"), "pakk"},
        {QLatin1String("guid column"), "GUID"},
        {QLatin1String("tags column"), "sildid"}};
    for (const auto& [role, name] : roles) {
        if (key == role) {
            const int column = value.toInt() - 1;
            if (column >= 0 && column < MaxColumns)
                block.roles[column] = QString::fromUtf8(name);
            return true;
        }
    }
    if (key == u"separator") {
        block.separator = namedSeparator(value);
    } else if (key == u"html") {
        block.html = value.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
    } else if (key == u"columns") {
        block.columns = value.toString();
    } else {
        return key == u"tags" || key == u"notetype" || key == u"deck";
    }
    return true;
}

} // namespace

TopBlock readTopBlock(const QString& text) {
    TopBlock block;
    qsizetype pos = 0;
    qsizetype line = 1;
    while (pos < text.size()) {
        qsizetype end = pos;
        while (end < text.size() && !isLineEnd(text[end]))
            ++end;
        const QStringView content = QStringView(text).sliced(pos, end - pos).trimmed();
        if (!content.isEmpty() && !content.startsWith(u'#'))
            break;
        if (!content.isEmpty() && readHeaderLine(content, block))
            block.fromAnki = true;
        else if (!content.isEmpty())
            block.comments.emplace_back(pos, line);
        if (end < text.size() && text[end] == u'\r' && end + 1 < text.size() &&
            text[end + 1] == u'\n')
            ++end;
        pos = std::min(end + 1, text.size());
        ++line;
    }
    block.bodyStart = pos;
    block.bodyLine = line;
    return block;
}

bool hasMarkup(QStringView text) {
    for (qsizetype k = 0; k < text.size(); ++k)
        if ((text[k] == u'<' && isTag(text, k)) || (text[k] == u'&' && isEntity(text, k)))
            return true;
    return false;
}

AnkiFields::AnkiFields() = default;
AnkiFields::~AnkiFields() = default;

QString AnkiFields::plain(const QString& field, bool html, bool media) {
    QString text = field;
    if (media && text.contains(u'['))
        dropSounds(text);
    if (!html || !hasMarkup(text))
        return text;
    if (!document_)
        document_ = std::make_unique<QTextDocument>();
    document_->setHtml(text);
    text = document_->toPlainText();
    // An image is an object character; blocks and <br> are line ends, which a word is not.
    text.remove(QChar::ObjectReplacementCharacter);
    for (QChar& ch : text)
        if (ch == u'\n' || ch == QChar::LineSeparator || ch == QChar::ParagraphSeparator ||
            ch == QChar::Nbsp)
            ch = u' ';
    return text.simplified();
}

} // namespace wordimport
