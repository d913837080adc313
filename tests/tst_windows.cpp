// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's controls, the intro that hands over to it, About beside it, and every
// window's reach by keyboard and screen reader.
#include "app/IntroWindow.h"
#include "app/MainWindow.h"
#include "editor/EditorWindow.h"
#include "forms/ClickLabel.h"
#include "forms/Forms.h"
#include "forms/ReversedScrollBar.h"
#include "quiz/QuizWindow.h"
#include "state/ProgramState.h"
#include "support/FakePlatform.h"
#include "support/TestUtil.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

using namespace Qt::StringLiterals;

// The program started with the banner up.
struct Started {
    ProgramState state;
    FakePlatform platform;
    Forms forms{state, platform};
    QPointer<IntroWindow> intro = forms.show<IntroWindow>();
};

using Values = QMap<QByteArray, std::pair<quint32, QByteArray>>; // the first key's values

class TestWindows : public QObject {
    Q_OBJECT
private slots:
    // The Up key and "increase" raise the limit, five minutes at most; the label says it in
    // minutes and seconds. Switched off, the limit shows nothing and takes no change; switched on
    // again, it shows the value kept meanwhile.
    void timeLimit_data() {
        Rows row; // steps: "set N", an accessible action, Up to the bar, Check: the check box |
                  // the seconds | "off": the label says nothing
        row("Up twice", "Up,Up | 2");
        row("61 by increase", QStringList(61, "increase").join(u',') + " | 61");
        row("set past the top", "set 301 | 300");
        row("set past the bottom", "set -5 | 0");
        row("decrease", "set 60,decrease | 59");
        row("limit off", "set 300,Check | 300 | off");
        row("off and on", "set 299,Check,Check | 299");
        row("no change while off", "Check,set 59,increase,Up,Check | 0");
    }
    void timeLimit() {
        const QStringList c = cells();
        const int seconds = c[1].toInt();
        const QString text =
            c.value(2) == u"off"_s
                ? QString()
                : u"  %1 minutit ja  %2 sekundit."_s.arg(seconds / 60).arg(seconds % 60);
        Program f;
        MainWindow* m = f.main;
        QVERIFY(m->askForeignOption->isChecked() && m->typedAnswersOption->isChecked());
        QVERIFY(!m->timeLimitBar->isEnabled() && m->timeLimitLabel->text().isEmpty());
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(m->timeLimitBar);
        f.run(u"Check,"_s + c[0], [&](const QString& step) {
            if (step == u"Check"_s)
                f.run(u"Ajapiirang vastamiseks"_s);
            else if (step.startsWith(u"set "_s))
                face->valueInterface()->setCurrentValue(step.mid(4).toInt());
            else if (step.endsWith(u"crease"_s))
                face->actionInterface()->doAction(
                    step == u"increase"_s ? QAccessibleActionInterface::increaseAction()
                                          : QAccessibleActionInterface::decreaseAction());
            else
                QTest::keyClick(m->timeLimitBar, Qt::Key_Up);
            return true;
        });
        QCOMPARE(m->timeLimitLabel->text(), text);
        QCOMPARE(face->valueInterface()->currentValue().toInt(), seconds);
        QCOMPARE(m->timeLimitBar->isEnabled(), !text.isEmpty());
    }

