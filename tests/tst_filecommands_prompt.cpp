// Every way through the save prompt: Open, Exit and the close box, answered Yes, No or Cancel,
// for a list with and without a file name of its own.
#include "app/Kassav.h"
#include "app/Main.h"
#include "dictfile/DictionaryFile.h"
#include "forms/Forms.h"
#include "state/ProgramState.h"
#include "support/FakePlatform.h"
#include "support/TestUtil.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

const QByteArray OldFile("vana\r\nold\r\n");
const QByteArray ListBytes("koer\r\ndog\r\nex}naine\r\nex}wife\r\n");

struct Session {
    QTemporaryDir dir;
    ProgramState state;
    FakePlatform platform;
    Forms forms{state, platform};
    QPointer<Main> main;

    Session(bool titled, int changed) {
        platform.workingDir = QDir::toNativeSeparators(dir.path());
        main = forms.show<Main>();
        state.EstonianWords[0] = QStringLiteral("koer");
        state.ForeignWords[0] = QStringLiteral("dog");
        state.EstonianWords[1] = QStringLiteral("ex-naine");
        state.ForeignWords[1] = QStringLiteral("ex-wife");
        state.WordCount = 1;
        state.Changed = qint16(changed);
        QFile old(titledPath());
        if (old.open(QIODevice::WriteOnly))
            old.write(OldFile);
        if (titled)
            state.CurrentFile = titledPath();
    }
    QString titledPath() const { return dir.filePath(QStringLiteral("list.dic")); }
    QString chosenPath() const { return dir.filePath(QStringLiteral("chosen.dic")); }

    // Runs a command the way the user would.
    void trigger(const QString& command) {
        if (command == QLatin1String("open"))
            main->MFOpen->trigger();
        else if (command == QLatin1String("exit"))
            click(main->Command2);
        else
            main->close();
        settle();
    }
    int dialogs(bool save) const {
        int n = 0;
        for (const auto& dialog : platform.dialogs)
            n += dialog.save == save ? 1 : 0;
        return n;
    }
};

} // namespace

