// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/MainWindow.h"
#include "forms/Forms.h"
#include "state/ProgramState.h"
#include "support/FakePlatform.h"

#include <QByteArray>
#include <QString>

class QWidget;

// The program on the fake platform with its main window up.
struct Program {
    ProgramState state;
    FakePlatform platform;
    Forms forms{state, platform};
    MainWindow* main = forms.show<MainWindow>();
    // Stores pairs "foreign=estonian", separated by blanks, as the list.
    void store(const QString& pairs);
};

// Types text key by key; works for letters outside ASCII too (õ, ä, š), which QTest::keyClicks
// does not handle in this Qt version.
void typeText(QWidget* widget, const QString& text);

// Clicks a widget in its centre with the left button.
void click(QWidget* widget);

// Lets deferred deletions and posted events run.
void settle();

// A file's bytes, or "<missing>" when it cannot be read.
QByteArray fileBytes(const QString& path);

// Writes the bytes and gives the file these permissions; false if any of it fails.
bool writeFile(const QString& path, const QByteArray& bytes, int mode = 0644);

// Permissions do not stop root: runs the current test row again as the user nobody, in a copy
// of this test program that nobody can reach, and passes or fails with it. Call it and return
// when getuid() is 0.
void rerunAsNobody();

// A full disk, the way a write meets one: writes past `bytes` fail (SIGXFSZ ignored) while the
// object lives. Checked at flush time, like the real thing.
class FileSizeLimit {
public:
    explicit FileSizeLimit(qint64 bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    unsigned long long before_ = 0;
    bool saved_ = false;
};

// False when windows are loaded but none of them is in sight: the user would be left with a
// program that runs and shows nothing.
bool someWindowShown(const Forms& forms);
