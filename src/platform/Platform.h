// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QObject;
class Registry;
class UiTimer;

enum class MessageIcon { None, Critical, Exclamation, Information };

// What a file dialog is set up with; the settings object itself lives with its owner, so it
// keeps them from one use to the next.
struct FileDialogSettings {
    QString filter;      // "Description (*.dic) |*.dic|" pairs, as the program writes them
    QString defaultExt;  // added to a name typed without an extension, e.g. ".dic"
    QString fileName;    // preset full path or name
    int filterIndex = 0; // the filter shown first; afterwards the one the user chose
};

struct FileDialogResult {
    bool cancelled = true;
    QString path;        // the chosen full path
    QString name;        // the bare file name without its directory
    int filterIndex = 0; // the filter the user chose
};

// Everything the program asks of the operating system. QtPlatform is the real one; the tests
// use a fake that answers from a script and records what was asked.
class Platform {
public:
    virtual ~Platform() = default;

    // A message box with only an OK button.
    virtual void message(const QString& title, const QString& text, MessageIcon icon) = 0;
    virtual FileDialogResult openFileDialog(FileDialogSettings& settings) = 0;
    virtual FileDialogResult saveFileDialog(FileDialogSettings& settings) = 0;
    virtual void beep() = 0;
    // Ends the program at once; the caller returns without doing anything further.
    virtual void endProgram() = 0;
    // Starts a program in a normal, focused window without waiting for it.
    virtual bool startProgram(const QString& path, const QStringList& arguments) = 0;
    bool startProgram(const QString& path) { return startProgram(path, {}); }
    // The folders searched for programs by name (PATH), in order.
    virtual QStringList programSearchPath() = 0;
    virtual bool fileExists(const QString& path) = 0;
    virtual QString workingDirectory() = 0;
    // Seconds since midnight, with the fraction.
    virtual double timeOfDay() = 0;
    virtual void randomize(double seed) = 0;
    // Uniform in [0, 1).
    virtual double rnd() = 0;
    virtual Registry& registry() = 0;
    virtual UiTimer* createTimer(QObject* parent) = 0;

    // True while a dialog or message box is up. Its event loop runs inside the handler that
    // asked for it, with timers firing, so windows unloaded meanwhile must outlive that handler.
    bool inModalLoop() const { return modalDepth_ > 0; }
    // Runs each time the outermost dialog or message box has returned.
    void setModalEndedHandler(std::function<void()> handler) { modalEnded_ = std::move(handler); }

protected:
    // Marks the time a dialog or message box is up; implementations hold one around each.
    class ModalScope {
    public:
        explicit ModalScope(Platform& platform) : platform_(platform) { ++platform_.modalDepth_; }
        ~ModalScope() {
            if (--platform_.modalDepth_ == 0 && platform_.modalEnded_)
                platform_.modalEnded_();
        }
        ModalScope(const ModalScope&) = delete;
        ModalScope& operator=(const ModalScope&) = delete;

    private:
        Platform& platform_;
    };

private:
    int modalDepth_ = 0;
    std::function<void()> modalEnded_;
};
