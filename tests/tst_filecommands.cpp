// SPDX-License-Identifier: GPL-3.0-or-later
// Open and Save, and the save prompt that guards Open, Exit and the close box.
#include "app/MainWindow.h"
#include "app/SavePrompt.h"
#include "forms/Forms.h"
#include "state/ProgramState.h"
#include "support/FakePlatform.h"
#include "support/TestUtil.h"

#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

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

} // namespace

class TestFileCommands : public QObject {
    Q_OBJECT
private slots:
    // A file that cannot be read is reported, with the title as it stands then, and the dialog
    // comes back until a file is read.
    void openErrors_data() {
        Rows row; // the chosen file | the message (%1: its path) | the title while it is up
        const QString untitled = QStringLiteral(" | Sonarix - Untitled.dic");
        row("missing file", "missing.dic | ERROR 53: Seda faili pole.%1" + untitled);
        row("missing folder", "no/such.dic | ERROR 76: That path doesn't exist.%1" + untitled);
        row("folder", ". | ERROR 75 occurred." + untitled);
        row("odd number of lines", "odd.dic | ERROR 62 occurred. | Tolkrix - odd.dic");
#ifdef Q_OS_LINUX
        row("read error", "/proc/self/mem | ERROR 68: Drive : no available. | Tolkrix - mem");
#endif
    }
    void openErrors() {
        const QStringList c = cells();
        Session s{QString()};
        s.state.Changed = 0; // the part read is no edit: no prompt on the way back
        QVERIFY(writeFile(s.file("odd.dic"), "a\r\nb\r\nc\r\n"));
        const QString path = c[0].startsWith(u'/') ? c[0] : s.file(c[0]);
        s.platform.dialogAnswers << FakePlatform::chosen(path)
                                 << FakePlatform::chosen(s.file("chosen.dic"));
        QString titleThen;
        s.platform.whileModal = [&] {
            if (!s.platform.messages.isEmpty() && titleThen.isEmpty())
                titleThen = s.main->windowTitle();
        };
        s.run("menu:Open");
        QCOMPARE(s.platform.messages.size(), 1);
        QCOMPARE(s.platform.messages[0].text, QString(c[1]).replace("%1", path));
        QCOMPARE(s.platform.messages[0].icon, MessageIcon::None);
        QCOMPARE(titleThen, c[2]);
        QCOMPARE(s.dialogs(), "open,open");
        QCOMPARE(s.state.ForeignWords[0] + s.main->windowTitle(), "oldTolkrix - chosen.dic");
    }

    // The title after each command that writes or names a file, and the name Save As comes up
    // with (Open's title is checked with its errors).
    void titles_data() {
        Rows row; // steps | title | CurrentFile afterwards | dialogs; DIR: the folder
        row("Save", "menu:Save | Sonarix - DIR/list.dic | DIR/list.dic | ");
        row("Save As",
            "menu:Save As | Sonarix - DIR/chosen.dic | DIR/chosen.dic | save:DIR/list.dic");
        row("New", "menu:New | Sonarix - Untitled.dic | DIR/Untitled.dic | ");
        row("New, Save", "menu:New,menu:Save | Sonarix - DIR/chosen.dic | DIR/chosen.dic | "
                         "save:DIR/Untitled.dic");
        row("prompt's Yes", "Exit,Yes | Sonarix - Untitled.dic | DIR/list.dic | ");
    }
    void titles() {
        const QStringList c = cells();
        Session s{QStringLiteral("koer")};
        s.state.Changed = c[0] == "Exit,Yes";
        s.platform.dialogAnswers << FakePlatform::chosen(s.file("chosen.dic"));
        s.run(c[0]);
        QCOMPARE(s.main->windowTitle(), QString(c[1]).replace("DIR", s.dir.path()));
        QCOMPARE(QDir::fromNativeSeparators(s.state.CurrentFile),
                 QString(c[2]).replace("DIR", s.dir.path()));

        QCOMPARE(s.dialogs(), c[3]);
        if (c[0] != "menu:New")
            QCOMPARE(fileBytes(s.state.CurrentFile), QByteArray("koer\r\nex}dog\r\n"));
    }

    // Every answer to the prompt, and saves that fail: those say why, keep the edits marked
    // unsaved and stop whatever was to follow. An empty list has nothing to lose: no prompt.
    void prompt_data() {
        Rows row; // command | answer | the list's file (empty: untitled) | word | named in the
                  // failure
        for (const char* command : {"menu:Open", "Exit", "close:Main"}) {
            const auto add = [command, &row](const char* tag, const QString& rest) {
                row(QString(command) + ", " + tag, command + (" | " + rest));
            };
            add("Yes", "Yes | list.dic | koer | ");
            add("Yes untitled", "Yes |  | koer | ");
            add("No", "No | list.dic | koer | ");
            add("Cancel", "Cancel | list.dic | koer | ");
            add("close box", "close:Kassav | list.dic | koer | ");
            add("Yes, missing folder", "Yes | gone/list.dic | koer | gone/list.dic");
            add("Yes, not in the code page", "Yes | list.dic | naïve | \"naïve\"");
#ifdef Q_OS_UNIX
            add("Yes, full disk", "Yes | list.dic | koer | list.dic");
#endif
            add("nothing to lose, no prompt", " | list.dic |  | ");
        }
    }
    void prompt() {
        const QStringList c = cells();
        const QString command = c[0], answer = c[1], file = c[2], word = c[3], named = c[4];
        Session s(word, file);
        s.platform.dialogAnswers.enqueue(FakePlatform::chosen(s.file("chosen.dic")));
        s.run(command);
        QCOMPARE(s.forms.find<SavePrompt>() != nullptr, !answer.isEmpty());
        {
            FileSizeLimit disk(QByteArray(QTest::currentDataTag()).endsWith("full disk") ? 4 : 0);
            s.run(answer);
        }
        const bool saves = answer == "Yes" && named.isEmpty();
        const bool goesOn = saves || answer == "No" || answer.isEmpty();
        QCOMPARE(s.platform.ended(), goesOn && command != "menu:Open");
        QCOMPARE(s.platform.dialogs.size(),
                 int(file.isEmpty()) + (goesOn && command == "menu:Open"));
        QCOMPARE(s.state.Changed, saves || answer == "No" ? 0 : 1);
        QCOMPARE(s.platform.messages.size(), int(!named.isEmpty()));
        QVERIFY(named.isEmpty() || s.platform.messages[0].text.contains(named));
        QCOMPARE(fileBytes(s.file(file.isEmpty() ? "chosen.dic" : "list.dic")),
                 saves ? QByteArray(word.toLatin1() + "\r\nex}dog\r\n") : OldFile);
        if (!s.platform.ended())
            QVERIFY(!s.forms.find<SavePrompt>() && s.forms.find<MainWindow>()->isVisible());
    }