class TestFileCommandsPrompt : public QObject {
    Q_OBJECT
private slots:
    void everyPath_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("titled");
        QTest::addColumn<bool>("ends");
        QTest::addColumn<bool>("saves");
        QTest::addColumn<bool>("opens"); // the Open dialog comes up after the answer
        QTest::addColumn<int>("changed");
        for (const char* command : {"open", "exit", "close"}) {
            const bool open = QByteArray(command) == "open";
            for (const bool titled : {true, false}) {
                const QByteArray name = QByteArray(command) + (titled ? " titled" : " untitled");
                QTest::newRow(name + " Yes")
                    << command << "yes" << titled << !open << true << open << 0;
                QTest::newRow(name + " No")
                    << command << "no" << titled << !open << false << open << 0;
                QTest::newRow(name + " Cancel")
                    << command << "cancel" << titled << false << false << false << 1;
            }
        }
    }
    void everyPath() {
        QFETCH(QString, command);
        QFETCH(QString, answer);
        QFETCH(bool, titled);
        QFETCH(bool, ends);
        QFETCH(bool, saves);
        QFETCH(bool, opens);
        QFETCH(int, changed);
        Session s(titled, 1);
        const QString before = s.state.CurrentFile;
        s.trigger(command);

        auto* prompt = s.forms.find<Kassav>();
        QVERIFY(prompt && prompt->isVisible());
        QCOMPARE(prompt->Label1->text(), before);
        QCOMPARE(s.state.PendingAction, command == "open" ? 1 : command == "exit" ? 2 : 0);
        QCOMPARE(s.state.Closing, command == "close" ? 1 : 0);
        QCOMPARE(s.forms.find<Main>() != nullptr, command != "close");
        QVERIFY(!s.platform.ended());

        if (!titled && answer == "yes")
            s.platform.dialogAnswers.enqueue(FakePlatform::chosen(s.chosenPath()));
        click(answer == "yes"  ? prompt->Command1
              : answer == "no" ? prompt->Command2
                               : prompt->Command3);
        settle();

        QCOMPARE(s.platform.ended(), ends);
        QCOMPARE(s.state.Changed, changed);
        QVERIFY(s.platform.messages.isEmpty());
        QCOMPARE(s.dialogs(true), !titled && answer == "yes" ? 1 : 0);
        QCOMPARE(s.dialogs(false), opens ? 1 : 0);
        const QString target = titled ? s.titledPath() : s.chosenPath();
        QCOMPARE(contents(target), saves ? ListBytes : titled ? OldFile : "<missing>");
        // The words are what they were: "-" is back after "}" went to the file.
        QCOMPARE(s.state.EstonianWords[1], QStringLiteral("ex-naine"));
        if (!ends) {
            QCOMPARE(s.state.PendingAction, 0);
            QVERIFY(!s.forms.find<Kassav>());
            QVERIFY(s.forms.find<Main>() && s.forms.find<Main>()->isVisible());
            QCOMPARE(s.state.Closing, 0);
        }
        if (command == "close" && answer == "cancel") // a fresh main window
            QCOMPARE(s.state.CurrentFile, untitledPath(s.platform.workingDir));
    }

    void noPromptWithNothingToLose_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("filled");
        QTest::addColumn<int>("changed");
        QTest::addColumn<bool>("asks");
        QTest::newRow("exit, empty list") << "exit" << false << 1 << false;
        QTest::newRow("exit, unchanged") << "exit" << true << 0 << false;
        QTest::newRow("close, empty list") << "close" << false << 1 << false;
        QTest::newRow("close, unchanged list still asks") << "close" << true << 0 << true;
        QTest::newRow("open, unchanged") << "open" << true << 0 << false;
    }
    void noPromptWithNothingToLose() {
        QFETCH(QString, command);
        QFETCH(bool, filled);
        QFETCH(int, changed);
        QFETCH(bool, asks);
        Session s(true, changed);
        if (!filled)
            s.state.EstonianWords[0].clear();
        s.trigger(command);
        QCOMPARE(s.forms.find<Kassav>() != nullptr, asks);
        QCOMPARE(s.platform.ended(), !asks && command != "open");
        QCOMPARE(s.dialogs(false), command == "open" ? 1 : 0);
    }

    void cancelledSaveAsKeepsTheProgramRunning() {
        Session s(false, 1);
        s.trigger(QStringLiteral("exit"));
        click(s.forms.find<Kassav>()->Command1); // Save As comes up; the user cancels it
        settle();
        QVERIFY(!s.platform.ended());
        QVERIFY(!s.forms.find<Kassav>());
        QCOMPARE(s.state.Changed, 0);
        QCOMPARE(s.dialogs(true), 1);
        QCOMPARE(s.platform.dialogs[0].settings.fileName, untitledPath(s.platform.workingDir));
        s.trigger(QStringLiteral("exit")); // nothing left to lose now
        QVERIFY(s.platform.ended());
        QVERIFY(!s.forms.find<Kassav>());
    }

    void closingThePromptIsCancel() {
        Session s(true, 1);
        s.trigger(QStringLiteral("close"));
        s.forms.find<Kassav>()->close();
        settle();
        QVERIFY(!s.platform.ended());
        QVERIFY(s.forms.find<Main>() && s.forms.find<Main>()->isVisible());
        QCOMPARE(s.state.Closing, 0);
        QCOMPARE(s.state.Changed, 1);
        QCOMPARE(contents(s.titledPath()), OldFile);
    }

    // A save that fails tells the user, keeps the edits marked unsaved and stops whatever was to
    // follow: no Open replaces the list, the program does not end, the main window is there.
    void failedSaveLosesNothing_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("titled");
        for (const char* command : {"open", "exit", "close"}) {
            QTest::newRow(QByteArray(command) + " titled") << command << true;
            QTest::newRow(QByteArray(command) + " untitled") << command << false;
        }
    }
    void failedSaveLosesNothing() {
        QFETCH(QString, command);
        QFETCH(bool, titled);
        Session s(titled, 1);
        const QString bad = s.dir.filePath(QStringLiteral("gone/list.dic"));
        if (titled)
            s.state.CurrentFile = bad;
        else
            s.platform.dialogAnswers.enqueue(FakePlatform::chosen(bad));
        s.trigger(command);
        click(s.forms.find<Kassav>()->Command1);
        settle();

        QCOMPARE(s.platform.messages.size(), 1);
        QCOMPARE(s.platform.messages[0].title, QStringLiteral("Sonarix"));
        QCOMPARE(s.platform.messages[0].icon, MessageIcon::Critical);
        QVERIFY(s.platform.messages[0].text.contains(bad));
        QVERIFY(!s.platform.ended());
        QCOMPARE(s.state.Changed, 1);
        QCOMPARE(s.state.PendingAction, 0);
        QCOMPARE(s.state.Closing, 0);
        QCOMPARE(s.dialogs(false), 0);
        QCOMPARE(s.state.EstonianWords[1], QStringLiteral("ex-naine"));
        QVERIFY(!s.forms.find<Kassav>());
        QVERIFY(s.forms.find<Main>() && s.forms.find<Main>()->isVisible());
    }
};

QTEST_MAIN(TestFileCommandsPrompt)
#include "tst_filecommands_prompt.moc"
