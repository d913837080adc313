// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.h"

#include <QTest>

// What each command line leads to: a run with the file to open, or an exit with its status and a
// text on standard output (0) or standard error (2).
class TestCommandLine : public QObject {
    Q_OBJECT
private slots:
    void outcome_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode"); // -1: runs
        QTest::addColumn<QString>("text"); // the file to open, or a part of the text
        const QString help = QStringLiteral("Dictionary to open once the main window is up.\n");
        const QString unknown = QStringLiteral("'.\nTry 'sonarix --help' for more information.\n");
        QTest::newRow("file") << QStringList{"words.dic"} << -1 << "words.dic";
        QTest::newRow("second file ignored") << QStringList{"a.dic", "b.dic"} << -1 << "a.dic";
        QTest::newRow("-h with a file") << QStringList{"-h", "a.dic"} << 0 << help;
        QTest::newRow("-v after a file") << QStringList{"a.dic", "-v"} << 0 << "Sonarix 1.3.9\n";
        QTest::newRow("unknown") << QStringList{"--frobnicate", "a.dic"} << 2 << unknown;
        QTest::newRow("--help-all is not ours") << QStringList{"--help-all"} << 2 << unknown;
    }
    void outcome() {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, text);
        const CommandLine got = parseCommandLine(QStringList{"/usr/bin/sonarix"} + arguments);
        QCOMPARE(got.run ? -1 : got.exitCode, exitCode);
        QCOMPARE(got.file, exitCode < 0 ? text : QString());
        if (exitCode == 0)
            QVERIFY(got.output.contains(text) && got.error.isEmpty());
        if (exitCode == 2)
            QVERIFY(got.error.startsWith("sonarix: ") && got.error.endsWith(text) &&
                    got.output.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
