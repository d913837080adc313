// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "forms/Form.h"

#include <array>

class QLabel;
class QPushButton;

// The about window: title, version, description, the note to users and the author, and the way
// to the System Information tool. The main window is hidden while it is open.
class AboutWindow : public Form {
    Q_OBJECT
public:
    explicit AboutWindow(Forms& forms);

    void onLoad() override;
    void onUnload() override;

    // OK, Enter and Esc.
    void closeWindow();
    void startSystemInformation();

    QLabel* iconLabel;
    QLabel* titleLabel;
    QLabel* versionLabel;
    QLabel* descriptionLabel;
    std::array<QWidget*, 2> separatorLines; // grey and white: an etched rule
    QLabel* disclaimerLabel;
    QLabel* authorLabel;
    QLabel* feedbackLabel;
    QPushButton* okButton;
    QPushButton* systemInfoButton;

protected:
    // OK is the default and the cancel button.
    void keyPressEvent(QKeyEvent* event) override;
};
