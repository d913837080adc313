#include "app/Algus.h"
#include "app/Main.h"
#include "forms/ClickLabel.h"
#include "forms/Forms.h"
#include "platform/UiTimer.h"
#include "state/ProgramState.h"
#include "support/FakePlatform.h"
#include "support/TestUtil.h"

#include <QPointer>
#include <QTest>

class TestAlgus : public QObject {
    Q_OBJECT
private slots:
    void bannerThenHandOver() {
        ProgramState state;
        FakePlatform platform;
        Forms forms(state, platform);
        QPointer<Algus> intro = forms.show<Algus>();
        QVERIFY(intro->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(intro->Label1->text(), QStringLiteral("Sonarix ver 1.3.9"));
        QCOMPARE(intro->Label2->text(), QStringLiteral("Author:     Orvandel"));

        // The interval is the step counter: 500, 501, 502 and 503 ms, each restarting the count.
        const QStringList banner = {"Sonarix ver 1.3.9", "Made by", "Orvandel"};
        for (int step = 0; step < banner.size(); ++step) {
            platform.advance(499 + step);
            QCOMPARE(intro->Label1->text(), banner[qMax(0, step - 1)]);
            platform.advance(1);
            QCOMPARE(intro->Label1->text(), banner[step]);
            QVERIFY(!forms.find<Main>());
        }
        platform.advance(502);
        QVERIFY(forms.find<Algus>());
        platform.advance(1);
        QCOMPARE(intro->Label1->text(), QStringLiteral("Click the window to continiue"));
        QVERIFY(!forms.find<Algus>());
        QVERIFY(forms.find<Main>() && forms.find<Main>()->isVisible());
        QVERIFY(!intro->isVisible());

        // Nothing fires once it is gone, and the program goes on with the main window.
        platform.advance(5000);
        QCOMPARE(platform.endCount, 0);
        settle();
        QVERIFY(!intro);
    }

    void earlyHandOver_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("click on the window") << "window";
        QTest::newRow("click on the banner") << "label1";
        QTest::newRow("click on the author") << "label2";
        QTest::newRow("character key") << "key";
        QTest::newRow("Estonian letter key") << "letter";
    }
    void earlyHandOver() {
        QFETCH(QString, how);
        ProgramState state;
        FakePlatform platform;
        Forms forms(state, platform);
        QPointer<Algus> intro = forms.show<Algus>();
        platform.advance(200);

        if (how == "window")
            QTest::mouseClick(intro, Qt::LeftButton, {}, QPoint(5, 5));
        else if (how == "label1")
            click(intro->Label1);
        else if (how == "label2")
            click(intro->Label2);
        else if (how == "key")
            QTest::keyClick(intro, Qt::Key_A);
        else
            typeText(intro, QStringLiteral("õ"));

        QVERIFY(!forms.find<Algus>());
        QVERIFY(forms.find<Main>());
        QCOMPARE(intro->Label1->text(), QStringLiteral("Sonarix ver 1.3.9"));
        QCOMPARE(platform.endCount, 0);
    }

    void keysWithoutACharacterDoNotHandOver() {
        ProgramState state;
        FakePlatform platform;
        Forms forms(state, platform);
        Algus* intro = forms.show<Algus>();
        QTest::keyClick(intro, Qt::Key_Shift);
        QTest::keyClick(intro, Qt::Key_F5);
        QVERIFY(forms.find<Algus>());
        QVERIFY(!forms.find<Main>());
    }
};

QTEST_MAIN(TestAlgus)
#include "tst_algus.moc"
