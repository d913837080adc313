// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "forms/Form.h"

#include <QList>
#include <QObject>
#include <QPointer>

#include <map>
#include <typeindex>

class Platform;
struct ProgramState;

// Owns the windows and gives them the program's life cycle: at most one instance of each
// window; loading creates it in its design state and runs onLoad(); showing loads first;
// hiding keeps it loaded; unloading runs onUnload(), forgets the window at once and deletes it
// later, so a window may unload itself from inside its own handlers. "Later" waits for every
// dialog and message box to return: a window unloaded under one (a time-out ending the quiz)
// may be the dialog's parent, or the caller still running beneath it. The program ends when no
// window is loaded any more.
class Forms : public QObject {
    Q_OBJECT
public:
    Forms(ProgramState& state, Platform& platform);
    ~Forms() override;

    // The loaded window, or nullptr if it unloaded itself while it was loading.
    template <class T> T* load() {
        if (T* existing = find<T>())
            return existing;
        T* window = new T(*this);
        loaded_[typeid(T)] = window;
        window->onLoad();
        return find<T>();
    }

    template <class T> T* show() {
        T* window = load<T>();
        if (window)
            present(window);
        return window;
    }

    template <class T> void hide() {
        if (T* window = find<T>())
            window->hide();
    }

    template <class T> T* find() const {
        const auto it = loaded_.find(typeid(T));
        return it == loaded_.end() ? nullptr : static_cast<T*>(it->second);
    }

    template <class T> void unload() {
        if (T* window = find<T>())
            unload(window);
    }

    void unload(Form* window);
    bool isLoaded(const Form* window) const;
    bool anyLoaded() const { return !loaded_.empty(); }

    ProgramState& state;
    Platform& platform;

private:
    static void present(QWidget* window);
    // Hands the unloaded windows to Qt for deletion once no dialog is up.
    void releaseUnloaded();

    std::map<std::type_index, Form*> loaded_;
    QList<QPointer<Form>> unloaded_; // unloaded, not yet handed over for deletion
};
