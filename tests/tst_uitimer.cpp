#include "platform/UiTimer.h"

#include <QSignalSpy>
#include <QTest>

class TestUiTimer : public QObject {
    Q_OBJECT
private slots:
    // Enabled with interval 0, as every window's timer starts: a plain QTimer would fire on every
    // pass of the event loop.
    void zeroIntervalNeverFires() {
        QtUiTimer timer;
        QSignalSpy spy(&timer, &UiTimer::timeout);
        for (int pass = 0; pass < 5; ++pass)
            QCoreApplication::processEvents();
        QCOMPARE(spy.count(), 0);
    }
};

QTEST_GUILESS_MAIN(TestUiTimer)
#include "tst_uitimer.moc"
