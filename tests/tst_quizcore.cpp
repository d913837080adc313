#include "quiz/Scoring.h"
#include "quiz/Selection.h"
#include "state/ProgramState.h"

#include <QQueue>
#include <QTest>

#include <algorithm>

namespace {

// A draw value that lands on slot q of 0..n.
double pick(int q, int n) {
    return n == 0 ? 0.0 : std::max(0.0, (q - 0.1) / n);
}

QQueue<double> queue(std::initializer_list<double> values) {
    QQueue<double> q;
    for (double v : values)
        q.enqueue(v);
    return q;
}

RandomSource scripted(QQueue<double>& values) {
    return [&values] { return values.isEmpty() ? 0.0 : values.dequeue(); };
}

void fill(ProgramState& s, const QStringList& estonian) {
    for (int i = 0; i < estonian.size(); ++i) {
        s.EstonianWords[i] = estonian[i];
        s.ForeignWords[i] = QStringLiteral("f") + QString::number(i);
    }
    s.WordCount = static_cast<qint16>(estonian.size() - 1);
}

} // namespace

class TestQuizCore : public QObject {
    Q_OBJECT
private slots:
    void draw_data() {
        QTest::addColumn<double>("r");
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("result");
        QTest::newRow("0") << 0.0 << 4 << 0;
        QTest::newRow("0.5 to even 0") << 0.125 << 4 << 0;
        QTest::newRow("1.5 to even 2") << 0.375 << 4 << 2;
        QTest::newRow("2.5 to even 2") << 0.625 << 4 << 2;
        QTest::newRow("top end reached") << 0.9 << 4 << 4;
        QTest::newRow("999.6 of 1000") << 0.9996 << 1000 << 1000;
        QTest::newRow("one pair") << 0.99 << 0 << 0;
    }
    void draw() {
        QFETCH(double, r);
        QFETCH(int, n);
        QFETCH(int, result);
        QCOMPARE(::draw(n, [r] { return r; }), result);
    }

    void fivePairsAskedOnceEach() {
        ProgramState s;
        fill(s, {"a", "b", "c", "d", "e"});
        // Repeats of asked pairs are drawn again.
        QQueue<double> values = queue(
            {pick(2, 4), pick(2, 4), pick(0, 4), pick(4, 4), pick(4, 4), pick(1, 4), pick(3, 4)});
        QList<int> asked;
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(selectQuestion(s, 4, scripted(values)), Selection::Chosen);
            asked << s.QuestionIndex;
            s.AskedMarks[s.QuestionIndex] = 1;
        }
        QCOMPARE(asked, (QList<int>{2, 0, 4, 1, 3}));
        QVERIFY(values.isEmpty());
    }

    void emptyEstonianEntriesRetired() {
        ProgramState s;
        fill(s, {"a", "", "c", "", "e"});
        s.ForeignWords[2].clear(); // an empty foreign word is asked like any other
        QQueue<double> values = queue({pick(1, 4), pick(3, 4), pick(2, 4)});
        QCOMPARE(selectQuestion(s, 4, scripted(values)), Selection::Chosen);
        QCOMPARE(s.QuestionIndex, qint16(2));
        QCOMPARE(s.AskedMarks[1], qint16(1));
        QCOMPARE(s.AskedMarks[3], qint16(1));
        QCOMPARE(s.AskedMarks[2], qint16(0)); // the window marks the pair it presents
    }

    void exhaustedPool_data() {
        QTest::addColumn<int>("answered");
        QTest::addColumn<int>("acknowledged");
        QTest::addColumn<bool>("results");
        QTest::newRow("new test") << 0 << int(True) << false;
        QTest::newRow("no notice dismissed") << 3 << int(False) << false;
        QTest::newRow("ends the test") << 3 << int(True) << true;
    }
    void exhaustedPool() {
        QFETCH(int, answered);
        QFETCH(int, acknowledged);
        QFETCH(bool, results);
        ProgramState s;
        fill(s, {"a", "b", "c"});
        std::fill(s.AskedMarks.begin(), s.AskedMarks.begin() + 3, qint16(1));
        s.AnsweredCount = static_cast<qint16>(answered);
        s.NoticeAcknowledged = static_cast<qint16>(acknowledged);
        QQueue<double> values = queue({pick(1, 2), pick(1, 2)});
        const Selection result = selectQuestion(s, 2, scripted(values));
        // Without the results window, a real question comes from the cleared list.
        QCOMPARE(result, results ? Selection::ShowResults : Selection::Chosen);
        QCOMPARE(s.AskedMarks[0] + s.AskedMarks[1] + s.AskedMarks[2], 0);
        if (!results)
            QCOMPARE(s.QuestionIndex, qint16(1));
    }

    void nothingToAsk() {
        ProgramState s;
        fill(s, {"", "", ""});
        QCOMPARE(selectQuestion(s, 2, [] { return 0.4; }), Selection::Nothing);
        QCOMPARE(selectQuestion(s, -1, [] { return 0.4; }), Selection::Nothing);
    }

    void sourceThatNeverHitsStillEnds() {
        ProgramState s;
        fill(s, {"a", "b", "c"});
        s.AskedMarks[0] = 1;
        s.AskedMarks[1] = 1;
        QCOMPARE(selectQuestion(s, 2, [] { return 0.0; }), Selection::Chosen);
        QCOMPARE(s.QuestionIndex, qint16(2));
    }

    void lastSlot_data() {
        QTest::addColumn<int>("wordCount");
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<int>("last");
        QTest::newRow("as counted") << 3 << QStringList{"a", "b", "", "d"} << 3;
        QTest::newRow("-1 with words in place") << -1 << QStringList{"a", "b", "", "d"} << 1;
        QTest::newRow("-1 and empty") << -1 << QStringList{} << -1;
        QTest::newRow("beyond the slots") << 2000 << QStringList{"a"} << 0;
    }
    void lastSlot() {
        QFETCH(int, wordCount);
        QFETCH(QStringList, words);
        QFETCH(int, last);
        ProgramState s;
        fill(s, words);
        s.WordCount = static_cast<qint16>(wordCount);
        QCOMPARE(quizLastSlot(s), last);
    }

    void percent_data() {
        QTest::addColumn<int>("answered");
        QTest::addColumn<int>("wrong");
        QTest::addColumn<int>("percent");
        QTest::newRow("12.5 to 12") << 8 << 7 << 12;
        QTest::newRow("37.5 to 38") << 8 << 5 << 38;
        QTest::newRow("2 of 3") << 3 << 1 << 67;
        QTest::newRow("1001 right") << 1001 << 0 << 100;
        QTest::newRow("all wrong") << 4 << 4 << 0;
        QTest::newRow("nothing answered") << 0 << 0 << 0;
        QTest::newRow("counts at the top") << 32767 << 1 << 100;
    }
    void percent() {
        QFETCH(int, answered);
        QFETCH(int, wrong);
        QFETCH(int, percent);
        QCOMPARE(percentRight(answered, wrong), percent);
    }
};

QTEST_APPLESS_MAIN(TestQuizCore)
#include "tst_quizcore.moc"
