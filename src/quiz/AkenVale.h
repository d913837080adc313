#pragma once

#include "forms/Form.h"

class QLabel;
class QPushButton;

// The wrong-answer notice: the pair just missed, with the right answer. The quiz clocks stand
// still while it is open.
class AkenVale : public Form {
    Q_OBJECT
public:
    explicit AkenVale(Forms& forms);

    void Form_Load() override;
    void Form_Unload() override;
    void Command1_Click();

    QLabel* Label1;
    QLabel* Image1;
    QLabel* Label2;
    QLabel* Label3;
    QPushButton* Command1;

private:
    // Restarts the answer period of a quiz window that is still open; a closed one stays closed.
    void restartQuizClocks();
};
