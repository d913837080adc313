// Open and Save, and the save prompt that guards Open, Exit and the close box.
#include "app/Kassav.h"
#include "app/Main.h"
#include "forms/Forms.h"
#include "state/ProgramState.h"
#include "support/FakePlatform.h"
#include "support/TestUtil.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
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
    Main* main;

    // An edited list of one pair that came from list.dic.
    explicit Session(const QString& word = QStringLiteral("koer")) {
        platform.workingDir = QDir::toNativeSeparators(dir.path());
        main = forms.show<Main>();
        put(file("list.dic"), OldFile);
        state.CurrentFile = file("list.dic");
        state.EstonianWords[0] = word;
        state.ForeignWords[0] = QStringLiteral("ex-dog");
        state.Changed = 1;
    }
    QString file(const char* name) const { return dir.filePath(QLatin1String(name)); }
    void run(const QString& command) {
        if (command == "open")
            main->MFOpen->trigger();
        else if (command == "exit")
            click(main->Command2);
        else
            main->close();
        settle();
    }
};

} // namespace

class TestFileCommands : public QObject {
    Q_OBJECT
private slots:
    // A file that will not open leaves the list alone and the dialog comes up again.
    void openErrorsAskAgain_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::newRow("missing file") << QString("missing.dic") << "ERROR 53: Seda faili pole.%1";
        QTest::newRow("missing folder")
            << QString("no/such.dic") << "ERROR 76: That path doesn't exist.%1";
        QTest::newRow("a folder") << QString(".") << "ERROR 75 occurred.";
    }
    void openErrorsAskAgain() {
        QFETCH(QString, name);
        QFETCH(QString, text);
        Session s{QString()}; // nothing to lose, so no prompt
        put(s.file("good.dic"), "hea\r\nex}good\r\n");
        const QString bad = s.dir.filePath(name);
        s.platform.dialogAnswers << FakePlatform::chosen(bad) << FakePlatform::chosen(bad)
                                 << FakePlatform::chosen(s.file("good.dic"));
        s.run("open");
        QCOMPARE(s.platform.dialogs.size(), 3);
        QCOMPARE(s.platform.messages.size(), 2);
        QCOMPARE(s.platform.messages[1].text, text.replace(QStringLiteral("%1"), bad));
        QCOMPARE(s.state.ForeignWords[0], QStringLiteral("ex-good"));
        QCOMPARE(s.main->windowTitle(), QStringLiteral("Tolkrix - good.dic"));
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
        Session s(word);
        s.state.CurrentFile =
            file.isEmpty() ? untitledPath(s.platform.workingDir) : s.dir.filePath(file);
        put(s.file("chosen.dic"), OldFile); // what Save As or Open picks
        s.platform.dialogAnswers.enqueue(FakePlatform::chosen(s.file("chosen.dic")));
        s.run(command);
        auto* prompt = s.forms.find<Kassav>();
        QCOMPARE(prompt != nullptr, !answer.isEmpty());
        if (prompt) {
            QVERIFY(prompt->isVisible());
            QCOMPARE(prompt->Label1->text(), s.state.CurrentFile);
            QVERIFY(!s.platform.ended());
            if (answer == "close box")
                prompt->close();
            else
                click(answer == "yes"  ? prompt->Command1
                      : answer == "no" ? prompt->Command2
                                       : prompt->Command3);
            settle();
        }

        const bool saves = answer == "yes" && named.isEmpty();
        const bool goesOn = saves || answer == "no" || answer.isEmpty();
        QCOMPARE(s.platform.ended(), goesOn && command != "open");
        QCOMPARE(s.platform.dialogs.size(), int(file.isEmpty()) + (goesOn && command == "open"));
        QCOMPARE(s.state.Changed, saves || answer == "no" ? 0 : 1);
        QCOMPARE(s.platform.messages.size(), int(!named.isEmpty()));
        if (!named.isEmpty())
            QVERIFY2(s.platform.messages[0].text.contains(named), qPrintable(named));
        QCOMPARE(contents(s.file(file.isEmpty() ? "chosen.dic" : "list.dic")),
                 saves ? QByteArray(word.toLatin1() + "\r\nex}dog\r\n") : OldFile);
        if (!s.platform.ended())
            QVERIFY(!s.forms.find<Kassav>() && s.forms.find<Main>()->isVisible());
    }
};

QTEST_MAIN(TestFileCommands)
#include "tst_filecommands.moc"
