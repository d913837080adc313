// SPDX-License-Identifier: GPL-3.0-or-later
// Open and Save, the save prompt that guards Open, Exit and the close box, and saves that fail.
#include "app/MainWindow.h"
#include "forms/Forms.h"
#include "state/ProgramState.h"
#include "support/FakePlatform.h"
#include "support/TestUtil.h"

#include <QDir>
#include <QScopeGuard>
#include <QTest>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

const QByteArray OldFile("vana\r\nold\r\n");

// An edited pair from list.dic, now named "current" (empty: untitled); chosen.dic beside it.
struct Session : Program {
    explicit Session(const QString& word, const QString& current = QStringLiteral("list.dic")) {
        QVERIFY(writeFile(file("list.dic"), OldFile) && writeFile(file("chosen.dic"), OldFile));
        state.CurrentFile = current.isEmpty() ? untitledPath(platform.workingDir) : file(current);
        state.EstonianWords[0] = word;
        state.ForeignWords[0] = QStringLiteral("ex-dog");
        state.Changed = 1;
    }
};

// The i-node tells a file written in place from one replaced by a new file.
ino_t inode(const QString& path) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : 0;
}

} // namespace

class TestFileCommands : public QObject {
    Q_OBJECT
private slots:
    // A file that cannot be read is reported, with the title as it stands then, and the dialog
    // comes back until a file is read.
    void openErrors_data() {
        QTest::addColumn<QString>("chosen");  // in the working folder unless it starts with "/"
        QTest::addColumn<QString>("message"); // %1: the chosen file's path
        QTest::addColumn<QString>("titleThen");
        const QString untitled = u"Sonarix - Untitled.dic"_s;
        row("missing file", "missing.dic", "ERROR 53: Seda faili pole.%1", untitled);
        row("missing folder", "no/such.dic", "ERROR 76: That path doesn't exist.%1", untitled);
        row("folder", ".", "ERROR 75 occurred.", untitled);
        row("odd number of lines", "odd.dic", "ERROR 62 occurred.", "Tolkrix - odd.dic");
#ifdef Q_OS_LINUX
        row("read error", "/proc/self/mem", "ERROR 68: Drive : no available.", "Tolkrix - mem");
#endif
    }
    void openErrors() {
        QFETCH(QString, chosen);
        QFETCH(QString, message);
        QFETCH(QString, titleThen);
        Session s{QString()};
        s.state.Changed = 0; // the part read is no edit: no prompt on the way back
        QVERIFY(writeFile(s.file("odd.dic"), "a\r\nb\r\nc\r\n"));
        QString title;
        s.platform.whileModal = [&] {
            if (!s.platform.messages.isEmpty() && title.isEmpty())
                title = s.main->windowTitle();
        };
        s.run(QStringList{"choose:" + chosen, "choose:chosen.dic", "menu:Open"});
        QCOMPARE(s.platform.messages.size(), 1);
        const QString path = chosen.startsWith(u'/') ? chosen : s.file(chosen);
        QCOMPARE(s.platform.messages[0].text, message.replace("%1", path));
        QCOMPARE(s.platform.messages[0].icon, MessageIcon::None);
        QCOMPARE(title, titleThen);
        QCOMPARE(s.dialogs(), "open,open");
        QCOMPARE(s.state.ForeignWords[0] + s.main->windowTitle(), "oldTolkrix - chosen.dic");
    }

