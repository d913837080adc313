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
};

QTEST_MAIN(TestFileCommands)
#include "tst_filecommands.moc"
