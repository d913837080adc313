// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's controls, the intro that hands over to it, About beside it, and every
// window's reach by keyboard and screen reader. The real dialogs and message box of QtPlatform
// under the offscreen platform, answered from inside their own event loop, and windows unloaded
// while one is up.
#include "app/IntroWindow.h"
#include "app/MainWindow.h"
#include "app/SysInfo.h"
#include "editor/EditorWindow.h"
#include "forms/ClickLabel.h"
#include "forms/Forms.h"
#include "forms/ReversedScrollBar.h"
#include "platform/QtPlatform.h"
#include "quiz/QuizWindow.h"
#include "quiz/ResultsWindow.h"
#include "state/ProgramState.h"
#include "support/FakePlatform.h"
#include "support/TestUtil.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>

using namespace Qt::StringLiterals;

using Values = QMap<QByteArray, std::pair<quint32, QByteArray>>; // the first key's values
const QByteArray SharedTools = "80000002\\SOFTWARE\\Microsoft\\Shared Tools";
const QByteArray MsInfoKey = SharedTools + "\\MSINFO";

class TestWindows : public QObject {
    Q_OBJECT
private slots:
    // The main window's own controls, and About beside it. Every toolbar button, and Exit in the
    // menu, reaches its own command; the quiz asks for an Estonian word. (The other menu items and
    // the big buttons are worked by the suites of their commands.) The Up key and the screen
    // reader's actions move the time limit, five minutes at most; its label says it in minutes and
    // seconds. Switched off, the limit shows nothing and takes no change; switched on again, it
    // shows the value kept meanwhile. It starts off, with the foreign words asked and answers
    // typed.
    void mainWindow_data() {
        QTest::addColumn<QString>("word"); // the Estonian word of the only pair, from list.dic
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("inSight");
        QTest::addColumn<QString>("limit"); // the time limit's label; empty while it is off
        // "new list" (the list is untitled now), "saved" (list.dic written), "end", the dialogs
        // met, the programs started, the messages shown
        QTest::addColumn<QStringList>("effect");
        const QString on = u"click:Ajapiirang vastamiseks"_s, no, m = u"Main"_s;
        const QStringList none;
        row("New", no, QStringList{"click:Toolbar1_New"}, m, no, QStringList{"new list"});
        row("Open", no, QStringList{"click:Toolbar1_Open"}, m, no, QStringList{"open"});
        row("Save", no, QStringList{"click:Toolbar1_Save"}, m, no, QStringList{"saved"});
        row("Edit", no, QStringList{"click:Toolbar1_Edit"}, "Editor Main", no, none);
        row("Testime, no word", no, QStringList{"click:Toolbar1_Testime"}, m, no,
            QStringList{"Pole, mida küsida! Sisesta EDITORiga eelnevalt sõnad või ava eelnevalt "
                        "salvestatud fail."});
        row("Testime", "koer", QStringList{"click:Toolbar1_Testime"}, "Main Test", no, none);
        row("Exit", "koer", QStringList{"click:Toolbar1_Exit"}, m, no, QStringList{"end"});
        row("menu Exit", "koer", QStringList{"menu:Exit"}, m, no, QStringList{"end"});
        row("limit Up twice", no, QStringList{on, "focus:VScroll1", "key:Up", "key:Up"}, m,
            "  0 minutit ja  2 sekundit.", none);
        row("limit 61 by increase", no,
            QStringList{on} + QStringList(61, "reader:VScroll1:increase"), m,
            "  1 minutit ja  1 sekundit.", none);
        row("limit set past the top", no, QStringList{on, "reader:VScroll1:301"}, m,
            "  5 minutit ja  0 sekundit.", none);
        row("limit set past the bottom", no, QStringList{on, "reader:VScroll1:-5"}, m,
            "  0 minutit ja  0 sekundit.", none);
        row("limit decrease", no, QStringList{on, "reader:VScroll1:60", "reader:VScroll1:decrease"},
            m, "  0 minutit ja  59 sekundit.", none);
        row("limit off", no, QStringList{on, "reader:VScroll1:300", on}, m, no, none);
        row("limit off and on", no, QStringList{on, "reader:VScroll1:299", on, on}, m,
            "  4 minutit ja  59 sekundit.", none);
        row("limit, no change while off", no,
            QStringList{"reader:VScroll1:59", "reader:VScroll1:increase", on}, m,
            "  0 minutit ja  0 sekundit.", none);
        // Every way out of About brings the main window back, with nothing started; System Info
        // leaves About up and starts what it finds.
        const QString about = u"menu:About!"_s;
        row("About, OK", no, QStringList{about, "click:OK"}, m, no, none);
        row("About, Escape", no, QStringList{about, "key:Esc"}, m, no, none);
        row("About, Enter on OK", no, QStringList{about, "key:Return"}, m, no, none);
        row("About, close box", no, QStringList{about, "close:About"}, m, no, none);
        row("About, Enter on System Info", no, QStringList{about, "key:Tab", "key:Return"}, "About",
            no, QStringList{"C:\\a.exe"});
    }
    void mainWindow() {
        QFETCH(QString, word);
        QFETCH(QStringList, steps);
        QFETCH(QString, inSight);
        QFETCH(QString, limit);
        QFETCH(QStringList, effect);
        Program p;
        const QString file = p.state.CurrentFile = p.file(u"list.dic"_s);
        p.store("dog=" + word);
        p.platform.fakeRegistry.keys[MsInfoKey]["PATH"] = {1, "C:\\a.exe"};
        QVERIFY(p.main->askForeignOption->isChecked() && p.main->typedAnswersOption->isChecked());
        p.run(steps);
        QCOMPARE(p.inSight(), inSight);
        QCOMPARE(p.main->timeLimitLabel->text(), limit);
        QCOMPARE(p.main->timeLimitBar->isEnabled(), !limit.isEmpty());
        // A screen reader reads the limit the bar holds.
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(p.main->timeLimitBar);
        QVERIFY(face && face->valueInterface());
        QCOMPARE(face->valueInterface()->currentValue().toInt(), p.main->timeLimitBar->value());
        QStringList seen{p.state.CurrentFile != file ? "new list" : "",
                         QFile::exists(file) ? "saved" : "", p.platform.ended() ? "end" : "",
                         p.dialogs()};
        seen << p.platform.started;
        for (const auto& message : p.platform.messages)
            seen << message.text;
        seen.removeAll(QString());
        QCOMPARE(seen, effect);
    }

