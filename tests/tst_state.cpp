#include "state/Format.h"
#include "state/ProgramState.h"

#include <QDir>
#include <QTest>

class TestState : public QObject {
    Q_OBJECT
private slots:
    void numberText_data() {
        QTest::addColumn<long long>("n");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << 0LL << " 0";
        QTest::newRow("positive") << 1234567LL << " 1234567";
        QTest::newRow("negative") << -42LL << "-42";
        QTest::newRow("16-bit max") << 32767LL << " 32767";
    }
    void numberText() {
        QFETCH(long long, n);
        QFETCH(QString, text);
        QCOMPARE(NumberText(n), text);
    }

    void roundHalfEven_data() {
        QTest::addColumn<double>("x");
        QTest::addColumn<long long>("rounded");
        QTest::newRow("0.5 to 0") << 0.5 << 0LL;
        QTest::newRow("1.5 to 2") << 1.5 << 2LL;
        QTest::newRow("2.5 to 2") << 2.5 << 2LL;
        QTest::newRow("3.5 to 4") << 3.5 << 4LL;
        QTest::newRow("12.5 to 12") << 12.5 << 12LL;
        QTest::newRow("37.5 to 38") << 37.5 << 38LL;
        QTest::newRow("66.67 to 67") << 200.0 / 3 << 67LL;
        QTest::newRow("below half") << 2.4999 << 2LL;
        QTest::newRow("above half") << 2.5001 << 3LL;
        QTest::newRow("-0.5 to 0") << -0.5 << 0LL;
        QTest::newRow("-1.5 to -2") << -1.5 << -2LL;
        QTest::newRow("just below 1") << 0.9999999 << 1LL;
    }
    void roundHalfEven() {
        QFETCH(double, x);
        QFETCH(long long, rounded);
        QCOMPARE(::roundHalfEven(x), rounded);
    }

    void timeLimitText_data() {
        QTest::addColumn<int>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("0") << 0 << "  0 minutit ja  0 sekundit.";
        QTest::newRow("59") << 59 << "  0 minutit ja  59 sekundit.";
        QTest::newRow("60") << 60 << "  1 minutit ja  0 sekundit.";
        QTest::newRow("150") << 150 << "  2 minutit ja  30 sekundit.";
        QTest::newRow("300") << 300 << "  5 minutit ja  0 sekundit.";
    }
    void timeLimitText() {
        QFETCH(int, seconds);
        QFETCH(QString, text);
        QCOMPARE(::timeLimitText(seconds), text);
    }

    void startValues() {
        ProgramState s;
        QCOMPARE(s.WordCount, qint16(0));
        QCOMPARE(s.NoticeAcknowledged, False);
        QVERIFY(s.EstonianWords[1000].isEmpty());
        QCOMPARE(s.AskedMarks[1000], qint16(0));
        // WordCount is 0 at start, yet the list is empty: slot 0 decides.
        QVERIFY(isListEmpty(s));
        QCOMPARE(versionText(), QStringLiteral("1.3.9"));
    }

    void somethingToLose_data() {
        QTest::addColumn<QString>("first");
        QTest::addColumn<int>("changed");
        QTest::addColumn<bool>("lose");
        QTest::newRow("empty, unchanged") << "" << 0 << false;
        QTest::newRow("empty, changed") << "" << 1 << false;
        QTest::newRow("one pair, unchanged") << "koer" << 0 << false;
        QTest::newRow("one pair, changed") << "koer" << 1 << true;
        QTest::newRow("blank word counts as filled") << " " << 1 << true;
    }
    void somethingToLose() {
        QFETCH(QString, first);
        QFETCH(int, changed);
        QFETCH(bool, lose);
        ProgramState s;
        s.EstonianWords[0] = first;
        s.Changed = qint16(changed);
        QCOMPARE(::somethingToLose(s), lose);
    }

    void untitledIsComputedAfresh() {
        const QString sep = QDir::separator();
        QCOMPARE(untitledPath(QStringLiteral("/home/u")), "/home/u" + sep + "Untitled.dic");
        // A directory ending in the separator gives a doubled one, without other processing.
        QCOMPARE(untitledPath(QStringLiteral("/")), "/" + sep + "Untitled.dic");

        ProgramState s;
        s.CurrentFile = untitledPath(QStringLiteral("/a"));
        QVERIFY(isUntitled(s, QStringLiteral("/a")));
        QVERIFY(!isUntitled(s, QStringLiteral("/b")));
        s.CurrentFile = QStringLiteral("/a/untitled.dic"); // compared case-sensitively
        QVERIFY(!isUntitled(s, QStringLiteral("/a")));
    }

    void countersStopAtTheirLimit() {
        qint16 counter = 32766;
        saturatingIncrement(counter);
        QCOMPARE(counter, qint16(32767));
        saturatingIncrement(counter);
        QCOMPARE(counter, qint16(32767));
    }
};

QTEST_GUILESS_MAIN(TestState)
#include "tst_state.moc"
