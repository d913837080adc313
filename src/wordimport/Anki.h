// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QChar>
#include <QString>
#include <QStringView>

#include <map>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class QTextDocument;

// Anki's plain-text export: its header lines, and its fields as words (its HTML read by Qt's
// own HTML reader, its media references dropped).
namespace wordimport {

inline bool isLineEnd(QChar c) {
    return c == u'\r' || c == u'\n';
}

// Anki's plain-text export names its separator, whether the fields hold HTML and which columns
// are its own in # lines at the top; other # lines there are comments.
struct TopBlock {
    QChar separator; // null: not given
    std::optional<bool> html;
    std::map<int, QString> roles; // column → Anki's name for it, translated
    QString columns;              // #columns: the names, parted by the separator
    qsizetype bodyStart = 0;      // where the rows begin, and on which line
    qsizetype bodyLine = 1;
    std::vector<std::pair<qsizetype, qsizetype>> comments; // other # lines: start, line
    bool fromAnki = false;                                 // a header line was Anki's
};

// The # lines and blank lines at the top of text.
TopBlock readTopBlock(const QString& text);

// True when text carries markup as Anki writes it: a tag it uses (<br>, <div>, <b>, …) or an
// entity (&nbsp;, &amp;, &#39;). "a < b" carries none.
bool hasMarkup(QStringView text);

class AnkiFields {
public:
    AnkiFields();
    ~AnkiFields();
    // The field's text: with html, read as HTML where it carries markup (the reader is slow),
    // on one line and <img> dropped; with media, [sound:…] dropped.
    QString plain(const QString& field, bool html, bool media);

private:
    std::unique_ptr<QTextDocument> document_;
};

} // namespace wordimport
