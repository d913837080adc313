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
    // Every way out (the tags) brings the main window back, with nothing started; System Info, by
    // click or Enter, leaves About up and starts what it finds, or says so. The second key is
    // there too unless nothing is found. Text drops one terminating zero, in the Baltic code page;
    // a REG_DWORD reads unsigned. Without the registry, the desktop's own tool is looked for in a
    // folder on PATH holding the programs named (a trailing "-" leaves one without the right to
    // run); %1 is that folder.
    void wayOutOrSystemInfo_data() {
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
        const auto row = [](const char* tag, const Values& first, const QStringList& outcome,
                            const QStringList& onPath = {}) {
            QTest::newRow(tag) << first << onPath << outcome;
        };
        for (const char* way : {"OK", "Escape", "Enter on OK", "close box"})
            row(way, {}, {});
        row("Enter on System Info", {}, {Tool});
        row("first key", found, {path});
        row("unterminated", first(1, "C:\\a.exe"), {"C:\\a.exe"});
        row("number", first(4, "\xff\xff\xff\x80"), {"2164260863"});
        row("value of size 0", first(1, ""), {no});
        row("start fails", found, {path, no});
        row("second key", {}, {Tool});
        row("second key, tool missing", {}, {no});
        row("first key without the value", first(1, "x", "Other"), {Tool});
        row("not found", {}, {no});
        const QStringList desktop{"kinfocenter", "gnome-control-center", "hardinfo"};
        row("KDE", {}, {"%1/kinfocenter"}, desktop);
        row("GNOME", {}, {"%1/gnome-control-center info-overview"}, desktop.mid(1));
        row("HardInfo", {}, {"%1/hardinfo"}, {"kinfocenter-", "hardinfo"});
        row("no desktop tool", {}, {no}, {"kinfocenter-", "other"});
    }
    void wayOutOrSystemInfo() {
        QFETCH(Values, first);
        QFETCH(QStringList, onPath);
        QFETCH(QStringList, outcome);
        const QString tag = QTest::currentDataTag();
        Opened o;
        QVERIFY(o.about && o.about->isVisible() && !o.main->isVisible());
        QCOMPARE((QStringList{o.about->windowTitle(), o.about->titleLabel->text(),
                              o.about->versionLabel->text()}),
                 (QStringList{"About Sonarix", "Sonarix", "Version 1.3.9"}));
        FakeRegistry& registry = o.platform.fakeRegistry;
        registry.keys = first;
        QTemporaryDir folder;
        for (const QString& name : onPath) {
            const bool runnable = !name.endsWith(u'-');
            QFile program(folder.filePath(name.chopped(runnable ? 0 : 1)));
            QVERIFY(program.open(QIODevice::WriteOnly));
            program.setPermissions(QFile::ReadUser | QFile::WriteUser |
                                   (runnable ? QFile::ExeUser : QFile::Permissions()));
        }
        if (!onPath.isEmpty())
            o.platform.searchPath = {QStringLiteral("/nonexistent"), folder.path()};
        else if (tag != "not found")
            registry.keys["80000002\\SOFTWARE\\Microsoft\\Shared Tools Location"]["MSINFO"] = {
                1, QByteArray("C:\\Tools\\MSInfo\0", 16)};
        if (!tag.endsWith("tool missing"))
            o.platform.existingFiles << Tool;
        o.platform.startSucceeds = tag != "start fails";
        if (tag == "OK")
            click(o.about->okButton);
        else if (tag == "close box")
            o.about->close();
        else if (tag == "Escape" || tag.startsWith("Enter"))
            QTest::keyClick(tag.endsWith("OK") ? o.about->okButton : o.about->systemInfoButton,
                            tag == "Escape" ? Qt::Key_Escape : Qt::Key_Return);
        else
            click(o.about->systemInfoButton);
        QCOMPARE(!o.forms.find<AboutWindow>(), outcome.isEmpty());
        QCOMPARE(o.main->isVisible(), outcome.isEmpty());
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
