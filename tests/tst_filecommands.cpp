// New, Open, Save and Save As from the menu and the toolbar: titles, dialogs, the Open error loop.
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
#include <QToolBar>

namespace {

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void put(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

struct Session {
    QTemporaryDir dir;
    ProgramState state;
    FakePlatform platform;
    Forms forms{state, platform};
    Main* main;

    Session() {
        platform.workingDir = QDir::toNativeSeparators(dir.path());
        main = forms.show<Main>();
    }
    QString file(const char* name) const { return dir.filePath(QLatin1String(name)); }
    void toolbar(const char* key) {
        auto* action = main->Toolbar1->findChild<QAction*>(QStringLiteral("Toolbar1_") + key);
        QVERIFY(action);
        click(main->Toolbar1->widgetForAction(action));
    }
};

} // namespace

class TestFileCommands : public QObject {
    Q_OBJECT
private slots:
    void openSaveAndTitles() {
        Session s;
        QCOMPARE(s.main->windowTitle(), QStringLiteral("Sonarix - Untitled.dic"));
        put(s.file("words.dic"), "koer\r\ndog\r\nex}wife\r\nendine naine\r\n");
        s.platform.dialogAnswers.enqueue(FakePlatform::chosen(s.file("words.dic")));
        s.toolbar("Open");
        QCOMPARE(s.platform.dialogs.size(), 1);
        QVERIFY(!s.platform.dialogs[0].save);
        QCOMPARE(s.platform.dialogs[0].settings.filter,
                 QStringLiteral("Sonarix's Files (*.dic) |*.dic|"));
        QCOMPARE(s.platform.dialogs[0].settings.defaultExt, QStringLiteral(".dic"));
        QCOMPARE(s.main->windowTitle(), QStringLiteral("Tolkrix - words.dic"));
        QCOMPARE(s.state.CurrentFile, s.file("words.dic"));
        QCOMPARE(s.state.WordCount, 1);
        QCOMPARE(s.state.EstonianWords[1], QStringLiteral("ex-wife"));

        s.state.ForeignWords[0] = QStringLiteral("hound");
        s.state.Changed = 1;
        s.toolbar("Save");
        QCOMPARE(s.platform.dialogs.size(), 1);
        QCOMPARE(s.main->windowTitle(), QStringLiteral("Sonarix - ") + s.file("words.dic"));
        QCOMPARE(contents(s.file("words.dic")),
                 QByteArray("koer\r\nhound\r\nex}wife\r\nendine naine\r\n"));
        QCOMPARE(s.state.Changed, 1); // only the prompt clears it
    }

    void newThenSaveAsksForAName() {
        Session s;
        put(s.file("a.dic"), "a\r\nb\r\n");
        s.platform.dialogAnswers.enqueue(FakePlatform::chosen(s.file("a.dic")));
        s.main->MFOpen->trigger();
        s.toolbar("New");
        QCOMPARE(s.state.CurrentFile, untitledPath(s.platform.workingDir));
        QCOMPARE(s.main->windowTitle(), QStringLiteral("Tolkrix - a.dic"));
        QCOMPARE(s.state.EstonianWords[0], QStringLiteral("a"));

        s.main->MFSave->trigger(); // Save As, cancelled
        QCOMPARE(s.platform.dialogs.size(), 2);
        const auto& saveAs = s.platform.dialogs[1];
        QVERIFY(saveAs.save);
        QCOMPARE(saveAs.settings.filter, QStringLiteral("Sonarix Files (*.dic)|*.dic|"));
        QCOMPARE(saveAs.settings.fileName, untitledPath(s.platform.workingDir));
        QCOMPARE(s.main->windowTitle(), QStringLiteral("Tolkrix - a.dic"));
        QVERIFY(!s.platform.ended());

        s.platform.dialogAnswers.enqueue(FakePlatform::chosen(s.file("b.dic")));
        s.main->MFSave->trigger();
        QCOMPARE(contents(s.file("b.dic")), QByteArray("a\r\nb\r\n"));
        QCOMPARE(s.main->windowTitle(), QStringLiteral("Sonarix - ") + s.file("b.dic"));

        // The dialog keeps what Save As gave it; Open sets nothing of its own.
        s.main->MFOpen->trigger();
        QCOMPARE(s.platform.dialogs.last().settings.filter,
                 QStringLiteral("Sonarix Files (*.dic)|*.dic|"));
        QCOMPARE(s.platform.dialogs.last().settings.fileName, s.file("b.dic"));
    }

    void openErrorsRestartTheCommand_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::newRow("missing file") << "missing.dic"
                                      << "ERROR 53: Seda faili pole.%1";
        QTest::newRow("missing folder") << "no/such.dic"
                                        << "ERROR 76: That path doesn't exist.%1";
        QTest::newRow("odd number of lines") << "odd.dic"
                                             << "ERROR 62 occurred.";
        QTest::newRow("a folder") << "folder.dic"
                                  << "ERROR 75 occurred.";
    }
    void openErrorsRestartTheCommand() {
        QFETCH(QString, name);
        QFETCH(QString, text);
        Session s;
        put(s.file("odd.dic"), "a\r\nb\r\nc\r\n");
        QDir(s.dir.path()).mkdir(QStringLiteral("folder.dic"));
        put(s.file("good.dic"), "hea\r\ngood\r\n");
        const QString bad = s.dir.filePath(name);
        s.platform.dialogAnswers << FakePlatform::chosen(bad) << FakePlatform::chosen(bad)
                                 << FakePlatform::chosen(s.file("good.dic"));
        s.main->MFOpen->trigger();

        // Each failure shows its own message and the dialog comes up again, until a file reads.
        QCOMPARE(s.platform.messages.size(), 2);
        for (const auto& message : s.platform.messages) {
            QCOMPARE(message.title, QStringLiteral("Sonarix"));
            QCOMPARE(message.text, QString(text).replace(QStringLiteral("%1"), bad));
            QCOMPARE(message.icon, MessageIcon::None);
        }
        QCOMPARE(s.platform.dialogs.size(), 3);
        QCOMPARE(s.state.EstonianWords[0], QStringLiteral("hea"));
        QCOMPARE(s.state.EstonianWords[1], QString());
        QCOMPARE(s.state.WordCount, 0);
        QCOMPARE(s.main->windowTitle(), QStringLiteral("Tolkrix - good.dic"));
    }

