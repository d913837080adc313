// SPDX-License-Identifier: GPL-3.0-or-later
#include "quiz/Selection.h"

#include "state/Format.h"
#include "state/ProgramState.h"

#include <algorithm>

namespace {

// A real generator finds the last free pair of 1001 within a few thousand draws; a source that
// keeps missing it (a broken or scripted one) must not hang the window.
constexpr long MaxDraws = 200000;

enum class Pass { Chosen, Exhausted };

Pass selectOnce(ProgramState& state, int lastSlot, const RandomSource& rnd) {
    // Only the count of free slots matters to the scan, so it is taken once and kept up to date.
    int free = static_cast<int>(
        std::count(state.AskedMarks.begin(), state.AskedMarks.begin() + lastSlot + 1, qint16(0)));
    for (long draws = 0; free > 0; ++draws) {
        int q = draw(lastSlot, rnd);
        if (draws >= MaxDraws) {
            q = 0;
            while (state.AskedMarks[q] != 0)
                ++q;
        }
        state.QuestionIndex = static_cast<qint16>(q);
        if (state.AskedMarks[q] != 0)
            continue;
        if (!state.EstonianWords[q].isEmpty())
            return Pass::Chosen;
        state.AskedMarks[q] = 1;
        --free;
    }
    return Pass::Exhausted;
}

} // namespace

int draw(int n, const RandomSource& rnd) {
    return static_cast<int>(roundHalfEven(rnd() * n));
}

int quizLastSlot(const ProgramState& state) {
    if (state.WordCount >= 0 && state.WordCount < ProgramState::Slots)
        return state.WordCount;
    int last = -1;
    while (last + 1 < ProgramState::Slots && !state.EstonianWords[last + 1].isEmpty())
        ++last;
    return last;
}

Selection selectQuestion(ProgramState& state, int lastSlot, const RandomSource& rnd) {
    if (lastSlot < 0 || lastSlot >= ProgramState::Slots)
        return Selection::Nothing;
    for (int pass = 0; pass < 2; ++pass) {
        if (selectOnce(state, lastSlot, rnd) == Pass::Chosen)
            return Selection::Chosen;
        std::fill(state.AskedMarks.begin(), state.AskedMarks.begin() + lastSlot + 1, qint16(0));
        if (state.AnsweredCount != 0 && state.NoticeAcknowledged == True)
            return Selection::ShowResults;
    }
    // Every Estonian word in the list is empty.
    return Selection::Nothing;
}
