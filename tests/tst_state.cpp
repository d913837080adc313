// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/UiTimer.h"
#include "quiz/Scoring.h"
#include "state/Format.h"

#include <QSignalSpy>
#include <QTest>

class TestState : public QObject {
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
};

QTEST_GUILESS_MAIN(TestState)
#include "tst_state.moc"