    // A file that the list holds only in part (more than 1000 pairs, or a read that failed with
    // more of the file unread) is never written back short without the user naming the file in
    // the Save As dialog; a later Open that fails before reading leaves that guard standing.
    // Once written whole under a name the user chose, Save writes straight to it.
    void partlyLoadedFile_data() {
        Rows row; // the file opened | steps after an edit, "=" choosing that file in Save As |
                  // the dialogs met | the file's pairs then (0: left as it was)
        for (const char* c : {"menu:Save", "Exit,Yes", "close:Main,Yes"}) {
            row(QString(c) + ", cancelled",
                QString("big.dic | ") + c + " | open,save:DIR/big.dic | 0");
            row(QString(c) + ", same name",
                QString("big.dic | =,") + c + " | open,save:DIR/big.dic | 1000");
        }
        row("Save after a cancel asks again", "big.dic | menu:Save,=,menu:Save,menu:Save | "
                                              "open,save:DIR/big.dic,save:DIR/big.dic | 1000");
#ifdef Q_OS_LINUX
        row("read error, Save", "/proc/self/mem | menu:Save | open,open,save:/proc/self/mem | -");
#endif
        row("gone when opened again", "gone | menu:Save | open,open,open,save:DIR/big.dic | -");
    }
    void partlyLoadedFile() {
        const QStringList c = cells();
        Session s{QString()};
        QByteArray big;
        for (int k = 0; k < 1500; ++k)
            big += "s" + QByteArray::number(k) + "\r\nw" + QByteArray::number(k) + "\r\n";
        QVERIFY(writeFile(s.file("big.dic"), big));
        const QString path = c[0].startsWith(u'/') ? c[0] : s.file("big.dic");
        s.platform.dialogAnswers << FakePlatform::chosen(path);
        s.run("menu:Open");
        QCOMPARE(s.platform.messages.size(), 1);
        if (c[0] == "big.dic") {
            QCOMPARE(s.state.WordCount, qint16(999));
            QCOMPARE(s.platform.messages[0].text,
                     QStringLiteral("Selles failis on üle 1000 sõnapaari. Loeti ainult esimesed "
                                    "1000. Salvestamisel küsitakse failinime uuesti, et "
                                    "ülejäänud sõnad failis alles jääksid."));
            QCOMPARE(s.platform.messages[0].icon, MessageIcon::Exclamation);
        } else if (c[0] == "gone") {
            QVERIFY(QFile::remove(path));
            s.state.Changed = 0;
            s.platform.dialogAnswers << FakePlatform::chosen(path);
            s.run("menu:Open");
            QCOMPARE(s.state.WordCount, qint16(999));
        }
        s.state.Changed = 1;
        s.run(c[1], [&](const QString& step) {
            if (step == "=")
                s.platform.dialogAnswers << FakePlatform::chosen(path);
            return step == "=";
        });
        QCOMPARE(s.dialogs(), c[2]);
        if (c[3] != "-")
            QCOMPARE(fileBytes(path).size(), c[3] == "0" ? big.size() : big.indexOf("s1000\r\n"));
        QCOMPARE(s.platform.ended(), c[3] == "1000" && !c[1].endsWith("menu:Save"));
    }

#ifdef Q_OS_UNIX // a folder locked by its mode and a file size limit
    // A save written in place (a folder where no new file may be made) that fails part-way
    // leaves the file cut short: the list counts as unsaved, even one never edited, so the
    // program neither ends nor drops the list without asking again.
    void damagedFileKeepsListUnsaved() {
        if (::getuid() == 0)
            return rerunAsNobody();
        Session s{QStringLiteral("koer")};
        s.state.Changed = 0;
        const QByteArray folder = QFile::encodeName(s.dir.path());
        QVERIFY(::chmod(folder.constData(), 0555) == 0);
        {
            FileSizeLimit disk(4);
            s.run("close:Main,Yes");
        }
        ::chmod(folder.constData(), 0755);
        QCOMPARE(s.platform.messages.size(), 1);
        QVERIFY(s.platform.messages[0].text.contains(QStringLiteral("poolik")));
        QCOMPARE(s.inSight() + QString::number(s.state.Changed), "Main1");
        s.run("Exit");
        QVERIFY(!s.platform.ended() && s.forms.find<SavePrompt>());
    }
#endif
};

QTEST_MAIN(TestFileCommands)
#include "tst_filecommands.moc"