    // The texts arrive once the window is on screen; then every 500, 501, 502 and 503 ms the next,
    // and the main window after the last.
    void bannerThenHandOver() {
        Program p(true);
        QPointer<IntroWindow> intro = p.forms.find<IntroWindow>();
        QVERIFY(intro && intro->bannerLabel->text().isEmpty());
        settle();
        QCOMPARE(intro->authorLabel->text(), u"Author:     Orvandel"_s);
        const QStringList banner = {"Sonarix ver 1.3.9", "Made by", "Orvandel",
                                    "Click the window to continiue"};
        for (int step = 0; step < banner.size(); ++step) {
            QVERIFY(!p.forms.find<MainWindow>());
            p.platform.advance(499 + step);
            QCOMPARE(intro->bannerLabel->text(), banner[qMax(0, step - 1)]);
            p.platform.advance(1);
            QCOMPARE(intro->bannerLabel->text(), banner[step]);
        }
        QVERIFY(!p.forms.find<IntroWindow>() && !intro->isVisible());
        QVERIFY(p.forms.find<MainWindow>() && p.forms.find<MainWindow>()->isVisible());
        p.platform.advance(5000);
        QVERIFY(!p.platform.ended());
    }

    // A click, or any key that produces a character (control characters too), hands over at once;
    // keys without a character, and Delete, do not. A file named on the command line opens then,
    // as Open does after its dialog, relative to the working folder; one that fails (odd.dic,
    // ERROR 62) is reported and leaves the program as a plain start does, untitled and empty. A
    // .txt goes to the import window only when its rows hold two columns; a dictionary saved
    // under a .txt name opens as one.
    void earlyHandOver_data() {
        QTest::addColumn<QStringList>("steps"); // 200 ms after the banner came up
        QTest::addColumn<QString>("file");      // named on the command line
        QTest::addColumn<QString>("inSight");
        QTest::addColumn<QString>("title");     // the main window's; "": not handed over
        QTest::addColumn<QString>("firstWord"); // the foreign word of the list's first pair
        QTest::addColumn<int>("messages");
        const QString untitled = u"Sonarix - Untitled.dic"_s, intro = u"Algus"_s;
        const QStringList click{"click:Algus"};
        row("click on the window", click, "", "Main", untitled, "", 0);
        row("click on the author, a file", QStringList{"click:Label2"}, "sõnad.dic", "Main",
            "Tolkrix - sõnad.dic", "house", 0);
        row("Estonian letter, a bad file", QStringList{"type:õ"}, "odd.dic", "Main", untitled, "",
            1);
        row("Esc", QStringList{"key:Esc"}, "", "Main", untitled, "", 0);
        row("Shift", QStringList{"key:Shift"}, "sõnad.dic", intro, "", "", 0);
        row("Delete", QStringList{"key:Del"}, "", intro, "", "", 0);
        row("a dictionary named .txt", click, "list.txt", "Main", "Tolkrix - list.txt",
            "dog, hound", 0);
        row("a .txt of two columns", click, "words.txt", "Import Main", untitled, "", 0);
    }
    void earlyHandOver() {
        QFETCH(QStringList, steps);
        QFETCH(QString, file);
        QFETCH(QString, inSight);
        QFETCH(QString, title);
        QFETCH(QString, firstWord);
        QFETCH(int, messages);
        Program p(true);
        QVERIFY(writeFile(p.file(u"sõnad.dic"_s), "maja\r\nhouse\r\n\xf5un\r\napple\r\n"));
        QVERIFY(writeFile(p.file(u"odd.dic"_s), "a\r\nb\r\nc\r\n"));
        QVERIFY(writeFile(p.file(u"list.txt"_s), "koer\r\n\"dog, hound\"\r\n\xF5un\r\napple\r\n"));
        QVERIFY(writeFile(p.file(u"words.txt"_s), "koer\tdog\r\n\xF5un\tapple\r\n"));
        const QString previous = QDir::currentPath();
        QDir::setCurrent(p.dir.path());
        p.forms.find<IntroWindow>()->setFileToOpen(file);
        settle();
        p.platform.advance(200);
        p.run(steps);
        QDir::setCurrent(previous);
        QCOMPARE(p.inSight(), inSight);
        MainWindow* main = p.forms.find<MainWindow>();
        QCOMPARE(main ? main->windowTitle() : QString(), title);
        QVERIFY(!p.platform.ended() && p.platform.dialogs.isEmpty());
        QCOMPARE(p.state.ForeignWords[0], firstWord);
        QCOMPARE(p.platform.messages.size(), messages);
    }