    // The commands that write or name a file, and the prompt that guards Open, Exit and the
    // close box: every answer to it, and saves that fail. A failed save says why, keeps the
    // edits unsaved and stops whatever was to follow; so does a Save As cancelled from the
    // prompt. An empty list has nothing to lose: no prompt. Every file dialog adds ".dic" to a
    // name typed without an extension.
    void commands_data() {
        QTest::addColumn<QString>("file"); // the list's, in the working folder; "": untitled
        QTest::addColumn<QString>("word"); // the Estonian word of its only pair, edited
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<bool>("ended");
        QTest::addColumn<int>("changed");
        QTest::addColumn<QString>("dialogs");  // DIR: the working folder
        QTest::addColumn<QString>("message");  // part of the one message shown; "": none
        QTest::addColumn<QString>("title");    // "": no main window left
        QTest::addColumn<QByteArray>("bytes"); // in the list's file (chosen.dic if untitled)
        const QString untitled = u"Sonarix - Untitled.dic"_s, no;
        const QString list = u"list.dic"_s, koer = u"koer"_s, chosen = u"choose:chosen.dic"_s;
        const QByteArray saved("koer\r\nex}dog\r\n");
        row("Save", list, koer, QStringList{"menu:Save"}, false, 1, no, no,
            "Sonarix - DIR/list.dic", saved);
        row("Save As", list, koer, QStringList{chosen, "menu:Save As"}, false, 1,
            "save:DIR/list.dic", no, "Sonarix - DIR/chosen.dic", OldFile);
        row("New", list, koer, QStringList{"menu:New"}, false, 1, no, no, untitled, OldFile);
        row("New, Save", list, koer, QStringList{"menu:New", chosen, "menu:Save"}, false, 1,
            "save:DIR/Untitled.dic", no, "Sonarix - DIR/chosen.dic", OldFile);
        const QByteArray missing("<missing>");
        // Nothing follows, and the list stays unsaved: the user asked to save and never did, so
        // the next command asks again.
        for (const QString& c : {u"click:Exit"_s, u"menu:Open"_s, u"close:Main"_s}) {
            const QByteArray command = c.section(u':', 1).toUtf8();
            row(command + ", Cancel", list, koer, QStringList{c, "click:Cancel"}, false, 1, no, no,
                untitled, OldFile);
            row(command + ", Yes untitled, Save As cancelled", no, koer,
                QStringList{c, "click:Yes", c, "click:Cancel"}, false, 1, "save:DIR/Untitled.dic",
                no, untitled, OldFile);
        }
        for (const QString& c : {u"click:Exit"_s, u"menu:Open"_s})
            row(c.section(u':', 1).toUtf8() + ", Yes untitled, Save As fails", no, koer,
                QStringList{"choose:gone/list.dic", c, "click:Yes", c, "click:Cancel"}, false, 1,
                "save:DIR/Untitled.dic", "gone/list.dic", "Sonarix - DIR/gone/list.dic", OldFile);
        // A failed save: each way of failing once.
        row("Exit, Yes, missing folder", "gone/list.dic", koer,
            QStringList{chosen, "click:Exit", "click:Yes"}, false, 1, no, "gone/list.dic", untitled,
            missing);
        row("Open, Yes, not in the code page", list, "naïve",
            QStringList{chosen, "menu:Open", "click:Yes"}, false, 1, no, "\"naïve\"", untitled,
            OldFile);
        // The close box: a main window that comes back is a fresh one, untitled.
        const QString box = u"close:Main"_s;
        row("close box, close box", list, koer, QStringList{box, "close:Kassav"}, false, 1, no, no,
            untitled, OldFile);
        row("close box, Yes, missing folder", "gone/list.dic", koer, QStringList{box, "click:Yes"},
            false, 1, no, "gone/list.dic", untitled, missing);
        row("close box, Yes untitled, Save As fails", no, koer,
            QStringList{"choose:gone/list.dic", box, "click:Yes", box, "click:Cancel"}, false, 1,
            "save:DIR/Untitled.dic", "gone/list.dic", untitled, OldFile);
        row("Exit, nothing to lose, no prompt", list, no, QStringList{"click:Exit"}, true, 1, no,
            no, untitled, OldFile);
        row("Open, nothing to lose, no prompt", list, no, QStringList{chosen, "menu:Open"}, false,
            1, "open", no, "Tolkrix - chosen.dic", OldFile);
        row("close box, nothing to lose, no prompt", list, no, QStringList{box}, true, 1, no, no,
            no, OldFile);
        row("Exit, Yes", list, koer, QStringList{"click:Exit", "click:Yes"}, true, 0, no, no,
            untitled, saved);
        row("Exit, Yes untitled", no, koer, QStringList{chosen, "click:Exit", "click:Yes"}, true, 0,
            "save:DIR/Untitled.dic", no, untitled, saved);
        row("Exit, No", list, koer, QStringList{"click:Exit", "click:No"}, true, 0, no, no,
            untitled, OldFile);
        row("Open, Yes", list, koer, QStringList{chosen, "menu:Open", "click:Yes"}, false, 0,
            "open", no, "Tolkrix - chosen.dic", saved);
        row("Open, Yes untitled", no, koer,
            QStringList{chosen, "choose:list.dic", "menu:Open", "click:Yes"}, false, 0,
            "save:DIR/Untitled.dic,open", no, "Tolkrix - list.dic", saved);
        row("Open, No", list, koer, QStringList{chosen, "menu:Open", "click:No"}, false, 0, "open",
            no, "Tolkrix - chosen.dic", OldFile);
        row("close box, Yes", list, koer, QStringList{"close:Main", "click:Yes"}, true, 0, no, no,
            no, saved);
        row("close box, Yes untitled", no, koer, QStringList{chosen, "close:Main", "click:Yes"},
            true, 0, "save:DIR/Untitled.dic", no, untitled, saved);
        row("close box, No", list, koer, QStringList{"close:Main", "click:No"}, true, 0, no, no, no,
            OldFile);
    }
    void commands() {
        QFETCH(QString, file);
        QFETCH(QString, word);
        QFETCH(QStringList, steps);
        QFETCH(bool, ended);
        QFETCH(int, changed);
        QFETCH(QString, dialogs);
        QFETCH(QString, message);
        QFETCH(QString, title);
        QFETCH(QByteArray, bytes);
        Session s(word, file);
        s.run(steps);
        QCOMPARE(s.platform.ended(), ended);
        QCOMPARE(int(s.state.Changed), changed);
        QCOMPARE(s.dialogs(), dialogs);
        QCOMPARE(s.platform.messages.size(), int(!message.isEmpty()));
        QVERIFY(s.platform.messages.isEmpty() || s.platform.messages[0].text.contains(message));
        MainWindow* main = s.forms.find<MainWindow>();
        QCOMPARE(main ? QDir::fromNativeSeparators(main->windowTitle()) : QString(),
                 title.replace("DIR", s.dir.path()));
        QCOMPARE(fileBytes(s.file(file.isEmpty() ? "chosen.dic" : file)), bytes);
        for (const auto& dialog : s.platform.dialogs)
            QCOMPARE(dialog.settings.defaultExt, ".dic");
        if (!ended)
            QCOMPARE(s.inSight(), "Main");
    }

