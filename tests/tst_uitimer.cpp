#include "platform/UiTimer.h"
#include "support/FakePlatform.h"

#include <QSignalSpy>
#include <QTest>

// The real timer and the test fake must agree on when a timer fires.
class TestUiTimer : public QObject {
    Q_OBJECT
private slots:
    void realTimerZeroIntervalNeverFires() {
        QtUiTimer timer;
        QSignalSpy spy(&timer, &UiTimer::timeout);
        QVERIFY(timer.isEnabled());
        QCOMPARE(timer.interval(), 0);
        QTest::qWait(60);
        QCOMPARE(spy.count(), 0);

        timer.setInterval(20);
        QTRY_VERIFY_WITH_TIMEOUT(spy.count() >= 2, 2000);
        timer.setEnabled(false);
        const int fired = spy.count();
        QTest::qWait(60);
        QCOMPARE(spy.count(), fired);
    }

    void fakeTimerFiresInOrderAndRestartsOnChange() {
        FakePlatform platform;
        QObject owner;
        UiTimer* slow = platform.createTimer(&owner);
        UiTimer* fast = platform.createTimer(&owner);
        QStringList order;
        connect(slow, &UiTimer::timeout, &owner, [&] { order << "slow"; });
        connect(fast, &UiTimer::timeout, &owner, [&] { order << "fast"; });
        slow->setInterval(250);
        fast->setInterval(100);

        platform.advance(99);
        QVERIFY(order.isEmpty());
        platform.advance(151);
        QCOMPARE(order, (QStringList{"fast", "fast", "slow"}));

        // Changing the interval or toggling the enabled flag starts the count afresh.
        order.clear();
        platform.advance(40);
        fast->setEnabled(false);
        fast->setEnabled(true);
        platform.advance(99);
        QCOMPARE(order, QStringList{});
        platform.advance(1);
        QCOMPARE(order, QStringList{"fast"});

        // Setting the same interval again is no change and does not restart.
        order.clear();
        platform.advance(50);
        fast->setInterval(100);
        platform.advance(50);
        QCOMPARE(order, QStringList{"fast"});
    }
};

QTEST_MAIN(TestUiTimer)
#include "tst_uitimer.moc"
