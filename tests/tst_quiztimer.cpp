#include "tst_quiz_support.h"

#include "platform/QtPlatform.h"
#include "platform/UiTimer.h"

namespace {
const QStringList pairs{"koer", "dog", "kass", "cat", "hobune", "horse"};
} // namespace

class TestQuizTimer : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { settle(); }

    void timeOutAfterFullLimit_data() {
        QTest::addColumn<int>("seconds");
        QTest::newRow("1 s") << 1;
        QTest::newRow("10 s") << 10;
        QTest::newRow("300 s") << 300;
    }
    void timeOutAfterFullLimit() {
        QFETCH(int, seconds);
        Quiz quiz(pairs);
        quiz.limit(seconds);
        Test* test = quiz.open({pick(0, 2)});
        QCOMPARE(test->Label7->text(),
                 QStringLiteral("Aeg: ") + QString::number(seconds).prepend(' '));
        quiz.platform.advance(seconds * 1000 - 1);
        QCOMPARE(quiz.state.AnsweredCount, qint16(0));
        quiz.platform.advance(1);
        // The empty box is the answer, and it is wrong.
        QCOMPARE(quiz.state.AnsweredCount, qint16(1));
        QCOMPARE(quiz.state.WrongCount, qint16(1));
        QVERIFY(quiz.notice());
    }

    void typedAnswerSubmittedAtTimeOut() {
        Quiz quiz(pairs);
        quiz.limit(10);
        Test* test = quiz.open({pick(1, 2)});
        quiz.platform.advance(4000);
        QCOMPARE(test->Label7->text(), QStringLiteral("Aeg:  6"));
        typeText(test->Text1, QStringLiteral(" cat"));
        quiz.platform.advance(6000);
        QCOMPARE(quiz.state.AnsweredCount, qint16(1));
        QCOMPARE(quiz.state.WrongCount, qint16(0));
        // The next period starts at the time-out: a full limit again.
        quiz.platform.advance(9999);
        QCOMPARE(quiz.state.AnsweredCount, qint16(1));
    }

    void countdownBelowZeroAtLimitZero() {
        Quiz quiz(pairs);
        quiz.limit(0);
        Test* test = quiz.open();
        QCOMPARE(test->Label7->text(), QStringLiteral("Aeg:  0"));
        quiz.platform.advance(1000);
        QCOMPARE(test->Label7->text(), QStringLiteral("Aeg: -1"));
        quiz.platform.advance(9000);
        QCOMPARE(test->Label7->text(), QStringLiteral("Aeg: -10"));
        QCOMPARE(quiz.state.AnsweredCount, qint16(0));
    }

    // Fault: ElapsedSeconds wrapped round after about nine hours at limit 0.
    void elapsedStopsAtTop() {
        Quiz quiz(pairs);
        quiz.limit(0);
        Test* test = quiz.open();
        quiz.state.ElapsedSeconds = 32766;
        quiz.platform.advance(3000);
        QCOMPARE(quiz.state.ElapsedSeconds, qint16(32767));
        QCOMPARE(test->Label7->text(), QStringLiteral("Aeg: -32767"));
    }

    void noticeStopsClocks_data() {
        QTest::addColumn<bool>("limitOn");
        QTest::newRow("limit on") << true;
        QTest::newRow("limit off") << false;
    }
    void noticeStopsClocks() {
        QFETCH(bool, limitOn);
        Quiz quiz(pairs);
        quiz.limit(10);
        Test* test = quiz.open({pick(0, 2), pick(1, 2)});
        quiz.answer(QStringLiteral("vale"));
        QVERIFY(!test->Timer1->isEnabled() && !test->Timer2->isEnabled());
        quiz.platform.advance(60000);
        QCOMPARE(quiz.state.AnsweredCount, qint16(1));
        if (!limitOn)
            click(quiz.main->Check1);
        quiz.state.ElapsedSeconds = 7;
        quiz.dismissNotice();
        QCOMPARE(test->Timer1->isEnabled(), limitOn);
        QCOMPARE(test->Timer2->isEnabled(), limitOn);
        QCOMPARE(quiz.state.ElapsedSeconds, qint16(limitOn ? 0 : 7));
        quiz.platform.advance(10000);
        QCOMPARE(quiz.state.AnsweredCount, qint16(limitOn ? 2 : 1));
    }

    void limitTurnedOffMidTest() {
        Quiz quiz(pairs);
        quiz.limit(5);
        Test* test = quiz.open({pick(0, 2), pick(1, 2)});
        quiz.answer(QStringLiteral("dog"));
        click(quiz.main->Check1);
        quiz.platform.advance(3000);
        QCOMPARE(test->Label7->text(), QStringLiteral("Aeg:  5")); // frozen
        quiz.platform.advance(2000);
        QCOMPARE(quiz.state.AnsweredCount, qint16(2)); // the old limit still submits
    }

    void realTimeOut() {
        ProgramState state;
        state.EstonianWords[0] = QStringLiteral("koer");
        state.ForeignWords[0] = QStringLiteral("dog");
        state.WordCount = 0;
        QtPlatform platform;
        Forms forms(state, platform);
        Main* main = forms.show<Main>();
        click(main->Check1);
        main->VScroll1->setValue(1);
        click(main->nupptest);
        QVERIFY(forms.find<Test>());
        QTRY_VERIFY_WITH_TIMEOUT(forms.find<Tulemus>(), 5000);
        QCOMPARE(state.WrongCount, qint16(1));
        QVERIFY(forms.find<AkenVale>());
    }
};

QTEST_MAIN(TestQuizTimer)
#include "tst_quiztimer.moc"
