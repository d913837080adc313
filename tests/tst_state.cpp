#include "state/Format.h"
#include "state/ProgramState.h"

#include <QTest>

class TestState : public QObject {
    Q_OBJECT
private slots:
    void numbersAndCounters() {
        QCOMPARE(roundHalfEven(0.5), 0LL);
        QCOMPARE(roundHalfEven(1.5), 2LL);
        QCOMPARE(roundHalfEven(2.5), 2LL);
        QCOMPARE(roundHalfEven(2.5001), 3LL);
        QCOMPARE(roundHalfEven(-1.5), -2LL);
        QCOMPARE(roundHalfEven(200.0 / 3), 67LL);
        QCOMPARE(numberText(0), QStringLiteral(" 0"));
        QCOMPARE(numberText(1234567), QStringLiteral(" 1234567"));
        QCOMPARE(numberText(-42), QStringLiteral("-42"));
        qint16 counter = 32766;
        saturatingIncrement(counter);
        saturatingIncrement(counter);
        QCOMPARE(counter, qint16(32767));
    }
};

QTEST_GUILESS_MAIN(TestState)
#include "tst_state.moc"
