#pragma once

#include "forms/Form.h"

#include <array>

class QLabel;
class QPushButton;

// The about window: title, version, description, the note to users and the author, and the way
// to the System Information tool. The main window is hidden while it is open.
class About : public Form {
    Q_OBJECT
public:
    explicit About(Forms& forms);

    void Form_Load() override;
    void Form_Unload() override;

    void cmdOK_Click();
    void cmdSysInfo_Click();
    void StartSysInfo();

    QLabel* picIcon;
    QLabel* lblTitle;
    QLabel* lblVersion;
    QLabel* lblDescription;
    std::array<QWidget*, 2> Line1; // grey and white: an etched rule
    QLabel* lblDisclaimer;
    QLabel* Label2;
    QLabel* Label1;
    QPushButton* cmdOK;
    QPushButton* cmdSysInfo;

protected:
    // OK is the default and the cancel button.
    void keyPressEvent(QKeyEvent* event) override;
};