    // Every toolbar button, and Exit in the menu, reaches its own command; the quiz asks for an
    // Estonian word. (The other menu items and the big buttons are worked by the suites of their
    // commands.)
    void buttons_data() {
        QTest::addColumn<QString>("effect");
        for (const QString& row :
             u"Toolbar1_New:new list,Toolbar1_Open:open,Toolbar1_Save:saved,"
             "Toolbar1_Edit:editor,Toolbar1_Testime:refused,Toolbar1_Testime koer:quiz,"
             "Toolbar1_Exit:end,MFExit koer:end"_s.split(u','))
            QTest::newRow(qPrintable(row.section(u':', 0, 0))) << row.section(u':', 1);
    }
    void buttons() {
        QFETCH(QString, effect);
        const QStringList tag = QString(QTest::currentDataTag()).split(' ');
        Program f;
        const QString file = f.state.CurrentFile = f.file(u"list.dic"_s);
        f.state.ForeignWords[0] = u"dog"_s;
        f.state.EstonianWords[0] = tag.value(1);
        if (auto* action = f.main->toolBar->findChild<QAction*>(tag[0]))
            click(f.main->toolBar->widgetForAction(action));
        else
            f.main->findChild<QAction*>(tag[0])->trigger();
        QStringList seen{f.state.CurrentFile != file ? "new list" : "",
                         QFile::exists(file) ? "saved" : "",
                         f.forms.find<EditorWindow>() ? "editor" : "",
                         f.forms.find<QuizWindow>() ? "quiz" : "", f.platform.ended() ? "end" : ""};
        seen << f.dialogs();
        for (const auto& message : f.platform.messages)
            seen << (message.text.startsWith("Pole, mida küsida!") ? "refused" : message.text);
        seen.removeAll(QString());
        QCOMPARE(seen.join(','), effect);
    }

    // The texts arrive once the window is on screen; then every 500, 501, 502 and 503 ms the next,
    // and the main window after the last.
    void bannerThenHandOver() {
        Started s;
        QVERIFY(s.intro->bannerLabel->text().isEmpty());
        settle();
        QCOMPARE(s.intro->authorLabel->text(), u"Author:     Orvandel"_s);
        const QStringList banner = {"Sonarix ver 1.3.9", "Made by", "Orvandel",
                                    "Click the window to continiue"};
        for (int step = 0; step < banner.size(); ++step) {
            QVERIFY(!s.forms.find<MainWindow>());
            s.platform.advance(499 + step);
            QCOMPARE(s.intro->bannerLabel->text(), banner[qMax(0, step - 1)]);
            s.platform.advance(1);
            QCOMPARE(s.intro->bannerLabel->text(), banner[step]);
        }
        QVERIFY(!s.forms.find<IntroWindow>() && !s.intro->isVisible());
        QVERIFY(s.forms.find<MainWindow>() && s.forms.find<MainWindow>()->isVisible());
        s.platform.advance(5000);
        QVERIFY(!s.platform.ended());
    }