    // What System Info starts, or else the message that it cannot. The first key (MSINFO, value
    // PATH) is looked at first, the second (MSINFO in "Shared Tools Location", naming the folder
    // of MSINFO32.EXE) after. Text drops one terminating zero, in the Baltic code page; a
    // REG_DWORD reads unsigned. Without a registry, the desktop's own tool is looked for in a
    // folder on PATH holding the programs named (a trailing "-": not runnable); %1 is that folder.
    // With one (Windows), PATH is never searched.
    void systemInfo_data() {
        QTest::addColumn<Values>("first");
        QTest::addColumn<bool>("second"); // the second key is there
        QTest::addColumn<bool>("registry");
        QTest::addColumn<bool>("toolThere"); // C:\Tools\MSInfo\MSINFO32.EXE exists
        QTest::addColumn<bool>("startWorks");
        QTest::addColumn<QStringList>("onPath");
        QTest::addColumn<QStringList>("outcome"); // programs started, then messages
        const Values found{{"PATH", {1, QByteArray("C:\\\xd5ppe\\msinfo32.exe\0", 21)}}};
        const QString tool = u"C:\\Tools\\MSInfo\\MSINFO32.EXE"_s;
        const QString no = u"System Information Is Unavailable At This Time"_s;
        const QStringList desktop{"kinfocenter", "gnome-control-center", "hardinfo"}, none;
        row("first key", found, true, true, true, true, none,
            QStringList{"C:\\Õppe\\msinfo32.exe"});
        row("unterminated", Values{{"PATH", {1, "C:\\a.exe"}}}, true, true, true, true, none,
            QStringList{"C:\\a.exe"});
        row("number", Values{{"PATH", {4, "\xff\xff\xff\x80"}}}, true, true, true, true, none,
            QStringList{"2164260863"});
        row("value of size 0", Values{{"PATH", {1, ""}}}, true, true, true, true, none,
            QStringList{no});
        row("start fails", found, true, true, true, false, none,
            QStringList{"C:\\Õppe\\msinfo32.exe", no});
        row("second key", Values(), true, true, true, true, none, QStringList{tool});
        row("second key, tool missing", Values(), true, true, false, true, none, QStringList{no});
        row("first key without the value", Values{{"Other", {1, "x"}}}, true, true, true, true,
            none, QStringList{tool});
        row("no key", Values(), false, true, true, true, none, QStringList{no});
#ifndef Q_OS_WIN // systems without a registry
        row("KDE", Values(), false, false, true, true, desktop, QStringList{"%1/kinfocenter"});
        row("GNOME", Values(), false, false, true, true, desktop.mid(1),
            QStringList{"%1/gnome-control-center info-overview"});
        row("HardInfo", Values(), false, false, true, true, QStringList{"kinfocenter-", "hardinfo"},
            QStringList{"%1/hardinfo"});
        row("no desktop tool", Values(), false, false, true, true,
            QStringList{"kinfocenter-", "other"}, QStringList{no});
#endif
        row("registry, tools on PATH", Values(), false, true, true, true, desktop, QStringList{no});
    }
    void systemInfo() {
        QFETCH(Values, first);
        QFETCH(bool, second);
        QFETCH(bool, registry);
        QFETCH(bool, toolThere);
        QFETCH(bool, startWorks);
        QFETCH(QStringList, onPath);
        QFETCH(QStringList, outcome);
        QTemporaryDir dir;
        FakePlatform platform;
        if (!first.isEmpty())
            platform.fakeRegistry.keys[MsInfoKey] = first;
        if (second)
            platform.fakeRegistry.keys[SharedTools + " Location"]["MSINFO"] = {
                1, {"C:\\Tools\\MSInfo\0", 16}};
        platform.fakeRegistry.exists = registry;
        if (toolThere)
            platform.existingFiles << u"C:\\Tools\\MSInfo\\MSINFO32.EXE"_s;
        platform.startSucceeds = startWorks;
        for (const QString& name : onPath)
            QVERIFY(writeFile(dir.filePath(name.chopped(name.endsWith(u'-'))), {},
                              name.endsWith(u'-') ? 0644 : 0755));
        platform.searchPath = {u"/nonexistent"_s, dir.path()};
        sysinfo::startSystemInformation(platform);
        QStringList seen = platform.started;
        for (const auto& message : platform.messages)
            seen << message.text;
        QCOMPARE(seen, outcome.replaceInStrings(u"%1"_s, dir.path()));
        // Every key opened is closed, on every road (the size 0 throw included).
        QVERIFY(platform.fakeRegistry.open.isEmpty());
    }

