// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AboutWindow.h"
#include "app/MainWindow.h"
#include "forms/Forms.h"
#include "state/ProgramState.h"
#include "support/FakePlatform.h"
#include "support/TestUtil.h"

#include <QAction>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

using Values = QMap<QByteArray, std::pair<quint32, QByteArray>>; // the first key's values

class TestAbout : public QObject {
    Q_OBJECT
private slots:
    // Every way out (the tags) brings the main window back, with nothing started; System Info, by
    // click or Enter, leaves About up and starts what it finds, or says so. The second key is
    // there too unless nothing is found. Text drops one terminating zero, in the Baltic code page;
    // a REG_DWORD reads unsigned. Without a registry, the desktop's own tool is looked for in a
    // folder on PATH holding the programs named (a trailing "-": not runnable); %1 is that p.dir.
    // With one (Windows), PATH is never searched.
    void wayOutOrSystemInfo_data() {
        QTest::addColumn<Values>("first");
        QTest::addColumn<QStringList>("onPath");
        QTest::addColumn<QStringList>("outcome");
        const Values found{{"PATH", {1, QByteArray("C:\\\xd5ppe\\msinfo32.exe\0", 21)}}};
        const QString tool = u"C:\\Tools\\MSInfo\\MSINFO32.EXE"_s;
        const QString no = u"System Information Is Unavailable At This Time"_s;
        const auto row = [](const char* tag, const Values& first, const QStringList& outcome,
                            const QStringList& onPath = {}) {
            QTest::newRow(tag) << first << onPath << outcome;
        };
        for (const char* way : {"OK", "Escape", "Enter on OK", "close box"})
            row(way, {}, {});
        row("Enter on System Info", {}, {tool});
        row("first key", found, {u"C:\\Õppe\\msinfo32.exe"_s});
        row("unterminated", {{"PATH", {1, "C:\\a.exe"}}}, {"C:\\a.exe"});
        row("number", {{"PATH", {4, "\xff\xff\xff\x80"}}}, {"2164260863"});
        row("value of size 0", {{"PATH", {1, ""}}}, {no});
        row("start fails", found, {u"C:\\Õppe\\msinfo32.exe"_s, no});
        row("second key, tool missing", {}, {no});
        row("first key without the value", {{"Other", {1, "x"}}}, {tool});
        row("not found", {}, {no});
        const QStringList desktop{"kinfocenter", "gnome-control-center", "hardinfo"};
        row("KDE", {}, {"%1/kinfocenter"}, desktop);
        row("GNOME", {}, {"%1/gnome-control-center info-overview"}, desktop.mid(1));
        row("HardInfo", {}, {"%1/hardinfo"}, {"kinfocenter-", "hardinfo"});
        row("no desktop tool", {}, {no}, {"kinfocenter-", "other"});
        row("registry, tools on PATH", {}, {no}, desktop);
    }
    void wayOutOrSystemInfo() {
        QFETCH(Values, first);
        QFETCH(QStringList, onPath);
        QFETCH(QStringList, outcome);
        const QString tag = QTest::currentDataTag();
        Program p;
        p.main->aboutAction->trigger();
        AboutWindow* about = p.forms.find<AboutWindow>();
        QVERIFY(about && about->isVisible() && !p.main->isVisible());
        const QByteArray key = "80000002\\SOFTWARE\\Microsoft\\Shared Tools";
        if (!first.isEmpty())
            p.platform.fakeRegistry.keys[key + "\\MSINFO"] = first;
        for (const QString& name : onPath)
            QVERIFY(writeFile(p.dir.filePath(name.chopped(name.endsWith(u'-'))), {},
                              name.endsWith(u'-') ? 0644 : 0755));
        if (!onPath.isEmpty())
            p.platform.searchPath = {u"/nonexistent"_s, p.dir.path()};
        else if (tag != "not found")
            p.platform.fakeRegistry.keys[key + " Location"]["MSINFO"] = {
                1, {"C:\\Tools\\MSInfo\0", 16}};
        p.platform.fakeRegistry.exists = onPath.isEmpty() || tag.startsWith("registry");
        if (!tag.endsWith("tool missing"))
            p.platform.existingFiles << u"C:\\Tools\\MSInfo\\MSINFO32.EXE"_s;
        p.platform.startSucceeds = tag != "start fails";
        if (tag == "OK")
            click(about->okButton);
        else if (tag == "close box")
            about->close();
        else if (tag == "Escape" || tag.startsWith("Enter"))
            QTest::keyClick(tag.endsWith("OK") ? about->okButton : about->systemInfoButton,
                            tag == "Escape" ? Qt::Key_Escape : Qt::Key_Return);
        else
            click(about->systemInfoButton);
        QCOMPARE(!p.forms.find<AboutWindow>(), outcome.isEmpty());
        QCOMPARE(p.main->isVisible(), outcome.isEmpty());
        QVERIFY(someWindowShown(p.forms));
        QStringList seen = p.platform.started;
        for (const auto& message : p.platform.messages)
            seen << message.text;
        QCOMPARE(seen, outcome.replaceInStrings(u"%1"_s, p.dir.path()));
        // Every key opened is closed, on every road (the size 0 throw included).
        QVERIFY(p.platform.fakeRegistry.open.isEmpty());
    }
};

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
