// SPDX-License-Identifier: GPL-3.0-or-later
#include "quiz/QuizOptions.h"

#include "app/MainWindow.h"
#include "forms/Forms.h"
#include "forms/ReversedScrollBar.h"

#include <QCheckBox>
#include <QRadioButton>

QuizOptions quizOptions(const Forms& forms) {
    QuizOptions options;
    if (const MainWindow* main = forms.find<MainWindow>()) {
        options.foreignAnswers = main->askForeignOption->isChecked();
        options.typed = main->typedAnswersOption->isChecked();
        options.limitOn = main->timeLimitCheck->isChecked();
        options.limitSeconds = main->timeLimitBar->value();
    }
    return options;
}
