// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "forms/Form.h"

class QLabel;
class QPushButton;

// The wrong-answer notice: the pair just missed, with the right answer. The quiz clocks stand
// still while it is open.
class WrongAnswerNotice : public Form {
    Q_OBJECT
public:
    explicit WrongAnswerNotice(Forms& forms);

    void onLoad() override;
    void onUnload() override;
    void continueQuiz();

    QLabel* headingLabel;
    QLabel* warningIcon;
    QLabel* askedLabel;
    QLabel* answerLabel;
    QPushButton* continueButton;

private:
    // Restarts the answer period of a quiz window that is still open; a closed one stays closed.
    void restartQuizClocks();
};
