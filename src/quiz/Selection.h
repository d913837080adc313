// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

struct ProgramState;

// Uniform in [0, 1); the quiz takes it from the platform, the tests from a script.
using RandomSource = std::function<double()>;

// r x n rounded half to even for a fresh r, so 0..n with both ends half as likely.
int draw(int n, const RandomSource& rnd);

// The slot of the last pair the quiz may ask. WordCount as a rule; when it is out of range (an
// Open that failed part-way leaves -1 with words in place), the pairs up to the first empty
// Estonian word. -1 means there is nothing to ask.
int quizLastSlot(const ProgramState& state);

enum class Selection {
    Chosen,      // QuestionIndex names an unasked pair with an Estonian word
    ShowResults, // the pool ran out at the end of a test: the results window takes over
    Nothing,     // no pair can be asked at all
};

// Draws QuestionIndex among the pairs not yet asked in this cycle, retiring pairs whose Estonian
// word is empty. An exhausted pool clears the marks; unless that ends the test (something
// answered and a notice dismissed), the draw starts again on the full list, so a question is
// always asked when there is one.
Selection selectQuestion(ProgramState& state, int lastSlot, const RandomSource& rnd);
