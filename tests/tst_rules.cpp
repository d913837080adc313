// SPDX-License-Identifier: GPL-3.0-or-later
// Rules with no window: rounding, the real timer, the command line.
#include "app/CommandLine.h"
#include "platform/UiTimer.h"
#include "quiz/Scoring.h"
#include "state/Format.h"
#include "support/TestUtil.h"

#include <QSignalSpy>
#include <QTest>

class TestRules : public QObject {
    Q_OBJECT
private slots:
    // Halves go to the even neighbour, in the draw and in the percentage of right answers.
    void halvesToEven() {
        QCOMPARE((QList<long long>{roundHalfEven(0.5), roundHalfEven(1.5), roundHalfEven(2.5001)}),
                 (QList<long long>{0, 2, 3}));
        QCOMPARE((QList<int>{percentRight(8, 7), percentRight(8, 5), percentRight(3, 1)}),
                 (QList<int>{12, 38, 67}));
    }

    // The real timer, enabled with interval 0 as every window's timer starts: a plain QTimer
    // would fire on every pass of the event loop.
    void zeroIntervalNeverFires() {
        QtUiTimer timer;
        QSignalSpy spy(&timer, &UiTimer::timeout);
        for (int pass = 0; pass < 5; ++pass)
            QCoreApplication::processEvents();
        QCOMPARE(spy.count(), 0);
    }

    // What each command line leads to: a run with the file to open, or an exit with its status and
    // a text on standard output (0) or standard error (2).
    void outcome_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode"); // -1: runs
        QTest::addColumn<QString>("file"); // to open
        QTest::addColumn<QString>("text"); // a part of standard output (0) or error (2)
        const QString unknown = "'.\nTry 'sonarix --help' for more information.\n";
        row("file", QStringList{"words.dic"}, -1, "words.dic", "");
        row("second file ignored", QStringList{"a.dic", "b.dic"}, -1, "a.dic", "");
        row("-h with a file", QStringList{"-h", "a.dic"}, 0, "",
            "Dictionary to open once the main window is up.\n");
        row("-v after a file", QStringList{"a.dic", "-v"}, 0, "", "Sonarix 1.3.9\n");
        row("unknown", QStringList{"--frobnicate", "a.dic"}, 2, "", unknown);
        row("--help-all is not ours", QStringList{"--help-all"}, 2, "", unknown);
    }
    void outcome() {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, file);
        QFETCH(QString, text);
        const CommandLine got = parseCommandLine(QStringList{"/usr/bin/sonarix"} + arguments);
        QCOMPARE(got.run ? -1 : got.exitCode, exitCode);
        QCOMPARE(got.file, file);
        if (exitCode == 0)
            QVERIFY(got.output.contains(text) && got.error.isEmpty());
        if (exitCode == 2)
            QVERIFY(got.error.startsWith("sonarix: ") && got.error.endsWith(text) &&
                    got.output.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestRules)
#include "tst_rules.moc"
