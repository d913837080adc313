// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "forms/Form.h"

#include <array>

class ClickLabel;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class UiTimer;

// The quiz window. onLoad() is the per-question set-up and runs again after every counted
// answer that does not end the test.
class QuizWindow : public Form {
    Q_OBJECT
public:
    explicit QuizWindow(Forms& forms);

    void onLoad() override;
    void onUnload() override;

    // OK, Enter or Esc in the answer box, a picked choice, and the time-out: the answer in the
    // box is counted and the next question comes.
    void checkAnswer();
    void closeQuiz();
    void showResults();
    // The five choices, by index 0..4: a click or Enter/Space picks, the pointer highlights.
    void pickChoice(int index);
    void hoverChoice(int index);
    // The time limit for one answer has passed.
    void answerTimedOut();
    // Once a second: the countdown.
    void clockTick();

    QLabel* askedWordLabel;
    QLineEdit* answerEdit;
    QPushButton* okButton;
    QPushButton* closeButton;
    QPushButton* resultsButton;
    std::array<ClickLabel*, 5> choiceLabels;
    QFrame* statisticsFrame;
    QLabel* timeLeftLabel;
    QLabel* answeredLabel;
    QLabel* rightLabel;
    QLabel* unansweredLabel;
    QLabel* wrongLabel;
    QLabel* percentLabel;
    UiTimer* answerTimer; // the time limit for one answer
    UiTimer* clockTimer;  // the countdown, once a second

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void presentTyped();
    void presentChoices(bool foreignAnswers, int lastSlot);
    // The hover highlight on one choice, the others in menu colours.
    void highlight(ClickLabel* chosen);
};