    // Every window can be worked by keyboard alone: Tab from its first control visits the
    // controls in the designed order and comes back round. Every control that takes the focus
    // has a name a screen reader can speak, and words and file names are shown as stored, never
    // as markup.
    void tabOrderNamedAndPlain_data() {
        QTest::addColumn<QStringList>("steps"); // bring the window up
        QTest::addColumn<QString>("window");
        QTest::addColumn<QStringList>("order"); // designer names, from the first control
        // The time limit's bar is a tab stop once the limit is on.
        row("Main, limit on", QStringList{"click:Check1"}, "Main",
            QStringList{"Command1", "nupptest", "Command2", "Option1", "Option3", "Check1",
                        "VScroll1"});
        row("Editor", QStringList{"click:Editor"}, "Editor",
            QStringList{"Text2", "Text1", "Command1", "Command2", "Command3", "Command4", "List2",
                        "List1", "Command5", "Command6", "Command7", "Command8"});
        row("Test", QStringList{"click:Test"}, "Test",
            QStringList{"Text1", "Command1", "Command2", "Command3"});
        row("Test choices", QStringList{"click:Valikvastustega", "click:Test"}, "Test",
            QStringList{"Kyssa1", "Kyssa2", "Kyssa3", "Kyssa4", "Kyssa5", "Command2", "Command3"});
        row("AkenVale", QStringList{"click:Test", "type:x", "key:Return"}, "AkenVale",
            QStringList{"Command1"});
        row("Tulemus",
            QStringList{"click:Test", "type:x", "key:Return", "click:Jätkan", "click:Tulemused"},
            "Tulemus", QStringList{"Command1", "Command2"});
        row("About", QStringList{"menu:About!"}, "About", QStringList{"cmdOK", "cmdSysInfo"});
        row("Kassav", QStringList{"click:Exit"}, "Kassav",
            QStringList{"Command1", "Command2", "Command3"});
    }
    void tabOrderNamedAndPlain() {
        QFETCH(QStringList, steps);
        QFETCH(QString, window);
        QFETCH(QStringList, order);
        Program p;
        p.store(u"x&lt;1=<b>sõna1</b> x&lt;2=<b>sõna2</b> 3=3 4=4 5=5"_s);
        p.state.CurrentFile = u"/home/<b>x</b>/a&lt;b.dic"_s;
        p.state.Changed = 1;
        p.run(steps + QStringList{"focus:" + order[0]});
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(p.inSight().split(u' ').contains(window), true);
        // Round the window and back to the first control.
        QStringList visited;
        QWidget* shown = QApplication::activeWindow();
        for (qsizetype k = 0; k <= order.size() && !QTest::currentTestFailed(); ++k) {
            if (k > 0)
                p.run(QStringList{"key:Tab"});
            QWidget* focus = QApplication::focusWidget();
            visited << (focus ? focus->objectName() : u"<none>"_s);
        }
        QCOMPARE(visited, order + QStringList{order[0]});
        QVERIFY(shown);
        const auto spoken = [](QWidget* w) {
            QAccessibleInterface* face = QAccessible::queryAccessibleInterface(w);
            return face ? face->text(QAccessible::Name) : QString();
        };
        for (QWidget* w : shown->findChildren<QWidget*>()) {
            if (auto* label = qobject_cast<QLabel*>(w); label && label->text().contains(u'<'))
                QCOMPARE(spoken(label), label->text());
            if (w->isVisibleTo(shown) && (w->focusPolicy() & Qt::TabFocus))
                QVERIFY2(!spoken(w).trimmed().isEmpty(), qPrintable(w->objectName()));
        }
    }

