// SPDX-License-Identifier: GPL-3.0-or-later
// Open and Save, and the save prompt that guards Open, Exit and the close box.
#include "app/MainWindow.h"
#include "app/SavePrompt.h"
#include "editor/EditorWindow.h"
#include "forms/Forms.h"
#include "state/ProgramState.h"
#include "support/FakePlatform.h"
#include "support/TestUtil.h"

#include <QAction>
#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

#include <sys/stat.h>
#include <unistd.h>

namespace {

const QByteArray OldFile("vana\r\nold\r\n");

struct Session : Program {
    QTemporaryDir dir;

    // An edited pair from list.dic, now named "current" (empty: untitled); chosen.dic beside it.
    explicit Session(const QString& word, const QString& current = QStringLiteral("list.dic")) {
        platform.workingDir = QDir::toNativeSeparators(dir.path());
        QVERIFY(writeFile(file("list.dic"), OldFile) && writeFile(file("chosen.dic"), OldFile));
        state.CurrentFile =
            current.isEmpty() ? untitledPath(platform.workingDir) : dir.filePath(current);
        state.EstonianWords[0] = word;
        state.ForeignWords[0] = QStringLiteral("ex-dog");
        state.Changed = 1;
    }
    QString file(const char* name) const { return dir.filePath(QLatin1String(name)); }

    // Menu commands, the main window's Exit and close box, and answers to the prompt, in turn.
    void run(const QString& commands) {
        for (const QString& c : commands.split(u' ', Qt::SkipEmptyParts)) {
            // The main window in charge now: a close box may have replaced the first one.
            MainWindow* m = forms.find<MainWindow>();
            SavePrompt* prompt = forms.find<SavePrompt>();
            const int i = QStringList{"open", "save", "saveas", "new", "exit", "close"}.indexOf(c);
            if (i >= 0 && !m)
                QFAIL(qPrintable("no main window for " + c));
            else if (i >= 0 && i < 4)
                QList{m->openAction, m->saveAction, m->saveAsAction, m->newAction}[i]->trigger();
            else if (c == "exit")
                click(m->exitButton);
            else if (c == "close")
                m->close();
            else if (!prompt)
                QFAIL(qPrintable("no prompt to answer " + c));
            else if (c == "closebox")
                prompt->close();
            else
                click(c == "yes"  ? prompt->yesButton
                      : c == "no" ? prompt->noButton
                                  : prompt->cancelButton);
        }
        settle();
    }
};

} // namespace

