// Open and Save, and the save prompt that guards Open, Exit and the close box.
#include "app/Kassav.h"
#include "app/Main.h"
#include "editor/Editor.h"
#include "forms/Forms.h"
#include "state/ProgramState.h"
#include "support/FakePlatform.h"
#include "support/TestUtil.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void put(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

const QByteArray OldFile("vana\r\nold\r\n");

struct Session {
    QTemporaryDir dir;
    ProgramState state;
    FakePlatform platform;
    Forms forms{state, platform};
    Main* main = forms.show<Main>();

    // An edited pair from list.dic, now named "current" (empty: untitled); chosen.dic beside it.
    explicit Session(const QString& word, const QString& current = QStringLiteral("list.dic")) {
        platform.workingDir = QDir::toNativeSeparators(dir.path());
        put(file("list.dic"), OldFile);
        put(file("chosen.dic"), OldFile);
        state.CurrentFile =
            current.isEmpty() ? untitledPath(platform.workingDir) : dir.filePath(current);
        state.EstonianWords[0] = word;
        state.ForeignWords[0] = QStringLiteral("ex-dog");
        state.Changed = 1;
    }
    QString file(const char* name) const { return dir.filePath(QLatin1String(name)); }
};

} // namespace

class TestFileCommands : public QObject {
    Q_OBJECT
private slots:
    // A file that will not open (a missing folder, a folder) is reported; the dialog comes back.
    void openErrorsAskAgain() {
        Session s{QString()}; // nothing to lose, so no prompt
        for (const char* name : {"no/such.dic", ".", "chosen.dic"})
            s.platform.dialogAnswers << FakePlatform::chosen(s.file(name));
        s.main->MFOpen->trigger();
        QCOMPARE(s.platform.dialogs.size(), 3);
        QCOMPARE(s.platform.messages.value(0).text.left(8), QStringLiteral("ERROR 76"));
        QCOMPARE(s.platform.messages.value(1).text.left(8), QStringLiteral("ERROR 75"));
        QCOMPARE(s.state.ForeignWords[0], QStringLiteral("old"));
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
            row("close box", "close box", "list.dic");
            row("Yes, missing folder", "yes", "gone/list.dic", "koer", "gone/list.dic");
            row("Yes, not in the code page", "yes", "list.dic", "naïve", "\"naïve\"");
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
        if (command == "open")
            s.main->MFOpen->trigger();
        else if (command == "exit")
            click(s.main->Command2);
        else
            s.main->close();
        auto* prompt = s.forms.find<Kassav>();
        QCOMPARE(prompt != nullptr, !answer.isEmpty());
        if (answer == "close box")
            prompt->close();
        else if (prompt)
            click(answer == "yes"  ? prompt->Command1
                  : answer == "no" ? prompt->Command2
                                   : prompt->Command3);
        settle();
        const bool saves = answer == "yes" && named.isEmpty();
        const bool goesOn = saves || answer == "no" || answer.isEmpty();
        QCOMPARE(s.platform.ended(), goesOn && command != "open");
        QCOMPARE(s.platform.dialogs.size(), int(file.isEmpty()) + (goesOn && command == "open"));
        QCOMPARE(s.state.Changed, saves || answer == "no" ? 0 : 1);
        QCOMPARE(s.platform.messages.size(), int(!named.isEmpty()));
        QVERIFY(named.isEmpty() || s.platform.messages[0].text.contains(named));
        QCOMPARE(contents(s.file(file.isEmpty() ? "chosen.dic" : "list.dic")),
                 saves ? QByteArray(word.toLatin1() + "\r\nex}dog\r\n") : OldFile);
        if (!s.platform.ended())
            QVERIFY(!s.forms.find<Kassav>() && s.forms.find<Main>()->isVisible());
    }

    // A file of more pairs than the list takes opens in part, with a word about it, and is never
    // written back short without the user naming the file in the Save As dialog.
    void partlyLoadedFile_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("agree"); // choose the same file in Save As, or cancel
        for (const bool agree : {false, true}) {
            for (const char* c : {"save", "exit Yes", "close box Yes"})
                QTest::addRow("%s, %s", c, agree ? "same name" : "cancelled")
                    << QString(c) << agree;
        }
    }
    void partlyLoadedFile() {
        QFETCH(QString, command);
        QFETCH(bool, agree);
        Session s{QString()};
        QByteArray big;
        for (int k = 0; k < 1500; ++k)
            big += "s" + QByteArray::number(k) + "\r\nw" + QByteArray::number(k) + "\r\n";
        const QString path = s.file("big.dic");
        put(path, big);
        s.platform.dialogAnswers << FakePlatform::chosen(path);
        s.main->MFOpen->trigger();
        QCOMPARE(s.state.WordCount, qint16(999));
        QCOMPARE(s.platform.messages.size(), 1);
        QCOMPARE(s.platform.messages[0].text,
                 QStringLiteral("Selles failis on üle 1000 sõnapaari. Loeti ainult esimesed "
                                "1000. Salvestamisel küsitakse failinime uuesti, et ülejäänud "
                                "sõnad failis alles jääksid."));
        QCOMPARE(s.platform.messages[0].icon, MessageIcon::Exclamation);

        s.state.Changed = 1;
        if (agree)
            s.platform.dialogAnswers << FakePlatform::chosen(path);
        if (command == "save") {
            s.main->MFSave->trigger();
        } else {
            if (command == "exit Yes")
                click(s.main->Command2);
            else
                s.main->close();
            QVERIFY(s.forms.find<Kassav>());
            click(s.forms.find<Kassav>()->Command1);
        }
        settle();
        QCOMPARE(s.platform.dialogs.size(), 2);
        QVERIFY(s.platform.dialogs[1].save);
        QCOMPARE(s.platform.dialogs[1].settings.fileName, path);
        QCOMPARE(contents(path).size(), agree ? big.indexOf("s1000\r\n") : big.size());
        QCOMPARE(s.platform.ended(), agree && command != "save");
        if (agree || command != "save")
            return;
        // Once written whole under a name the user chose, Save writes straight to it.
        s.main->MFSave->trigger();
        QCOMPARE(s.platform.dialogs.size(), 3);
        s.platform.dialogAnswers << FakePlatform::chosen(path);
        s.main->MFSave->trigger();
        s.main->MFSave->trigger();
        QCOMPARE(s.platform.dialogs.size(), 4);
    }

    // The close box answered with Yes while the editor stays open: the close is over, and a
    // later Save As from the main window the editor brings back saves without ending the program.
    void closeAnsweredWithEditorOpen() {
        Session s{QStringLiteral("koer")};
        s.forms.show<Editor>();
        s.main->close();
        click(s.forms.find<Kassav>()->Command1);
        settle();
        QVERIFY(!s.platform.ended() && !s.forms.find<Kassav>() && !s.forms.find<Main>());
        QCOMPARE(contents(s.file("list.dic")), QByteArray("koer\r\nex}dog\r\n"));
        click(s.forms.find<Editor>()->Command4);
        Main* main = s.forms.find<Main>();
        QVERIFY(main && main->isVisible());
        s.platform.dialogAnswers << FakePlatform::chosen(s.file("chosen.dic"));
        main->MFSaveAs->trigger();
        QCOMPARE(contents(s.file("chosen.dic")), QByteArray("koer\r\nex}dog\r\n"));
        QVERIFY(!s.platform.ended());
    }
};

QTEST_MAIN(TestFileCommands)
#include "tst_filecommands.moc"
