// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/WordCollation.h"

#include <algorithm>
#include <numeric>
#include <optional>

WordCollation::WordCollation(const QLocale& locale)
    : collator_(locale), useKeys_(locale.language() != QLocale::C) {
    collator_.setCaseSensitivity(Qt::CaseInsensitive);
}

int WordCollation::compare(const QString& a, const QString& b) const {
    if (a.isEmpty() || b.isEmpty())
        return int(!a.isEmpty()) - int(!b.isEmpty());
    return collator_.compare(a, b);
}

std::vector<int> WordCollation::ranks(const QString* words, int count) const {
    std::vector<int> rank(std::size_t(std::max(count, 0)), 0);
    std::vector<int> filled;
    for (int i = 0; i < count; ++i)
        if (!words[i].isEmpty())
            filled.push_back(i);

    std::vector<std::optional<QCollatorSortKey>> keys(rank.size());
    if (useKeys_)
        for (const int i : filled)
            keys[i] = collator_.sortKey(words[i]);
    auto cmp = [&](int a, int b) {
        if (useKeys_)
            return keys[a]->compare(*keys[b]);
        return collator_.compare(words[a], words[b]);
    };

    std::sort(filled.begin(), filled.end(), [&](int a, int b) { return cmp(a, b) < 0; });
    int r = 0;
    for (std::size_t k = 0; k < filled.size(); ++k) {
        if (k == 0 || cmp(filled[k - 1], filled[k]) != 0)
            ++r;
        rank[filled[k]] = r;
    }
    return rank;
}
