#include "platform/UiTimer.h"
#include "support/FakePlatform.h"

#include <QSignalSpy>
#include <QTest>

// The real timer and the test fake share these rules, and the window tests rely on them.
class TestUiTimer : public QObject {
    Q_OBJECT
private slots:
    void zeroIntervalNeverFires() {
        QtUiTimer timer; // enabled, interval 0: a plain QTimer would fire on every pass
        QSignalSpy spy(&timer, &UiTimer::timeout);
        for (int pass = 0; pass < 5; ++pass)
            QCoreApplication::processEvents();
        QCOMPARE(spy.count(), 0);
    }

    void changesRestartTheCount() {
        FakePlatform platform;
        QObject owner;
        UiTimer* timer = platform.createTimer(&owner);
        QSignalSpy fired(timer, &UiTimer::timeout);
        timer->setInterval(100);
        platform.advance(60);
        timer->setEnabled(false);
        timer->setEnabled(true);
        platform.advance(60);
        timer->setInterval(101);
        platform.advance(100);
        QCOMPARE(fired.count(), 0);
        platform.advance(1);
        QCOMPARE(fired.count(), 1);
    }
};

QTEST_GUILESS_MAIN(TestUiTimer)
#include "tst_uitimer.moc"