    // A click, or any key that produces a character (control characters too), hands over at once;
    // keys without a character, and Delete, do not. A file named on the command line opens then,
    // as Open does after its dialog, relative to the working folder; one that fails (odd.dic,
    // ERROR 62) is reported and leaves the program as a plain start does, untitled and empty.
    void earlyHandOver_data() {
        Rows row; // "click", "click author" or a key: its code, then its text | the file named on
                  // the command line | the main window's title ("": not handed over)
        const QString untitled = QStringLiteral("Sonarix - Untitled.dic");
        row("click on the window", "click |  | " + untitled);
        row("click on the author, a file", "click author | sõnad.dic | Tolkrix - sõnad.dic");
        row("Estonian letter, a bad file",
            QStringLiteral("%1 õ | odd.dic | ").arg(Qt::Key_unknown) + untitled);
        row("Esc", QStringLiteral("%1 \x1b |  | ").arg(Qt::Key_Escape) + untitled);
        row("Shift", QStringLiteral("%1 | sõnad.dic | ").arg(Qt::Key_Shift));
        row("Delete", QStringLiteral("%1 \x7f |  | ").arg(Qt::Key_Delete));
    }
    void earlyHandOver() {
        const QStringList c = cells();
        const QString how = c[0], file = c[1], title = c[2];
        const bool read = title.startsWith(u"Tolkrix"_s);
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath(u"sõnad.dic"_s), "maja\r\nhouse\r\n\xf5un\r\napple\r\n"));
        QVERIFY(writeFile(dir.filePath(u"odd.dic"_s), "a\r\nb\r\nc\r\n"));
        const QString previous = QDir::currentPath();
        QDir::setCurrent(dir.path());
        Started s;
        s.intro->setFileToOpen(file);
        settle();
        s.platform.advance(200);
        if (how == u"click"_s)
            QTest::mouseClick(s.intro, Qt::LeftButton, {}, QPoint(5, 5));
        else if (how == u"click author"_s)
            click(s.intro->authorLabel);
        else
            QTest::sendKeyEvent(QTest::Click, s.intro, Qt::Key(how.section(u' ', 0, 0).toInt()),
                                how.section(u' ', 1), Qt::NoModifier);
        QDir::setCurrent(previous);
        MainWindow* main = s.forms.find<MainWindow>();
        QCOMPARE(main ? main->windowTitle() : QString(), title);
        QVERIFY(!s.platform.ended() && someWindowShown(s.forms) && s.platform.dialogs.isEmpty());
        if (!main)
            return;
        QCOMPARE(s.state.CurrentFile,
                 read ? dir.filePath(file) : untitledPath(s.platform.workingDir));
        QCOMPARE(s.state.ForeignWords[0], read ? u"house"_s : QString());
        QCOMPARE(s.platform.messages.size(), file.isEmpty() || read ? 0 : 1);
    }

    // Every way out (the tags) brings the main window back, with nothing started; System Info, by
    // click or Enter, leaves About up and starts what it finds, or says so. The second key is
    // there too unless nothing is found. Text drops one terminating zero, in the Baltic code page;
    // a REG_DWORD reads unsigned. Without a registry, the desktop's own tool is looked for in a
    // folder on PATH holding the programs named (a trailing "-": not runnable); %1 is that folder.
    // With one (Windows), PATH is never searched.
    void wayOutOrSystemInfo_data() {
        QTest::addColumn<Values>("first");
        QTest::addColumn<QStringList>("onPath");
        QTest::addColumn<QStringList>("outcome");
        const Values found{{"PATH", {1, QByteArray("C:\\\xd5ppe\\msinfo32.exe\0", 21)}}};
        const QString tool = u"C:\\Tools\\MSInfo\\MSINFO32.EXE"_s;
        const QString no = u"System Information Is Unavailable At This Time"_s;
        const auto row = [](const char* tag, const Values& first, const QStringList& outcome,
                            const QStringList& onPath = {}) {
            QTest::newRow(tag) << first << onPath << outcome;
        };
        for (const char* way : {"OK", "Escape", "Enter on OK", "close box"})
            row(way, {}, {});
        row("Enter on System Info", {}, {tool});
        row("first key", found, {u"C:\\Õppe\\msinfo32.exe"_s});
        row("unterminated", {{"PATH", {1, "C:\\a.exe"}}}, {"C:\\a.exe"});
        row("number", {{"PATH", {4, "\xff\xff\xff\x80"}}}, {"2164260863"});
        row("value of size 0", {{"PATH", {1, ""}}}, {no});
        row("start fails", found, {u"C:\\Õppe\\msinfo32.exe"_s, no});
        row("second key, tool missing", {}, {no});
        row("first key without the value", {{"Other", {1, "x"}}}, {tool});
        row("not found", {}, {no});
        const QStringList desktop{"kinfocenter", "gnome-control-center", "hardinfo"};
#ifndef Q_OS_WIN // systems without a registry
        row("KDE", {}, {"%1/kinfocenter"}, desktop);
        row("GNOME", {}, {"%1/gnome-control-center info-overview"}, desktop.mid(1));
        row("HardInfo", {}, {"%1/hardinfo"}, {"kinfocenter-", "hardinfo"});
        row("no desktop tool", {}, {no}, {"kinfocenter-", "other"});
#endif

        row("registry, tools on PATH", {}, {no}, desktop);
    }
    void wayOutOrSystemInfo() {
        QFETCH(Values, first);
        QFETCH(QStringList, onPath);
        QFETCH(QStringList, outcome);
        const QString tag = QTest::currentDataTag();
        Program p;
        p.run(u"menu:About!"_s);
        QCOMPARE(p.inSight(), u"About"_s);
        const QByteArray key = "80000002\\SOFTWARE\\Microsoft\\Shared Tools";
        if (!first.isEmpty())
            p.platform.fakeRegistry.keys[key + "\\MSINFO"] = first;
        for (const QString& name : onPath)
            QVERIFY(writeFile(p.dir.filePath(name.chopped(name.endsWith(u'-'))), {},
                              name.endsWith(u'-') ? 0644 : 0755));
        if (!onPath.isEmpty())
            p.platform.searchPath = {u"/nonexistent"_s, p.dir.path()};
        else if (tag != "not found")
            p.platform.fakeRegistry.keys[key + " Location"]["MSINFO"] = {
                1, {"C:\\Tools\\MSInfo\0", 16}};
        p.platform.fakeRegistry.exists = onPath.isEmpty() || tag.startsWith("registry");
        if (!tag.endsWith("tool missing"))
            p.platform.existingFiles << u"C:\\Tools\\MSInfo\\MSINFO32.EXE"_s;
        p.platform.startSucceeds = tag != "start fails";
        const QHash<QString, QString> ways{{"OK", "OK"},
                                           {"Escape", "key:Esc"},
                                           {"Enter on OK", "key:Return"},
                                           {"close box", "close:About"},
                                           {"Enter on System Info", "key:Tab,key:Return"}};
        p.run(ways.value(tag, u"System Info..."_s));
        QCOMPARE(p.inSight(), outcome.isEmpty() ? u"Main"_s : u"About"_s);
        QStringList seen = p.platform.started;
        for (const auto& message : p.platform.messages)
            seen << message.text;
        QCOMPARE(seen, outcome.replaceInStrings(u"%1"_s, p.dir.path()));
        // Every key opened is closed, on every road (the size 0 throw included).
        QVERIFY(p.platform.fakeRegistry.open.isEmpty());
    }

    // Every window can be worked by keyboard alone, every control a screen reader reaches has a
    // name it can speak, and words and file names are shown as stored, never as markup.
    void reachedNamedAndPlain_data() {
        Rows row; // the window's object name | the steps that bring it up
        row("Main", "Main | ");
        row("Editor", "Editor | Editor");
        row("Test", "Test | Test");
        row("Test choices", "Test | Valikvastustega,Test");
        row("AkenVale", "AkenVale | Test,type:x,key:Return");
        row("Tulemus", "Tulemus | Test,type:x,key:Return,Jätkan,Tulemused");
        row("About", "About | menu:About!");
        row("Kassav", "Kassav | Exit");
        row("Algus", "Algus | intro");
    }
    void reachedNamedAndPlain() {
        const QStringList c = cells();
        Program p;
        p.store(u"x&lt;1=<b>sõna1</b> x&lt;2=<b>sõna2</b> 3=3 4=4 5=5"_s);
        p.state.CurrentFile = u"/home/<b>x</b>/a&lt;b.dic"_s;
        p.state.Changed = 1;
        p.run(c[1], [&](const QString& step) {
            return step == u"intro"_s && p.forms.show<IntroWindow>();
        });
        QWidget* shown = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            shown = w->isVisible() && w->objectName() == c[0] ? w : shown;
        QVERIFY(shown && shown->isVisible());
        settle();
        const auto spoken = [](QWidget* w) {
            QAccessibleInterface* face = QAccessible::queryAccessibleInterface(w);
            return face ? face->text(QAccessible::Name) : QString();
        };
        // Tab from the focused control goes round every control that takes the focus.
        QSet<QWidget*> reached;
        for (QWidget* w = shown->nextInFocusChain(); w != shown; w = w->nextInFocusChain())
            if (w->isVisibleTo(shown) && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus))
                reached.insert(w);
        for (QWidget* w : shown->findChildren<QWidget*>()) {
            if (auto* label = qobject_cast<QLabel*>(w); label && label->text().contains(u'<'))
                QCOMPARE(spoken(label), label->text());
            if (!w->isVisibleTo(shown) || !(w->focusPolicy() & Qt::TabFocus))
                continue;
            QVERIFY2(!spoken(w).trimmed().isEmpty(), qPrintable(w->objectName()));
            QVERIFY2(!w->isEnabled() || reached.contains(w), qPrintable(w->objectName()));
        }
    }
};

QTEST_MAIN(TestWindows)
#include "tst_windows.moc"
