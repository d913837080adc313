// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Platform.h"
#include "platform/Registry.h"
#include "platform/UiTimer.h"

#include <QList>
#include <QMap>
#include <QPointer>
#include <QQueue>
#include <QSet>
#include <QStringList>

#include <functional>

// A timer that only runs when the test lets time pass through FakePlatform::advance().
class FakeTimer final : public UiTimer {
    Q_OBJECT
public:
    using UiTimer::UiTimer;
    int interval() const override { return interval_; }
    void setInterval(int ms) override { restart(interval_, ms); }
    bool isEnabled() const override { return enabled_; }
    void setEnabled(bool enabled) override { restart(enabled_, enabled); }

private:
    friend class FakePlatform;
    template <class T> void restart(T& field, T value) {
        elapsed_ = field == value ? elapsed_ : 0;
        field = value;
    }
    bool running() const { return enabled_ && interval_ > 0; }
    int interval_ = 0;
    bool enabled_ = true;
    int elapsed_ = 0;
};

// A registry held in memory: values by key path and name, type first.
class FakeRegistry final : public Registry {
public:
    QMap<QByteArray, QMap<QByteArray, std::pair<quint32, QByteArray>>> keys;
    QMap<Handle, QByteArray> open; // keys opened and not closed yet
    bool exists = true;            // false: a system without a registry

    long RegOpenKeyExA(Handle root, const QByteArray& subKey, quint32, quint32,
                       Handle* result) override;
    long RegQueryValueExA(Handle key, const QByteArray& name, quint32* type, QByteArray& data,
                          quint32* size) override;
    long RegCloseKey(Handle key) override { return open.remove(key) ? 0 : 6; }
    bool present() const override { return exists; }

private:
    Handle last_ = 0x100;
};

// The test platform: dialogs answer from a script, everything the program asks is recorded.
class FakePlatform final : public Platform {
public:
    struct Message {
        QString title, text;
        MessageIcon icon;
    };
    struct Dialog {
        bool save;
        FileDialogSettings settings; // as the program set it up
    };

    QList<Message> messages;
    QList<Dialog> dialogs;
    QQueue<FileDialogResult> dialogAnswers; // an empty queue answers "cancelled"
    int beeps = 0;
    int endCount = 0;
    QStringList started; // each program with its arguments, joined by blanks
    bool startSucceeds = true;
    QSet<QString> existingFiles; // exist besides the files on disk
    QStringList searchPath;      // PATH; empty by default, so no real program is ever found
    QString workingDir;
    QQueue<double> randomValues; // an empty queue answers 0
    FakeRegistry fakeRegistry;
    // Runs inside every dialog and message box while it is up, as the user's time there; the
    // dialog's loop then deletes what is due, as a real one does.
    std::function<void()> whileModal;

    explicit FakePlatform(const QString& workingDir = QStringLiteral("/work/dir"))
        : workingDir(workingDir) {}
    bool ended() const { return endCount > 0; }
    static FileDialogResult chosen(const QString& path, int filterIndex = 0);
    // Lets ms milliseconds pass: running timers fire as often as their intervals allow, with
    // handlers free to change timers as they go.
    void advance(int ms);

    void message(const QString& title, const QString& text, MessageIcon icon) override;
    FileDialogResult openFileDialog(FileDialogSettings& settings) override {
        return answerDialog(false, settings);
    }
    FileDialogResult saveFileDialog(FileDialogSettings& settings) override {
        return answerDialog(true, settings);
    }
    void beep() override { ++beeps; }
    void endProgram() override { ++endCount; }
    bool startProgram(const QString& path, const QStringList& arguments) override;
    QStringList programSearchPath() override { return searchPath; }
    bool fileExists(const QString& path) override;
    QString workingDirectory() override { return workingDir; }
    double timeOfDay() override { return 43200.5; }
    void randomize(double) override {}
    double rnd() override { return randomValues.isEmpty() ? 0.0 : randomValues.dequeue(); }
    Registry& registry() override { return fakeRegistry; }
    UiTimer* createTimer(QObject* parent) override;

private:
    FileDialogResult answerDialog(bool save, FileDialogSettings& settings);
    void runModal();
    QList<QPointer<FakeTimer>> timers_;
};
