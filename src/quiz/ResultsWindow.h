// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "forms/Form.h"

class QLabel;
class QPushButton;

// The results of a test. Opening it closes the quiz window.
class ResultsWindow : public Form {
    Q_OBJECT
public:
    explicit ResultsWindow(Forms& forms);

    void onLoad() override;
    void startNewTest(); // "Uus test"
    void finish();       // "Lõpetan": back to the main window

    QLabel* totalLabel;
    QLabel* rightLabel;
    QLabel* wrongLabel;
    QLabel* percentLabel;
    QPushButton* newTestButton;
    QPushButton* finishButton;

protected:
    // The close box keeps the counts and goes back to the main window.
    void closeEvent(QCloseEvent* event) override;

private:
    void showMain();
};
