// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/MainWindow.h"
#include "forms/Forms.h"
#include "state/ProgramState.h"
#include "support/FakePlatform.h"

#include <QByteArray>
#include <QDir>
#include <QString>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#endif

// The program on the fake platform with its main window up, in a fresh working folder.
struct Program {
    QTemporaryDir dir;
    ProgramState state;
    FakePlatform platform{QDir::toNativeSeparators(dir.path())};
    Forms forms{state, platform};
    MainWindow* main = forms.show<MainWindow>();
    QString file(const QString& name) const { return dir.filePath(name); }
    // The file dialogs met, in turn: "open", or "save:" and the name it came up with, with the
    // folder written DIR.
    QString dialogs() const;
    // Stores pairs "foreign=estonian", separated by blanks, as the list.
    void store(const QString& pairs);
    // Works the program as a user does, step by step, parted by commas:
    //   CAPTION     clicks the one button or option in sight with that caption ("&" aside) in
    //               this program's windows; the toolbar is left to its own test
    //   menu:ITEM   the main window's menu item ("menu:Save As")
    //   close:NAME  the close box of the window of that object name
    //   key:NAME    a key by QKeySequence's name (Return, Esc, Tab, Del) to the focused widget
    //   type:TEXT   types into the focused widget
    //   wait:MS     lets the time pass
    // `own` sees each step first and takes it by returning true. After every step some window
    // is in sight, and answers are counted only while a quiz is loaded.
    void run(const QString& steps, const std::function<bool(const QString&)>& own = {});
    // The object names of the windows in sight, sorted, parted by blanks.
    QString inSight() const;
};

// A table whose rows are one text each, cells parted by " | ": `Rows row; row("tag", "a | b");`
// in the _data function, `cells()` in the test.
struct Rows {
    Rows() { QTest::addColumn<QString>("row"); }
    void operator()(const QString& tag, const QString& cells) const {
        QTest::newRow(qPrintable(tag)) << cells;
    }
};
QStringList cells();

// The list as pairs "estonian<sep>foreign" from slot 0, and back: the first count slots, or
// those up to WordCount.
void setPairs(ProgramState& state, const QStringList& pairs, QChar sep = u'|');
QStringList pairsOf(const ProgramState& state, QChar sep = u'|', int count = -1);

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

#ifdef Q_OS_UNIX
// Permissions do not stop root: runs the current test row again as the user nobody, in a copy
// of this test program that nobody can reach, and passes or fails with it. Call it and return
// when getuid() is 0.
void rerunAsNobody();
#endif

// A full disk, the way a write meets one: writes past `bytes` (0: no limit) fail, SIGXFSZ
// ignored, while the object lives. Checked at flush time, like the real thing. Windows has no
// such limit: the rows that need one are built for POSIX only, and there it takes no limit.
struct FileSizeLimit {
    explicit FileSizeLimit(qint64 bytes);
#ifdef Q_OS_UNIX
    // clang-format 14 would spread this over three lines, under the #ifdef.
    // clang-format off
    ~FileSizeLimit()
 { ::setrlimit(RLIMIT_FSIZE, &before); }
    // clang-format on
    FileSizeLimit(const FileSizeLimit&) = delete;
    rlimit before{};
#endif
};

// False when windows are loaded but none of them is in sight: the user would be left with a
// program that runs and shows nothing.
bool someWindowShown(const Forms& forms);