    void cancellingOpenChangesNothing() {
        Session s;
        s.state.EstonianWords[0] = QStringLiteral("koer");
        s.main->MFOpen->trigger();
        QCOMPARE(s.platform.dialogs.size(), 1);
        QVERIFY(s.platform.messages.isEmpty());
        QCOMPARE(s.state.EstonianWords[0], QStringLiteral("koer"));
        QCOMPARE(s.state.CurrentFile, untitledPath(s.platform.workingDir));
    }

    void partlyReadFileKeepsAConsistentList() {
        Session s;
        put(s.file("odd.dic"), "a\r\nb\r\nc\r\n");
        s.state.WordCount = 40;
        s.platform.dialogAnswers.enqueue(FakePlatform::chosen(s.file("odd.dic")));
        s.main->MFOpen->trigger();
        QCOMPARE(s.platform.messages.size(), 1);
        QCOMPARE(s.main->windowTitle(), QStringLiteral("Tolkrix - odd.dic"));
        QCOMPARE(s.state.CurrentFile, s.file("odd.dic"));
        QCOMPARE(s.state.EstonianWords[1], QStringLiteral("c"));
        QCOMPARE(s.state.WordCount, 1); // not the 40 it was
    }

    void savedListOpensIntact() {
        Session s;
        const QStringList words = {
            QStringLiteral("a, b"),          QStringLiteral(" lead"),    QStringLiteral("trail "),
            QStringLiteral("\"quoted\""),    QStringLiteral("mid\"dle"), QStringLiteral("ex-wife"),
            QStringLiteral("õäöüšž ÕÄÖÜŠŽ"), QStringLiteral(""),         QStringLiteral("}")};
        for (int k = 0; k < words.size(); ++k) {
            s.state.EstonianWords[k] = QStringLiteral("e%1").arg(k);
            s.state.ForeignWords[k] = words[k];
        }
        s.platform.dialogAnswers << FakePlatform::chosen(s.file("round.dic"))
                                 << FakePlatform::chosen(s.file("round.dic"));
        s.main->MFSaveAs->trigger();
        for (int k = 0; k < words.size(); ++k)
            s.state.ForeignWords[k].clear();
        s.main->MFOpen->trigger();
        QVERIFY(s.platform.messages.isEmpty());
        QCOMPARE(s.state.WordCount, words.size() - 1);
        for (int k = 0; k + 1 < words.size(); ++k)
            QCOMPARE(s.state.ForeignWords[k], words[k]);
        QCOMPARE(s.state.ForeignWords[words.size() - 1], QStringLiteral("-"));
    }

    void failedSaveTellsWhyAndKeepsTheFile_data() {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("named"); // what the message must name
        QTest::newRow("character outside the code page") << "naïve"
                                                         << "\"naïve\"";
        QTest::newRow("file in a missing folder") << "ok"
                                                  << "gone/x.dic";
    }
    void failedSaveTellsWhyAndKeepsTheFile() {
        QFETCH(QString, word);
        QFETCH(QString, named);
        Session s;
        s.state.EstonianWords[0] = word;
        const QString target = s.file(named == "gone/x.dic" ? "gone/x.dic" : "x.dic");
        put(s.file("x.dic"), "old\r\nfile\r\n");
        s.state.CurrentFile = target;
        s.main->setWindowTitle(QStringLiteral("before"));
        s.main->MFSave->trigger();
        QCOMPARE(s.platform.messages.size(), 1);
        QVERIFY2(s.platform.messages[0].text.contains(named),
                 qPrintable(s.platform.messages[0].text));
        QCOMPARE(s.main->windowTitle(), QStringLiteral("before"));
        QCOMPARE(contents(s.file("x.dic")), QByteArray("old\r\nfile\r\n"));
        QVERIFY(!s.platform.ended());
    }

    void exitFromMenuAndToolbar() {
        for (const bool fromToolbar : {false, true}) {
            Session s;
            if (fromToolbar)
                s.toolbar("Exit");
            else
                s.main->MFExit->trigger();
            QVERIFY(s.platform.ended());
        }
    }

    void promptLooksAsDesigned() {
        Session s;
        s.state.EstonianWords[0] = QStringLiteral("koer");
        s.state.Changed = 1;
        s.main->MFExit->trigger();
        auto* prompt = s.forms.find<Kassav>();
        QVERIFY(prompt && prompt->isVisible());
        QCOMPARE(prompt->windowTitle(), QStringLiteral("Save"));
        QCOMPARE(prompt->Label1->text(), untitledPath(s.platform.workingDir));
        QCOMPARE(prompt->Command1->text(), QStringLiteral("Yes"));
        QCOMPARE(prompt->Command2->text(), QStringLiteral("No"));
        QCOMPARE(prompt->Command3->text(), QStringLiteral("Cancel"));
        QVERIFY(s.main->isEnabled()); // modeless
    }
};

QTEST_MAIN(TestFileCommands)
#include "tst_filecommands.moc"