    // A file that the list holds only in part (more than 1000 pairs, or a read that failed with
    // more of the file unread) is never written back short without the user naming the file in
    // the Save As dialog; a later Open that fails before reading leaves that guard standing.
    // Once written whole under a name the user chose, Save writes straight to it.
    void partlyLoadedFile_data() {
        QTest::addColumn<QString>("opened");    // big.dic holds 1500 pairs
        QTest::addColumn<bool>("gone");         // then deleted, and opened again in vain
        QTest::addColumn<QStringList>("steps"); // after an edit
        QTest::addColumn<QString>("dialogs");
        QTest::addColumn<int>("pairs"); // in big.dic afterwards; -1: not looked at
        QTest::addColumn<bool>("ended");
        const QString big = u"big.dic"_s, same = u"choose:big.dic"_s;
        const QString asked = u"open,save:DIR/big.dic"_s;
        row("Save, cancelled", big, false, QStringList{"menu:Save"}, asked, 1500, false);
        row("Save, same name", big, false, QStringList{same, "menu:Save"}, asked, 1000, false);
        row("Exit, Yes, cancelled", big, false, QStringList{"click:Exit", "click:Yes"}, asked, 1500,
            false);
        row("Exit, Yes, same name", big, false, QStringList{same, "click:Exit", "click:Yes"}, asked,
            1000, true);
        row("close box, Yes, cancelled", big, false, QStringList{"close:Main", "click:Yes"}, asked,
            1500, false);
        row("close box, Yes, same name", big, false, QStringList{same, "close:Main", "click:Yes"},
            asked, 1000, true);
        row("Save after a cancel asks again", big, false,
            QStringList{"menu:Save", same, "menu:Save", "menu:Save"},
            "open,save:DIR/big.dic,save:DIR/big.dic", 1000, false);
#ifdef Q_OS_LINUX
        row("read error, Save", "/proc/self/mem", false, QStringList{"menu:Save"},
            "open,open,save:/proc/self/mem", -1, false);
#endif
        row("gone when opened again", big, true, QStringList{"menu:Save"},
            "open,open,open,save:DIR/big.dic", -1, false);
    }
    void partlyLoadedFile() {
        QFETCH(QString, opened);
        QFETCH(bool, gone);
        QFETCH(QStringList, steps);
        QFETCH(QString, dialogs);
        QFETCH(int, pairs);
        QFETCH(bool, ended);
        Session s{QString()};
        QByteArray big;
        for (int k = 0; k < 1500; ++k)
            big += "s" + QByteArray::number(k) + "\r\nw" + QByteArray::number(k) + "\r\n";
        QVERIFY(writeFile(s.file("big.dic"), big));
        s.run(QStringList{"choose:" + opened, "menu:Open"});
        QCOMPARE(s.platform.messages.size(), 1);
        if (gone) {
            QVERIFY(QFile::remove(s.file("big.dic")));
            s.state.Changed = 0;
            s.run(QStringList{"choose:big.dic", "menu:Open"});
        }
        if (opened == "big.dic") {
            QCOMPARE(s.state.WordCount, qint16(999));
            QCOMPARE(s.platform.messages[0].text,
                     QStringLiteral("Selles failis on üle 1000 sõnapaari. Loeti ainult esimesed "
                                    "1000. Salvestamisel küsitakse failinime uuesti, et "
                                    "ülejäänud sõnad failis alles jääksid."));
            QCOMPARE(s.platform.messages[0].icon, MessageIcon::Exclamation);
        }
        s.state.Changed = 1;
        s.run(steps);
        QCOMPARE(s.dialogs(), dialogs);
        if (pairs >= 0)
            QCOMPARE(fileBytes(s.file("big.dic")).count('\n') / 2, pairs);
        QCOMPARE(s.platform.ended(), ended);
    }

