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
    void setInterval(int ms) override;
    bool isEnabled() const override { return enabled_; }
    void setEnabled(bool enabled) override;
    bool isRunning() const { return enabled_ && interval_ > 0; }
    // Milliseconds until it fires.
    int remaining() const { return interval_ - elapsed_; }

private:
    friend class FakePlatform;
    int interval_ = 0;
    bool enabled_ = true;
    int elapsed_ = 0;
};

// A registry held in memory: keys with values, and a log of opened and closed handles.
class FakeRegistry final : public Registry {
public:
    struct Value {
        quint32 type = 1;
        QByteArray data;
    };
    // Key paths are stored under the root handle they belong to.
    QMap<QByteArray, QMap<QByteArray, Value>> keys;
    QList<Handle> opened;
    QList<Handle> closed;

    long RegOpenKeyExA(Handle root, const QByteArray& subKey, quint32 options, quint32 samDesired,
                       Handle* result) override;
    long RegQueryValueExA(Handle key, const QByteArray& valueName, quint32* type, QByteArray& data,
                          quint32* size) override;
    long RegCloseKey(Handle key) override;

private:
    QMap<Handle, QByteArray> handles_;
    Handle next_ = 0x100;
};

// The test platform: dialogs answer from a script, everything the program asks is recorded.
class FakePlatform final : public Platform {
public:
    struct Message {
        QString title;
        QString text;
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
    QString workingDir = QStringLiteral("/work/dir");
    double clock = 43200.5;
    QQueue<double> randomValues; // an empty queue answers 0
    FakeRegistry fakeRegistry;
    // Runs inside every dialog and message box while it is up, as the user's time there; the
    // dialog's loop then deletes what is due, as a real one does.
    std::function<void()> whileModal;

    bool ended() const { return endCount > 0; }
    static FileDialogResult chosen(const QString& path);

    // Lets ms milliseconds pass: every running timer fires as often as its interval allows, in
    // time order, with handlers free to change timers as they go.
    void advance(int ms);
    QList<FakeTimer*> timers() const;

    void message(const QString& title, const QString& text, MessageIcon icon) override;
    FileDialogResult openFileDialog(FileDialogSettings& settings) override;
    FileDialogResult saveFileDialog(FileDialogSettings& settings) override;
    void beep() override { ++beeps; }
    void endProgram() override { ++endCount; }
    bool startProgram(const QString& path, const QStringList& arguments) override;
    QStringList programSearchPath() override { return searchPath; }
    bool fileExists(const QString& path) override;
    QString workingDirectory() override { return workingDir; }
    double timeOfDay() override { return clock; }
    void randomize(double) override {}
    double rnd() override;
    Registry& registry() override { return fakeRegistry; }
    UiTimer* createTimer(QObject* parent) override;

private:
    FileDialogResult answerDialog(bool save, FileDialogSettings& settings);
    void runModal();
    QList<QPointer<FakeTimer>> timers_;
};
