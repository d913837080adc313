// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/Sorting.h"

#include "editor/WordCollation.h"
#include "state/ProgramState.h"

#include <algorithm>
#include <utility>

namespace {

using Words = std::array<QString, ProgramState::Slots>;
enum class Order { Ascending, Descending };

void exchangeSort(ProgramState& state, Words& keys, Words& partners, Order order) {
    // Never beyond the arrays, whatever WordCount says.
    const int n = std::clamp(int(state.WordCount) + 1, 0, ProgramState::Slots);
    // Ranks order as the words collate, so every exchange below is the one the words would give.
    std::vector<int> rank = WordCollation().ranks(keys.data(), n);
    for (int i = 0; i < n; ++i) {
        for (int j = i; j < n; ++j) {
            const bool exchange = order == Order::Ascending
                                      ? rank[i] > rank[j] && rank[j] != 0 // key j is not empty
                                      : rank[i] < rank[j];
            if (exchange) {
                std::swap(keys[i], keys[j]);
                std::swap(partners[i], partners[j]);
                std::swap(rank[i], rank[j]);
            }
        }
    }
}

} // namespace

void sortForeignAZ(ProgramState& state) {
    exchangeSort(state, state.ForeignWords, state.EstonianWords, Order::Ascending);
}

void sortForeignZA(ProgramState& state) {
    exchangeSort(state, state.ForeignWords, state.EstonianWords, Order::Descending);
}

void sortEstonianAZ(ProgramState& state) {
    exchangeSort(state, state.EstonianWords, state.ForeignWords, Order::Ascending);
}

void sortEstonianZA(ProgramState& state) {
    exchangeSort(state, state.EstonianWords, state.ForeignWords, Order::Descending);
}
