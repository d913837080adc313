// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class Forms;

// The main window's quiz options as they stand now. The quiz reads them afresh at every step,
// so a change in the middle of a test takes effect at once; without a main window the options
// have their start states.
struct QuizOptions {
    bool foreignAnswers = true; // the Estonian word is shown, the foreign one expected
    bool typed = true;          // typed answers; otherwise five choices
    bool limitOn = false;
    int limitSeconds = 0;
};

QuizOptions quizOptions(const Forms& forms);