    // The quiz's time-out ends the test inside the dialog's own event loop, the results window
    // unloads the quiz window, and the dialog (whose parent is that quiz window, the active
    // window) must come through whole.
    void timeOutUnderDialog_data() {
        QTest::addColumn<bool>("open"); // else a message box
        QTest::newRow("open dialog") << true;
        QTest::newRow("message box") << false;
    }
    void timeOutUnderDialog() {
        QFETCH(bool, open);
        ProgramState state;
        QtPlatform platform;
        Forms forms(state, platform);
        setPairs(state, {QStringLiteral("koer|dog")}); // one pair: the first time-out ends the test
        MainWindow* main = forms.show<MainWindow>();
        click(main->timeLimitCheck);
        main->timeLimitBar->setValue(1);
        click(main->testButton);
        QPointer<QuizWindow> test = forms.find<QuizWindow>();
        QVERIFY(test);
        test->activateWindow(); // as the user leaves it
        QVERIFY(QTest::qWaitForWindowActive(test));

        // Closed once the time-out has ended the test behind it (after ten seconds: fails).
        // Unloaded inside the dialog's loop, the quiz window must live on until it is gone.
        bool aliveInside = false;
        QElapsedTimer waited;
        waited.start();
        QTimer closer;
        connect(&closer, &QTimer::timeout, this, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal && (forms.find<ResultsWindow>() || waited.elapsed() > 10000)) {
                aliveInside = !test.isNull() && !forms.find<QuizWindow>();
                modal->close();
            }
        });
        closer.start(50);
        if (open)
            main->openAction->trigger();
        else
            platform.message(QStringLiteral("Sonarix"), QStringLiteral("koer"), MessageIcon::None);
        closer.stop();
        QVERIFY(aliveInside);
        QVERIFY(forms.find<ResultsWindow>() && !forms.find<QuizWindow>());
        settle();
        QVERIFY(!test);
        QVERIFY(state.AnsweredCount == 1 && state.WrongCount == 1);
    }

    // A box inside a box: only the outer one's return hands the unloaded windows over.
    void nestedBoxes() {
        FakePlatform platform;
        int handedOver = 0;
        platform.setModalEndedHandler([&] { ++handedOver; });
        platform.whileModal = [&] {
            platform.whileModal = nullptr;
            platform.message(QString(), QString(), MessageIcon::None);
            QCOMPARE(handedOver, 0);
        };
        platform.message(QString(), QString(), MessageIcon::None);
        QCOMPARE(handedOver, 1);
    }

    // The real dialogs and message box of QtPlatform under the offscreen platform, answered by a
    // timer from inside their own event loop, as a user would answer them.
    // A file dialog starts in a fresh folder DIR with the name vana.dic preset. typed: what the
    // user types into the name box before Enter (a missing file is taken: the program tells the
    // user itself what is wrong with it); "<keep>" presses Enter on the preset name,
    // "<cancel>" presses Esc. An empty path means cancelled. A message shows its text as written,
    // even a file name that looks like markup.
    void dialogs_data() {
        QTest::addColumn<QString>("kind"); // open, save or message
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("typed");   // a message: its text
        QTest::addColumn<QString>("offered"); // the filters, by ";"
        QTest::addColumn<QString>("chosen");  // a message: the text read out
        const QString dic = "Sonarix's Files (*.dic) |*.dic|",
                      dicOffered = "Sonarix's Files (*.dic)";
        row("open a missing file", "open", dic, "sõnad.dic", dicOffered, "DIR/sõnad.dic");
        row("open, two filters", "open", "Sõnastikud|*.dic|Tekst (*.txt)|*.txt|", "a.txt",
            "Sõnastikud (*.dic);Tekst (*.txt)", "DIR/a.txt");
        row("open a name without extension", "open", dic, "uus", dicOffered, "DIR/uus.dic");
        row("save the preset name", "save", dic, "<keep>", dicOffered, "DIR/vana.dic");
        row("cancelled", "open", dic, "<cancel>", "", "");
        const QString markup = "ERROR 53: Seda faili pole./a/<b>x</b>&lt;.dic";
        row("message", "message", "", markup, "", markup);
    }
    void dialogs() {
        QFETCH(QString, kind);
        QFETCH(QString, filter);
        QFETCH(QString, typed);
        QFETCH(QString, offered);
        QFETCH(QString, chosen);
        QTemporaryDir dir;
        const QString preset = dir.filePath(u"vana.dic"_s);
        const QString path = chosen.replace(u"DIR"_s, dir.path());
        FileDialogSettings settings{filter, u".dic"_s, preset};

        QWidget* seen = nullptr;
        int ticks = 0;
        QStringList filters;
        QString shown;
        QFileDialog::AcceptMode mode = QFileDialog::AcceptOpen;
        QTimer answer;
        connect(&answer, &QTimer::timeout, this, [&] {
            QWidget* box = QApplication::activeModalWidget();
            if (!box || (box == seen && ++ticks < 200))
                return;
            if (box == seen) // still up long after its answer: the test fails, but ends
                return void(box->close());
            seen = box;
            if (auto* label = box->findChild<QLabel*>(u"qt_msgbox_label"_s)) {
                shown = QAccessible::queryAccessibleInterface(label)->text(QAccessible::Name);
                return QTest::keyClick(box, Qt::Key_Return);
            }
            auto* dialog = qobject_cast<QFileDialog*>(box);
            auto* edit = box->findChild<QLineEdit*>(u"fileNameEdit"_s);
            if (typed == u"<cancel>"_s || !dialog || !edit)
                return QTest::keyClick(box, Qt::Key_Escape);
            filters = dialog->nameFilters();
            mode = dialog->acceptMode();
            if (typed != u"<keep>"_s) {
                edit->selectAll();
                typeText(edit, typed);
            }
            QTest::keyClick(edit, Qt::Key_Return);
        });
        answer.start(20);
        QtPlatform platform;
        if (kind == u"message"_s) {
            platform.message(u"Sonarix"_s, typed, MessageIcon::Critical);
            QCOMPARE(shown, path);
            return;
        }
        const FileDialogResult result = kind == u"save"_s ? platform.saveFileDialog(settings)
                                                          : platform.openFileDialog(settings);

        QVERIFY(seen);
        QCOMPARE(mode, kind == u"save"_s ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        QCOMPARE(filters.join(u';'), offered);
        QCOMPARE(result.cancelled, path.isEmpty());
        QCOMPARE(result.path, QDir::toNativeSeparators(path));
        QCOMPARE(result.name, QFileInfo(path).fileName());
        // The next dialog starts from the last choice; a cancel leaves the preset as it was.
        QCOMPARE(settings.fileName, path.isEmpty() ? preset : QDir::toNativeSeparators(path));
    }
};

QTEST_MAIN(TestWindows)
#include "tst_windows.moc"
