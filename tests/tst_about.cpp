#include "app/AboutWindow.h"
#include "app/MainWindow.h"
#include "forms/Forms.h"
#include "state/ProgramState.h"
#include "support/FakePlatform.h"
#include "support/TestUtil.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

using Values = QMap<QByteArray, QMap<QByteArray, FakeRegistry::Value>>;
const QString Tool = QStringLiteral("C:\\Tools\\MSInfo\\MSINFO32.EXE");

// The main window with About opened from its menu item.
struct Opened {
    ProgramState state;
    FakePlatform platform;
    Forms forms{state, platform};
    MainWindow* main = forms.show<MainWindow>();
    AboutWindow* about = (main->aboutAction->trigger(), forms.find<AboutWindow>());
};

class TestAbout : public QObject {
    Q_OBJECT
private slots:
    // Every way out brings the main window back; Enter on System Info starts that instead (the
    // empty registry answers with a message).
    void opensAndCloses_data() {
        QTest::addColumn<bool>("closes");
        for (const char* way : {"OK", "Escape", "Enter on OK", "close box"})
            QTest::newRow(way) << true;
        QTest::newRow("Enter on System Info") << false;
    }
    void opensAndCloses() {
        QFETCH(bool, closes);
        const QString way = QTest::currentDataTag();
        Opened o;
        QVERIFY(o.about && o.about->isVisible() && !o.main->isVisible());
        QCOMPARE((QStringList{o.about->windowTitle(), o.about->titleLabel->text(),
                              o.about->versionLabel->text()}),
                 (QStringList{"About Sonarix", "Sonarix", "Version 1.3.9"}));
        if (way == "OK")
            click(o.about->okButton);
        else if (way == "close box")
            o.about->close();
        else
            QTest::keyClick(way.endsWith("OK") ? o.about->okButton : o.about->systemInfoButton,
                            way == "Escape" ? Qt::Key_Escape : Qt::Key_Return);
        QCOMPARE(!o.forms.find<AboutWindow>(), closes);
        QCOMPARE(o.main->isVisible(), closes);
        QCOMPARE(o.platform.messages.size(), closes ? 0 : 1);
    }

    // What is started, or the message; the second key is there too unless nothing is found.
    // Text drops one terminating zero, in the Baltic code page; a REG_DWORD reads unsigned.
    // Without the registry, the desktop's own tool is looked for in a folder on PATH holding the
    // programs named (a trailing "-" leaves one without the right to run); %1 is that folder.
    void launcher_data() {
        QTest::addColumn<Values>("first");
        QTest::addColumn<QStringList>("onPath");
        QTest::addColumn<QStringList>("outcome");
        const QByteArray key = "80000002\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
        const auto first = [&](quint32 type, const QByteArray& v, const QByteArray& name = "PATH") {
            return Values{{key, {{name, {type, v}}}}};
        };
        const Values found = first(1, QByteArray("C:\\\xd5ppe\\msinfo32.exe\0", 21));
        const QString path = QStringLiteral("C:\\Õppe\\msinfo32.exe");
        const QString no = QStringLiteral("System Information Is Unavailable At This Time");
        QTest::newRow("first key") << found << QStringList{} << QStringList{path};
        QTest::newRow("unterminated")
            << first(1, "C:\\a.exe") << QStringList{} << QStringList{"C:\\a.exe"};
        QTest::newRow("number") << first(4, "\xff\xff\xff\x80") << QStringList{}
                                << QStringList{"2164260863"};
        QTest::newRow("value of size 0") << first(1, "") << QStringList{} << QStringList{no};
        QTest::newRow("start fails") << found << QStringList{} << QStringList{path, no};
        QTest::newRow("second key") << Values{} << QStringList{} << QStringList{Tool};
        QTest::newRow("second key, tool missing") << Values{} << QStringList{} << QStringList{no};
        QTest::newRow("first key without the value")
            << first(1, "x", "Other") << QStringList{} << QStringList{Tool};
        QTest::newRow("not found") << Values{} << QStringList{} << QStringList{no};
        const QStringList desktop{"kinfocenter", "gnome-control-center", "hardinfo"};
        QTest::newRow("KDE") << Values{} << desktop << QStringList{"%1/kinfocenter"};
        QTest::newRow("GNOME") << Values{} << desktop.mid(1)
                               << QStringList{"%1/gnome-control-center info-overview"};
        QTest::newRow("HardInfo") << Values{} << QStringList{"kinfocenter-", "hardinfo"}
                                  << QStringList{"%1/hardinfo"};
        QTest::newRow("no desktop tool")
            << Values{} << QStringList{"kinfocenter-", "other"} << QStringList{no};
    }
    void launcher() {
        QFETCH(Values, first);
        QFETCH(QStringList, onPath);
        QFETCH(QStringList, outcome);
        const QString tag = QTest::currentDataTag();
        Opened o;
        FakeRegistry& registry = o.platform.fakeRegistry;
        registry.keys = first;
        QTemporaryDir folder;
        for (QString name : onPath) {
            const bool runnable = !name.endsWith(u'-');
            if (!runnable)
                name.chop(1);
            QFile program(folder.filePath(name));
            QVERIFY(program.open(QIODevice::WriteOnly));
            program.setPermissions(runnable ? program.permissions() | QFile::ExeUser
                                            : program.permissions() & ~QFile::ExeUser);
        }
        if (!onPath.isEmpty())
            o.platform.searchPath = {QStringLiteral("/nonexistent"), folder.path()};
        else if (tag != "not found")
            registry.keys["80000002\\SOFTWARE\\Microsoft\\Shared Tools Location"]["MSINFO"] = {
                1, QByteArray("C:\\Tools\\MSInfo\0", 16)};
        if (!tag.endsWith("tool missing"))
            o.platform.existingFiles << Tool;
        o.platform.startSucceeds = tag != "start fails";
        click(o.about->systemInfoButton);
        QStringList seen = o.platform.started;
        for (const auto& message : o.platform.messages)
            seen << message.text;
        QCOMPARE(seen, outcome.replaceInStrings(u"%1"_s, folder.path()));
        // Every key opened is closed, on every road (the size 0 throw included).
        QCOMPARE(registry.closed, registry.opened);
    }
};

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
