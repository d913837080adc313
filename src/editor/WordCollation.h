// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCollator>
#include <QLocale>
#include <QString>

#include <vector>

// How the editor's sorts compare words: without regard to case, in the collating order of a
// locale (the user's unless told otherwise). The empty word comes before every other word.
class WordCollation {
public:
    explicit WordCollation(const QLocale& locale = QLocale());

    // Negative, zero or positive as a comes before, equals or comes after b.
    int compare(const QString& a, const QString& b) const;

    // One rank per word of words[0..count-1]: ranks order exactly as compare() orders the words,
    // equal words share a rank, the empty word has rank 0 and every other word a rank above it.
    // A quadratic sort then compares small integers instead of collating the same words again.
    std::vector<int> ranks(const QString* words, int count) const;

    // Whether ranks() orders by the collator's precomputed sort keys. Not in the C locale: there
    // Qt's keys are the plain UTF-8 bytes and ignore the case-insensitivity, so the collator's
    // own comparison is used instead.
    bool usesSortKeys() const { return useKeys_; }

private:
    QCollator collator_;
    bool useKeys_;
};
