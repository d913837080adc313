// SPDX-License-Identifier: GPL-3.0-or-later
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
struct ProgramState;

// Writes the list to CurrentFile; a failure is shown to the user and answers false. A failure
// that may have cut the file short leaves the list counting as unsaved (Changed = 1).
bool writeCurrentFile(ProgramState& state, Platform& platform);

// A dialog's preset: path itself, or NAME-sonarix.EXT beside it when path is the file the list
// was imported from, which must never be written over by a hasty Enter.
QString besideImportedFile(const ProgramState& state, const QString& path);

// True for a word list of another format: .csv, .tsv, .kvtml, and a .txt whose rows hold two
// columns (a dictionary saved under a .txt name opens as a dictionary).
bool isWordListFile(const QString& path);

// The main window: the quiz options, the file commands, and the way to the editor, the quiz and
// the About window. The file commands live in FileCommands.cpp.
class MainWindow : public Form {
    Q_OBJECT
public:
    explicit MainWindow(Forms& forms);

    void onLoad() override;
    void onUnload() override;

    // The time-limit check box and scroll bar.
    void timeLimitToggled();
    void timeLimitChanged();

    void openEditor();
    void startTest();
    void showAbout();
    // A toolbar button, by its key ("New", "Open", "Save", "Edit", "Testime", "Exit").
    void toolbarButtonClicked(const QString& key);

    // The File menu; the Exit button runs exitProgram() too.
    void newList();
    void openFile();
    void saveFile();
    void saveFileAs();
    void exitProgram();
    // Import and Export, in ImportCommands.cpp.
    void importFile();
    void exportFile();

    // Opens a file named on the command line, as Open does once its dialog has chosen the file.
    // A word list of another format (isWordListFile) goes to the import window instead.
    void openGivenFile(const QString& path);
    // Reads a word list of another format and shows it in the import window; a file that
    // cannot be imported is reported and changes nothing.
    void importGivenFile(const QString& path);

    QMenuBar* menuBar;
    QMenu* fileMenu;
    QAction* newAction;
    QAction* openAction;
    QAction* saveAction;
    QAction* saveAsAction;
    QAction* importAction;
    QAction* exportAction;
    QAction* exitAction;
    QAction* aboutAction;

    QWidget* client; // the client area below the menu bar; controls are placed in it
    QToolBar* toolBar;
    QPushButton* editorButton;
    QPushButton* testButton;
    QPushButton* exitButton;
    QLabel* askedLanguageLabel;
    QWidget* askedLanguageGroup;
    QRadioButton* askForeignOption;
    QRadioButton* askEstonianOption;
    QLabel* testTypeLabel;
    QWidget* testTypeGroup;
    QRadioButton* typedAnswersOption;
    QRadioButton* multipleChoiceOption;
    QCheckBox* timeLimitCheck;
    ReversedScrollBar* timeLimitBar; // the limit in seconds: 300 at the top, 0 at the bottom
    QLabel* timeLimitLabel;
    FileDialogSettings fileDialog;
    FileDialogSettings importDialog;
    FileDialogSettings exportDialog;

private:
    friend class SavePrompt;
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
