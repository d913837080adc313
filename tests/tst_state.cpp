#include "state/Format.h"
#include "state/ProgramState.h"

#include <QTest>

class TestState : public QObject {
    Q_OBJECT
private slots:
    void numbersAndCounters() {
        QList<long long> rounded;
        for (double x : {0.5, 1.5, 2.5, 2.5001, -1.5, 200.0 / 3})
            rounded << roundHalfEven(x);
        QCOMPARE(rounded, (QList<long long>{0, 2, 2, 3, -2, 67}));
        QCOMPARE((QStringList{numberText(0), numberText(1234567), numberText(-42)}),
                 (QStringList{" 0", " 1234567", "-42"}));
        qint16 counter = 32766;
        saturatingIncrement(counter);
        saturatingIncrement(counter);
        QCOMPARE(counter, qint16(32767));
    }
};

QTEST_GUILESS_MAIN(TestState)
#include "tst_state.moc"
