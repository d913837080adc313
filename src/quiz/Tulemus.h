#pragma once

#include "forms/Form.h"

class QLabel;
class QPushButton;

// The results of a test. Opening it closes the quiz window.
class Tulemus : public Form {
    Q_OBJECT
public:
    explicit Tulemus(Forms& forms);

    void Form_Load() override;
    void Command1_Click();
    void Command2_Click();

    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QPushButton* Command1;
    QPushButton* Command2;

protected:
    // The close box keeps the counts and goes back to the main window.
    void closeEvent(QCloseEvent* event) override;

private:
    void showMain();
};
