#pragma once

#include <QWidget>

class Forms;
class Platform;
struct ProgramState;

// Base of every window. A window is created in its design state by its constructor; Form_Load
// and Form_Unload are its load and unload routines, run by Forms.
class Form : public QWidget {
    Q_OBJECT
public:
    explicit Form(Forms& forms);

    virtual void Form_Load() {}
    virtual void Form_Unload() {}

protected:
    // The client area in twips.
    void setClientSize(int widthTwips, int heightTwips);
    // The close box unloads the window through Forms, like any other unload.
    void closeEvent(QCloseEvent* event) override;

    Forms& forms;
    ProgramState& state;
    Platform& platform;

private:
    friend class Forms;
    bool unloading_ = false;
};