    // The close box's save of a list never edited. A folder where the user may change files but
    // not make new ones (a shared folder): a writable file there is written in place. Anywhere
    // else a save goes through a new file, which replaces the old one only when every step of the
    // write succeeded: on a full disk the old file stays whole. A failed save says why and keeps
    // the program running; in place, it says that the file may be cut short, and the list counts
    // as unsaved after all, so the program never drops it without asking again.
    void saves_data() {
        QTest::addColumn<bool>("locked"); // no new file may be made in the folder
        QTest::addColumn<int>("mode");    // the old file's; 0: none
        QTest::addColumn<int>("pairs");
        QTest::addColumn<int>("room"); // on the disk, in bytes; 0: enough
        QTest::addColumn<bool>("saved");
        QTest::addColumn<bool>("damaged");  // the failure says the file may be cut short
        QTest::addColumn<bool>("inPlace");  // written into the old file, not a new one
        QTest::addColumn<QString>("cause"); // what the failure names
        row("open, writable file", false, 0666, 1, 0, true, false, false, QString());
        row("open, read-only file", false, 0444, 1, 0, false, false, false, u"pole õigust"_s);
#ifdef Q_OS_UNIX // a folder's mode does not lock it on Windows, nor is there a file size limit
        row("locked, writable file", true, 0666, 1, 0, true, false, true, QString());
        row("locked, read-only file", true, 0444, 1, 0, false, false, false, u"pole õigust"_s);
        row("locked, no file", true, 0, 1, 0, false, false, false, u"pole õigust"_s);
        // A list under the write buffer's size reaches the disk only at flush time.
        row("full disk, small list", false, 0666, 100, 1024, false, false, false, u"liiga suur"_s);
        row("full disk, large list", false, 0666, 1000, 1024, false, false, false, u"liiga suur"_s);
        row("full disk in place, small list", true, 0666, 100, 1024, false, true, true,
            u"liiga suur"_s);
        row("full disk in place, large list", true, 0666, 1000, 1024, false, true, true,
            u"liiga suur"_s);
#endif
    }
    void saves() {
        QFETCH(bool, locked);
        QFETCH(int, mode);
        QFETCH(int, pairs);
        QFETCH(int, room);
        QFETCH(bool, saved);
        QFETCH(bool, damaged);
        QFETCH(bool, inPlace);
        QFETCH(QString, cause);
        Program p;
        const QString path = p.state.CurrentFile = p.file(u"list.dic"_s);
        QVERIFY(!mode || writeFile(path, "vana\r\nold\r\n", mode));
        const QByteArray folder = QFile::encodeName(p.dir.path());
        QVERIFY(::chmod(folder.constData(), locked ? 0555 : 0777) == 0);
        const auto unlock = qScopeGuard([&] { ::chmod(folder.constData(), 0755); });
        const ino_t before = inode(path);
        const QByteArray old = fileBytes(path);
        QByteArray bytes;
        for (int k = 0; k < pairs; ++k) {
            p.state.EstonianWords[k] = u"koer"_s + QString::number(k);
            p.state.ForeignWords[k] = u"ex-dog"_s;
            bytes += "koer" + QByteArray::number(k) + "\r\nex}dog\r\n";
        }
        {
            AsNobody user;
            FileSizeLimit disk(room);
            p.run(QStringList{"close:Main", "click:Yes"});
        }
        QCOMPARE(p.platform.ended(), saved);
        QCOMPARE(p.platform.messages.size(), int(!saved));
        const QString message = p.platform.messages.value(0).text;
        QCOMPARE(message.contains(u"poolik"_s), damaged);
        QVERIFY2(message.contains(cause), qPrintable(message));
        QCOMPARE(int(p.state.Changed), int(damaged));
        if (!damaged)
            QCOMPARE(fileBytes(path), saved ? bytes : old);
#ifdef Q_OS_UNIX // Windows numbers no i-nodes
        if (saved)
            QCOMPARE(inode(path) == before, inPlace);
#else
        Q_UNUSED(before);
        Q_UNUSED(inPlace);
#endif
        QCOMPARE(QDir(p.dir.path()).entryList(QDir::Files | QDir::Hidden).size(), int(mode != 0));
    }
};

QTEST_MAIN(TestFileCommands)
#include "tst_filecommands.moc"
