#pragma once

#include "forms/Form.h"

#include <array>

class ClickLabel;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class UiTimer;

// The quiz window. Form_Load is the per-question set-up and runs again after every counted
// answer that does not end the test.
class Test : public Form {
    Q_OBJECT
public:
    explicit Test(Forms& forms);

    void Form_Load() override;
    void Form_Unload() override;

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    // Enter (13) and Esc (27) submit the answer; KeyAscii 0 keeps the key from the box.
    void Text1_KeyPress(int& KeyAscii);
    // The five choice labels share their handlers; n = 1..5.
    void Kyssa_Click(int n);
    void Kyssa_MouseMove(int n);
    void Kyssa1_Click() { Kyssa_Click(1); }
    void Kyssa2_Click() { Kyssa_Click(2); }
    void Kyssa3_Click() { Kyssa_Click(3); }
    void Kyssa4_Click() { Kyssa_Click(4); }
    void Kyssa5_Click() { Kyssa_Click(5); }
    void Kyssa1_MouseMove() { Kyssa_MouseMove(1); }
    void Kyssa2_MouseMove() { Kyssa_MouseMove(2); }
    void Kyssa3_MouseMove() { Kyssa_MouseMove(3); }
    void Kyssa4_MouseMove() { Kyssa_MouseMove(4); }
    void Kyssa5_MouseMove() { Kyssa_MouseMove(5); }
    void Timer1_Timer();
    void Timer2_Timer();

    QLabel* Label1;
    QLineEdit* Text1;
    QPushButton* Command1;
    QPushButton* Command2;
    QPushButton* Command3;
    ClickLabel* Kyssa1;
    ClickLabel* Kyssa2;
    ClickLabel* Kyssa3;
    ClickLabel* Kyssa4;
    ClickLabel* Kyssa5;
    std::array<ClickLabel*, 5> Kyssa; // the same five, by number
    QFrame* Shape1;
    QLabel* Label7;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label6;
    QLabel* Label4;
    QLabel* Label5;
    UiTimer* Timer1;
    UiTimer* Timer2;

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
