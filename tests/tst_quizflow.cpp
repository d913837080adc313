#include "tst_quiz_support.h"

#include "quiz/Scoring.h"

#include <QApplication>

#include <random>
#include <set>

namespace {

const QStringList threePairs{"koer", "dog", "kass", "cat", "hobune", "horse"};

// Keys go to whatever has the keyboard focus, as they do for a user; window activation
// arrives as an event.
QWidget* focused() {
    QCoreApplication::processEvents();
    return QApplication::focusWidget();
}

bool press(Qt::Key key) {
    QWidget* target = focused();
    if (target)
        QTest::keyClick(target, key);
    return target;
}

bool typeIntoFocus(const QString& text) {
    QWidget* target = focused();
    if (target)
        typeText(target, text);
    return target;
}

} // namespace

class TestQuizFlow : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { settle(); }

    void resultsOfATest() {
        Quiz quiz(threePairs);
        quiz.open({pick(0, 2), pick(1, 2), pick(2, 2)});
        quiz.answer(QStringLiteral("dog"));
        quiz.answer(QStringLiteral("koer"));
        quiz.dismissNotice();
        quiz.answer(QStringLiteral("horse"));
        Tulemus* results = quiz.results();
        QVERIFY(results && results->isVisible() && !quiz.test());
        QCOMPARE(results->windowTitle(), QStringLiteral("Tulemus"));
        const QStringList lines{results->Label1->text(), results->Label2->text(),
                                results->Label3->text(), results->Label4->text()};
        QCOMPARE(lines, (QStringList{"Kokku:  3", "Õigeid:  2", "Valesid:  1",
                                     "Õigeid vastuseid oli  67%"}));
        QCOMPARE(quiz.platform.beeps, 1 + 3);
        QCOMPARE(focused(), results->Command1);
        QVERIFY(!quiz.main->isVisible());
    }

    void nothingAnsweredNoBeep() {
        Quiz quiz(threePairs);
        Tulemus* results = quiz.forms.show<Tulemus>();
        QCOMPARE(results->Label4->text(), QStringLiteral("Õigeid vastuseid oli 0%"));
        QCOMPARE(quiz.platform.beeps, 0);
    }

    void resultsButtons_data() {
        QTest::addColumn<QString>("way");
        QTest::addColumn<int>("countsAfter");
        QTest::addColumn<bool>("mainShown");
        QTest::addColumn<bool>("newQuiz");
        QTest::newRow("Uus test") << "Uus test" << 0 << false << true;
        QTest::newRow("Lõpetan") << "Lõpetan" << 0 << true << false;
        QTest::newRow("close box") << "close box" << 1 << true << false;
    }
    void resultsButtons() {
        QFETCH(QString, way);
        QFETCH(int, countsAfter);
        QFETCH(bool, mainShown);
        QFETCH(bool, newQuiz);
        Quiz quiz({"koer", "dog"});
        quiz.open();
        quiz.answer(QStringLiteral("cat"));
        quiz.dismissNotice();
        Tulemus* results = quiz.results();
        if (way == QLatin1String("close box"))
            results->close();
        else
            click(way == QLatin1String("Uus test") ? results->Command1 : results->Command2);
        QVERIFY(!quiz.results());
        QCOMPARE(quiz.state.AnsweredCount, qint16(countsAfter));
        QCOMPARE(quiz.state.WrongCount, qint16(countsAfter));
        QCOMPARE(quiz.main->isVisible(), mainShown);
        QCOMPARE(quiz.test() != nullptr, newQuiz);
        if (!newQuiz)
            return;
        // The new test counts from 0 and asks again although every mark was set.
        QCOMPARE(quiz.test()->Label1->text(), QStringLiteral("koer"));
        quiz.answer(QStringLiteral("dog"));
        QCOMPARE(quiz.state.AnsweredCount, qint16(1));
        QVERIFY(quiz.results());
        click(quiz.results()->Command2);
        QVERIFY(quiz.main->isVisible());
    }

    void wholeTestByKeyboard_data() {
        QTest::addColumn<bool>("typed");
        QTest::addColumn<bool>("foreign");
        QTest::addColumn<int>("limit"); // -1: off
        QTest::newRow("typed, foreign") << true << true << -1;
        QTest::newRow("typed, Estonian, limit") << true << false << 30;
        QTest::newRow("choices, foreign, limit") << false << true << 30;
        QTest::newRow("choices, Estonian") << false << false << -1;
    }
    void wholeTestByKeyboard() {
        QFETCH(bool, typed);
        QFETCH(bool, foreign);
        QFETCH(int, limit);
        Quiz quiz(threePairs);
        if (!foreign)
            quiz.estonianAnswers();
        if (!typed)
            quiz.choices();
        if (limit >= 0)
            quiz.limit(limit);
        // Questions 0, 1, 2; the right choice always at Kyssa2, distractors from slot 2.
        for (int q = 0; q < 3; ++q)
            quiz.draws({pick(q, 2), 0.25, 0.9, 0.9, 0.9, 0.9});
        QTest::keyClick(quiz.main->nupptest, Qt::Key_Space);
        QVERIFY(quiz.test());
        for (int q = 0; q < 3; ++q) {
            const bool right = q != 1;
            if (typed) {
                QVERIFY(typeIntoFocus(right ? quiz.expected() : QStringLiteral("vale")));
                QVERIFY(press(Qt::Key_Return));
            } else {
                // Tab walks through the choices to one that is right, or wrong, as wanted.
                const auto& choices = quiz.test()->Kyssa;
                auto fits = [&] {
                    auto* label = qobject_cast<ClickLabel*>(focused());
                    return std::find(choices.begin(), choices.end(), label) != choices.end() &&
                           (label->text() == quiz.expected()) == right;
                };
                for (int tabs = 0; tabs < 10 && !fits(); ++tabs)
                    QVERIFY(press(Qt::Key_Tab));
                QVERIFY(fits());
                QVERIFY(press(Qt::Key_Space));
            }
            if (!right) {
                QCOMPARE(focused(), quiz.notice()->Command1);
                QVERIFY(press(Qt::Key_Return));
            }
            if (quiz.test() && limit > 0)
                quiz.platform.advance(limit * 1000 - 1); // no time-out while answering
        }
        QCOMPARE(quiz.state.AnsweredCount, qint16(3));
        QCOMPARE(quiz.state.WrongCount, qint16(1));
        QCOMPARE(focused(), quiz.results()->Command1);
        QVERIFY(press(Qt::Key_Tab));
        QVERIFY(press(Qt::Key_Return)); // "Lõpetan"
        QVERIFY(quiz.main->isVisible() && !quiz.results());
    }

    // 10,000 answers, right and wrong at random, in both modes and directions over repeated
    // tests; after each test the counts add up and every pair was asked exactly once.
    void soak() {
        QStringList words;
        const int pairs = 20;
        for (int i = 0; i < pairs; ++i)
            words << QStringLiteral("eesti%1").arg(i) << QStringLiteral("võõras%1").arg(i);
        Quiz quiz(words);
        std::mt19937 random(12345);
        std::uniform_real_distribution<double> unit(0.0, 1.0);
        auto coin = [&] { return random() % 2 == 0; };

        int answers = 0;
        bool throughMain = true;
        while (answers < 10000) {
            while (quiz.platform.randomValues.size() < 2000)
                quiz.platform.randomValues.enqueue(unit(random));
            if (throughMain) {
                click(coin() ? quiz.main->Option1 : quiz.main->Option2);
                click(coin() ? quiz.main->Option3 : quiz.main->Option4);
                click(quiz.main->nupptest);
            }
            const bool typed = quiz.main->Option3->isChecked();
            std::set<int> asked;
            int wrong = 0;
            for (int n = 0; n < pairs; ++n, ++answers) {
                Test* test = quiz.test();
                QVERIFY(test && test->isVisible());
                const QString expected = quiz.expected();
                QVERIFY(asked.insert(quiz.state.QuestionIndex).second);
                bool right = coin();
                if (typed) {
                    quiz.answer(right ? expected : expected + QStringLiteral("x"));
                } else {
                    ClickLabel* chosen = nullptr;
                    for (ClickLabel* choice : test->Kyssa)
                        if (!chosen && (choice->text() == expected) == right)
                            chosen = choice;
                    if (!chosen) { // every choice is the right word
                        chosen = test->Kyssa[0];
                        right = true;
                    }
                    click(chosen);
                }
                wrong += !right;
                if (!right)
                    quiz.dismissNotice();
            }
            QCOMPARE(int(asked.size()), pairs);
            QCOMPARE(quiz.state.AnsweredCount, qint16(pairs));
            QCOMPARE(quiz.state.WrongCount, qint16(wrong));
            Tulemus* results = quiz.results();
            QVERIFY(results && !quiz.test());
            QCOMPARE(results->Label2->text(), QStringLiteral("Õigeid:  %1").arg(pairs - wrong));
            QCOMPARE(results->Label4->text(),
                     QStringLiteral("Õigeid vastuseid oli  %1%").arg(percentRight(pairs, wrong)));
            throughMain = coin();
            click(throughMain ? results->Command2 : results->Command1);
            settle();
        }
    }
};

QTEST_MAIN(TestQuizFlow)
#include "tst_quizflow.moc"
