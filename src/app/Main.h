#pragma once

#include "forms/Form.h"
#include "platform/Platform.h"

class ClickLabel;
class QAction;
class QCheckBox;
class QLabel;
class QMenu;
class QMenuBar;
class QPushButton;
class QRadioButton;
class ReversedScrollBar;
class QToolBar;
class QWidget;

// The main window: the quiz options, the file commands, and the way to the editor, the quiz and
// the About window. The file commands live in FileCommands.cpp.
class Main : public Form {
    Q_OBJECT
public:
    explicit Main(Forms& forms);

    void Form_Load() override;
    void Form_Unload() override;

    void Check1_Click();
    void VScroll1_Change();
    void Command1_Click();
    void nupptest_Click();
    void Command2_Click();
    void MAbout_Click();
    void Toolbar1_ButtonClick(const QString& key);

    void MFNew_Click();
    void MFOpen_Click();
    void MFSave_Click();
    void MFSaveAs_Click();
    void MFExit_Click();

    // Opens a file named on the command line, as Open does once its dialog has chosen the file.
    void openGivenFile(const QString& path);

    QMenuBar* menuBar;
    QMenu* MFile;
    QAction* MFNew;
    QAction* MFOpen;
    QAction* MFSave;
    QAction* MFSaveAs;
    QAction* MFExit;
    QAction* MAbout;

    QWidget* client; // the client area below the menu bar; controls are placed in it
    QToolBar* Toolbar1;
    QPushButton* Command1;
    QPushButton* nupptest;
    QPushButton* Command2;
    QLabel* Label1;
    QWidget* Picture2;
    QRadioButton* Option1;
    QRadioButton* Option2;
    QLabel* Label3;
    QWidget* Picture1;
    QRadioButton* Option3;
    QRadioButton* Option4;
    QCheckBox* Check1;
    ReversedScrollBar* VScroll1; // the limit in seconds: 300 at the top, 0 at the bottom
    QLabel* Label2;
    FileDialogSettings CommonDialog1;

private:
    friend class Kassav;
    // How a Save As ended; the prompt needs to know.
    enum class SaveAsOutcome { Saved, Ended, Cancelled, Failed };
    SaveAsOutcome saveAs();
    // Writes the list to CurrentFile; a failure is reported to the user and answers false.
    bool writeList();
    // Reads the list from path; a failure is reported to the user and answers false.
    bool openList(const QString& path, const QString& name);

    void buildMenu();
    void buildToolbar();
    void buildControls();
    QString limitText() const;
};