class TestFileCommands : public QObject {
    Q_OBJECT
private slots:
    // A file that cannot be read is reported, with the title as it stands then, and the dialog
    // comes back until a file is read.
    void openErrors_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message"); // %1: the chosen path
        QTest::addColumn<QString>("title");   // while the message is up
        const auto row = [](const char* name, const char* file, const char* message,
                            const char* title = "Sonarix - Untitled.dic") {
            QTest::newRow(name) << QString(file) << QString(message) << QString(title);
        };
        row("missing file", "missing.dic", "ERROR 53: Seda faili pole.%1");
        row("missing folder", "no/such.dic", "ERROR 76: That path doesn't exist.%1");
        row("folder", ".", "ERROR 75 occurred.");
        row("odd number of lines", "odd.dic", "ERROR 62 occurred.", "Tolkrix - odd.dic");
        row("read error", "/proc/self/mem", "ERROR 68: Drive : no available.", "Tolkrix - mem");
    }
    void openErrors() {
        QFETCH(QString, name);
        QFETCH(QString, message);
        QFETCH(QString, title);
        Session s{QString()};
        s.state.Changed = 0; // the part read is no edit: no prompt on the way back
        QVERIFY(writeFile(s.file("odd.dic"), "a\r\nb\r\nc\r\n"));
        const QString path = name.startsWith(u'/') ? name : s.dir.filePath(name);
        s.platform.dialogAnswers << FakePlatform::chosen(path)
                                 << FakePlatform::chosen(s.file("chosen.dic"));
        QString titleThen;
        s.platform.whileModal = [&] {
            if (!s.platform.messages.isEmpty() && titleThen.isEmpty())
                titleThen = s.main->windowTitle();
        };
        s.run("open");
        QCOMPARE(s.platform.messages.size(), 1);
        QCOMPARE(s.platform.messages[0].text, message.replace(QLatin1String("%1"), path));
        QCOMPARE(s.platform.messages[0].icon, MessageIcon::None);
        QCOMPARE(titleThen, title);
        QCOMPARE(s.platform.dialogs.size(), 2);
        QCOMPARE(s.state.ForeignWords[0], QStringLiteral("old"));
        QCOMPARE(s.main->windowTitle(), QStringLiteral("Tolkrix - chosen.dic"));
    }

    // The title after each command that writes or names a file, and how Save As sets up its
    // dialog (Open's title is checked with its errors).
    void titles_data() {
        QTest::addColumn<QString>("commands");
        QTest::addColumn<QString>("title");  // %1: the folder
        QTest::addColumn<QString>("file");   // CurrentFile afterwards
        QTest::addColumn<QString>("preset"); // the Save As dialog's file name; empty: no dialog
        const auto row = [](const char* name, const char* commands, const char* title,
                            const char* file, const char* preset = "") {
            QTest::newRow(name) << QString(commands) << QString(title) << QString(file)
                                << QString(preset);
        };
        row("Save", "save", "Sonarix - %1/list.dic", "%1/list.dic");
        row("Save As", "saveas", "Sonarix - %1/chosen.dic", "%1/chosen.dic", "%1/list.dic");
        row("New", "new", "Sonarix - Untitled.dic", "untitled");
        row("New, Save", "new save", "Sonarix - %1/chosen.dic", "%1/chosen.dic", "untitled");
        row("prompt's Yes", "exit yes", "Sonarix - Untitled.dic", "%1/list.dic");
    }
    void titles() {
        QFETCH(QString, commands);
        QFETCH(QString, title);
        QFETCH(QString, file);
        QFETCH(QString, preset);
        Session s{QStringLiteral("koer")};
        const auto expand = [&](const QString& path) {
            return path == "untitled" ? untitledPath(s.platform.workingDir)
                                      : path.arg(s.dir.path());
        };
        s.state.Changed = commands == "exit yes";
        s.platform.dialogAnswers << FakePlatform::chosen(s.file("chosen.dic"));
        s.run(commands);
        QCOMPARE(s.main->windowTitle(), title.arg(s.dir.path()));
        QCOMPARE(s.state.CurrentFile, expand(file));
        QCOMPARE(s.platform.dialogs.size(), int(!preset.isEmpty()));
        if (!preset.isEmpty()) {
            const FileDialogSettings& set = s.platform.dialogs[0].settings;
            QVERIFY(s.platform.dialogs[0].save);
            QCOMPARE(set.fileName, expand(preset));
        }
        if (commands != "new")
            QCOMPARE(fileBytes(s.state.CurrentFile), QByteArray("koer\r\nex}dog\r\n"));
    }

    // Every answer to the prompt, and saves that fail: those say why, keep the edits marked
    // unsaved and stop whatever was to follow. An empty list has nothing to lose: no prompt.
    void prompt_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("file"); // empty: untitled, Save As chooses chosen.dic
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("named"); // what the failure message names
        for (const char* c : {"open", "exit", "close"}) {
            const auto row = [c](const char* name, const char* answer, const char* file,
                                 const char* word = "koer", const char* named = "") {
                QTest::addRow("%s %s", c, name) << QString(c) << QString(answer) << QString(file)
                                                << QString(word) << QString(named);
            };
            row("Yes", "yes", "list.dic");
            row("Yes untitled", "yes", "");
            row("No", "no", "list.dic");
            row("Cancel", "cancel", "list.dic");
            row("close box", "closebox", "list.dic");
            row("Yes, missing folder", "yes", "gone/list.dic", "koer", "gone/list.dic");
            row("Yes, not in the code page", "yes", "list.dic", "naïve", "\"naïve\"");
            row("Yes, full disk", "yes", "list.dic", "koer", "list.dic");
            row("nothing to lose, no prompt", "", "list.dic", "");
        }
    }
    void prompt() {
        QFETCH(QString, command);
        QFETCH(QString, answer);
        QFETCH(QString, file);
        QFETCH(QString, word);
        QFETCH(QString, named);
        Session s(word, file);
        s.platform.dialogAnswers.enqueue(FakePlatform::chosen(s.file("chosen.dic")));
        s.run(command);
        QCOMPARE(s.forms.find<SavePrompt>() != nullptr, !answer.isEmpty());
        {
            std::optional<FileSizeLimit> disk;
            if (QByteArray(QTest::currentDataTag()).endsWith("full disk"))
                disk.emplace(4);
            s.run(answer);
        }
        const bool saves = answer == "yes" && named.isEmpty();
        const bool goesOn = saves || answer == "no" || answer.isEmpty();
        QCOMPARE(s.platform.ended(), goesOn && command != "open");
        QCOMPARE(s.platform.dialogs.size(), int(file.isEmpty()) + (goesOn && command == "open"));
        QCOMPARE(s.state.Changed, saves || answer == "no" ? 0 : 1);
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
    void partlyLoadedFile_data() {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("agree"); // choose the same file in Save As, or cancel
        for (const bool agree : {false, true}) {
            for (const char* c : {"save", "exit yes", "close yes"})
                QTest::addRow("%s, %s", c, agree ? "same name" : "cancelled")
                    << "big" << QString(c) << agree;
        }
        QTest::newRow("read error, save") << "/proc/self/mem"
                                          << "save" << false;
        QTest::newRow("gone when opened again") << "gone"
                                                << "save" << false;
    }
    void partlyLoadedFile() {
        QFETCH(QString, source);
        QFETCH(QString, command);
        QFETCH(bool, agree);
        Session s{QString()};
        QByteArray big;
        for (int k = 0; k < 1500; ++k)
            big += "s" + QByteArray::number(k) + "\r\nw" + QByteArray::number(k) + "\r\n";
        const QString path = source.startsWith(u'/') ? source : s.file("big.dic");
        QVERIFY(writeFile(s.file("big.dic"), big));
        s.platform.dialogAnswers << FakePlatform::chosen(path);
        s.run("open");
        QCOMPARE(s.platform.messages.size(), 1);
        if (source == "big") {
            QCOMPARE(s.state.WordCount, qint16(999));
            QCOMPARE(s.platform.messages[0].text,
                     QStringLiteral("Selles failis on üle 1000 sõnapaari. Loeti ainult esimesed "
                                    "1000. Salvestamisel küsitakse failinime uuesti, et "
                                    "ülejäänud sõnad failis alles jääksid."));
            QCOMPARE(s.platform.messages[0].icon, MessageIcon::Exclamation);
        } else if (source == "gone") {
            QVERIFY(QFile::remove(path));
            s.state.Changed = 0;
            s.platform.dialogAnswers << FakePlatform::chosen(path);
            s.run("open");
            QCOMPARE(s.state.WordCount, qint16(999));
        }
        const int dialogs = s.platform.dialogs.size();
        s.state.Changed = 1;
        if (agree)
            s.platform.dialogAnswers << FakePlatform::chosen(path);
        s.run(command);
        QCOMPARE(s.platform.dialogs.size(), dialogs + 1);
        QVERIFY(s.platform.dialogs.last().save);
        QCOMPARE(s.platform.dialogs.last().settings.fileName, path);
        if (source == "big")
            QCOMPARE(fileBytes(path).size(), agree ? big.indexOf("s1000\r\n") : big.size());
        QCOMPARE(s.platform.ended(), agree && command != "save");
        if (agree || command != "save" || source != "big")
            return;
        // Once written whole under a name the user chose, Save writes straight to it.
        s.run("save");
        QCOMPARE(s.platform.dialogs.size(), 3);
        s.platform.dialogAnswers << FakePlatform::chosen(path);
        s.run("save save");
        QCOMPARE(s.platform.dialogs.size(), 4);
    }

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
            s.run("close yes");
        }
        ::chmod(folder.constData(), 0755);
        QCOMPARE(s.platform.messages.size(), 1);
        QVERIFY(s.platform.messages[0].text.contains(QStringLiteral("poolik")));
        s.main = s.forms.find<MainWindow>();
        QVERIFY(!s.platform.ended() && s.main && s.main->isVisible());
        QCOMPARE(s.state.Changed, qint16(1));
        s.run("exit");
        QVERIFY(!s.platform.ended() && s.forms.find<SavePrompt>());
    }

    // The close box answered with Yes while the editor stays open: the close is over, and a
    // later Save As from the main window the editor brings back saves without ending the program.
    void closeAnsweredWithEditorOpen() {
        Session s{QStringLiteral("koer")};
        s.forms.show<EditorWindow>();
        s.run("close yes");
        QVERIFY(!s.platform.ended() && !s.forms.find<SavePrompt>() && !s.forms.find<MainWindow>());
        QCOMPARE(fileBytes(s.file("list.dic")), QByteArray("koer\r\nex}dog\r\n"));
        click(s.forms.find<EditorWindow>()->finishButton);
        s.main = s.forms.find<MainWindow>();
        QVERIFY(s.main && s.main->isVisible());
        s.platform.dialogAnswers << FakePlatform::chosen(s.file("chosen.dic"));
        s.run("saveas");
        QCOMPARE(fileBytes(s.file("chosen.dic")), QByteArray("koer\r\nex}dog\r\n"));
        QVERIFY(!s.platform.ended());
    }
};

QTEST_MAIN(TestFileCommands)
#include "tst_filecommands.moc"
