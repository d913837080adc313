// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/UiTimer.h"

#include <QWidget>

class Forms;
class Platform;
struct ProgramState;

// Base of every window. A window is created in its design state by its constructor; onLoad()
// and onUnload() are its load and unload routines, run by Forms.
class Form : public QWidget {
    Q_OBJECT
public:
    explicit Form(Forms& forms);

    virtual void onLoad() {}
    virtual void onUnload() {}

protected:
    // The client area in twips.
    void setClientSize(int widthTwips, int heightTwips);
    // The close box unloads the window through Forms, like any other unload.
    void closeEvent(QCloseEvent* event) override;
    // A timer of this window, enabled, with its object name and interval (0 never fires).
    template <class W> UiTimer* addTimer(const char* name, int interval, void (W::*onTimeout)()) {
        UiTimer* timer = createTimer(name, interval);
        connect(timer, &UiTimer::timeout, static_cast<W*>(this), onTimeout);
        return timer;
    }

    Forms& forms;
    ProgramState& state;
    Platform& platform;

private:
    UiTimer* createTimer(const char* name, int interval);

    friend class Forms;
    bool unloading_ = false;
};
