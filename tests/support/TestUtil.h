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

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#endif

// The program on the fake platform with its main window up, in a fresh working folder.
struct Program {
    QTemporaryDir dir;
    ProgramState state;
    FakePlatform platform{QDir::toNativeSeparators(dir.path())};
    Forms forms{state, platform};
    MainWindow* main = nullptr;
    // Starts with the main window up, or with the intro's banner as the program does.
    explicit Program(bool fromIntro = false);
    QString file(const QString& name) const { return dir.filePath(name); }
    // The file dialogs met, in turn, by commas: "open", or "save:" and the name it came up with,
    // with the folder written DIR.
    QString dialogs() const;
    // Stores pairs "foreign=estonian", separated by blanks, as the list.
    void store(const QString& pairs);
    // Works the program as a user does, one step after another, each one of these:
    //   click:TARGET   a left click on the one control whose caption ("&" aside) or designer
    //                  name is TARGET (a button, an option, a check box, a quiz choice, or a
    //                  window itself): in the active window if it has one, else in this
    //                  program's windows in sight
    //   dclick:NAME    a double click on the control of that designer name
    //   hover:NAME     the pointer moves onto it
    //   pick:NAME:ROW  a click on row ROW (from 0) of the word list NAME
    //   focus:NAME     gives that control the keyboard focus, selecting nothing
    //   key:KEY        a key by QKeySequence's name (Return, Enter, Esc, Tab, Del, Up, Space)
    //                  to the focused control, with the text an X keyboard gives it (Del: DEL)
    //   type:TEXT      types TEXT into the focused control, key by key
    //   paste:TEXT     puts TEXT on the clipboard and presses Ctrl+V in the focused control
    //   menu:ITEM      the main window's menu item, "..." aside ("menu:Save As")
    //   close:WINDOW   the close box of that window
    //   choose:FILE    the next file dialog answers FILE (in the working folder unless it
    //                  starts with "/"); a dialog with nothing chosen for it is cancelled
    //   wait:MS        lets MS milliseconds pass on the program's timers
    //   reader:NAME:ACTION  a screen reader's action on that control: increase, decrease, or
    //                  a number it sets as the value
    // Designer names a step may use. Toolbar buttons: Toolbar1_New, _Open, _Save, _Edit,
    // _Testime, _Exit. Windows: Algus (the intro; Label2 its author line), Main
    // (the main window), Editor, Test (the quiz),
    // AkenVale (the notice of a wrong answer), Tulemus (the results), Kassav (the save prompt),
    // About. Controls: main window Command1/nupptest/Command2 (Editor, Test, Exit), Check1 and
    // VScroll1 (the time limit's box and bar); editor Text2/Text1 (foreign/Estonian box),
    // List2/List1 (foreign/Estonian list), Command5/Command6 (foreign A-Z/Z-A),
    // Command7/Command8 (Estonian A-Z/Z-A); quiz Text1 (the answer), Kyssa1..Kyssa5 (the
    // choices); About cmdOK, cmdSysInfo. Captions serve where a name is shared.
    // A step the driver does not know, or one with nothing to act on, fails the row with its
    // text. After every step some window is in sight, and answers are counted only while a
    // quiz is loaded.
    void run(const QStringList& steps);
    // The object names of the windows in sight, sorted, parted by blanks.
    QString inSight() const;
};

// One row of a QTest table: its tag, then a value for each column, in order.
template <class... Cells> void row(const QByteArray& tag, const Cells&... cells) {
    (QTest::newRow(tag.constData()) << ... << cells);
}

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
// Permissions do not stop root: while the object lives, a test run as root acts as the user
// nobody (its saved user id keeps the way back), so a folder's or a file's mode counts. Files
// it makes must be open to others. Does nothing for any other user.
struct AsNobody {
    AsNobody();
    ~AsNobody();
    AsNobody(const AsNobody&) = delete;
    bool root = false;
};

// A full disk, the way a write meets one: writes past `bytes` (0: no limit) fail, SIGXFSZ
// ignored, while the object lives. Checked at flush time, like the real thing.
struct FileSizeLimit {
    explicit FileSizeLimit(qint64 bytes);
    ~FileSizeLimit() { ::setrlimit(RLIMIT_FSIZE, &before); }
    FileSizeLimit(const FileSizeLimit&) = delete;
    rlimit before{};
};
#else
// Windows has neither another user to become nor a file size limit to stand for a full disk:
// the rows that need them are built for POSIX only.
struct AsNobody {
    ~AsNobody() {} // a guard as on POSIX, not an unused variable
};
struct FileSizeLimit {
    explicit FileSizeLimit(qint64 bytes) { QVERIFY2(bytes == 0, "no file size limit here"); }
};
#endif

// False when windows are loaded but none of them is in sight: the user would be left with a
// program that runs and shows nothing.
bool someWindowShown(const Forms& forms);
