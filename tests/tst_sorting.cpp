#include "editor/Sorting.h"
#include "editor/WordCollation.h"
#include "state/ProgramState.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

using Routine = void (*)(ProgramState&);
const Routine routines[] = {SortForeignAZ, SortForeignZA, SortEstonianAZ, SortEstonianZA};

// Pairs written "foreign=estonian".
void fill(ProgramState& s, const QStringList& pairs) {
    s.WordCount = qint16(pairs.size() - 1);
    for (int k = 0; k < pairs.size(); ++k) {
        const QStringList halves = pairs[k].split(u'=');
        s.ForeignWords[k] = halves[0];
        s.EstonianWords[k] = halves[1];
    }
}

QStringList pairsOf(const ProgramState& s) {
    QStringList pairs;
    for (int k = 0; k <= s.WordCount; ++k)
        pairs << s.ForeignWords[k] + u'=' + s.EstonianWords[k];
    return pairs;
}

// The exchange sort written out plainly over the words themselves.
void plainSort(QString* keys, QString* partners, int n, bool ascending) {
    const WordCollation collation;
    for (int i = 0; i < n; ++i)
        for (int j = i; j < n; ++j) {
            const int c = collation.compare(keys[i], keys[j]);
            if (ascending ? c > 0 && !keys[j].isEmpty() : c < 0) {
                std::swap(keys[i], keys[j]);
                std::swap(partners[i], partners[j]);
            }
        }
}

QString randomWord(QRandomGenerator& rng) {
    static const QString letters = QStringLiteral("aAbBsSšŠzZžŽtTõÕäÄöÖüÜwx -");
    QString word;
    const int length = int(rng.bounded(4));
    for (int k = 0; k < length; ++k)
        word += letters[int(rng.bounded(letters.size()))];
    return word;
}

} // namespace

class TestSorting : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void routine_data() {
        QTest::addColumn<int>("routine");
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QStringList>("after");
        const QStringList mixed{"cherry=kirss", "Apple=õun", "banana=banaan"};
        QTest::newRow("foreign A-Z, case ignored")
            << 0 << mixed << QStringList{"Apple=õun", "banana=banaan", "cherry=kirss"};
        QTest::newRow("foreign Z-A")
            << 1 << mixed << QStringList{"cherry=kirss", "banana=banaan", "Apple=õun"};
        QTest::newRow("Estonian A-Z")
            << 2 << mixed << QStringList{"banana=banaan", "cherry=kirss", "Apple=õun"};
        QTest::newRow("Estonian Z-A")
            << 3 << mixed << QStringList{"Apple=õun", "cherry=kirss", "banana=banaan"};
        QTest::newRow("b b a: not stable") << 0 << QStringList{"b=first", "b=second", "a=third"}
                                           << QStringList{"a=third", "b=second", "b=first"};
        QTest::newRow("equal apart from case: never exchanged")
            << 0 << QStringList{"apple=1", "APPLE=2", "Apple=3"}
            << QStringList{"apple=1", "APPLE=2", "Apple=3"};
        QTest::newRow("Z-A ties keep order")
            << 1 << QStringList{"a=1", "A=2"} << QStringList{"a=1", "A=2"};
        QTest::newRow("A-Z: empty key keeps its slot")
            << 0 << QStringList{"c=1", "=2", "b=3", "a=4"}
            << QStringList{"a=4", "=2", "b=3", "c=1"};
        QTest::newRow("A-Z: empty key first stays first")
            << 0 << QStringList{"=1", "b=2", "a=3"} << QStringList{"=1", "a=3", "b=2"};
        QTest::newRow("Z-A: empty key goes last")
            << 1 << QStringList{"=1", "a=2", "b=3"} << QStringList{"b=3", "a=2", "=1"};
        QTest::newRow("one pair") << 2 << QStringList{"x=y"} << QStringList{"x=y"};
        QTest::newRow("empty list") << 3 << QStringList{} << QStringList{};
    }
    void routine() {
        QFETCH(int, routine);
        QFETCH(QStringList, before);
        QFETCH(QStringList, after);
        ProgramState s;
        fill(s, before);
        s.ForeignWords[before.size()] = QStringLiteral("beyond");
        routines[routine](s);
        QCOMPARE(pairsOf(s), after);
        QCOMPARE(s.WordCount, qint16(before.size() - 1));
        QCOMPARE(s.ForeignWords[before.size()], QStringLiteral("beyond"));
    }

    void estonianAlphabet() {
        QLocale::setDefault(QLocale(QStringLiteral("et_EE")));
        ProgramState s;
        fill(s, {"1=xenon", "2=Õun", "3=tee", "4=zoo", "5=üks", "6=šokk", "7=wc", "8=öö", "9=ähm",
                 "10=Sai", "11=žürii", "12=õun"});
        SortEstonianAZ(s);
        QStringList words(s.EstonianWords.begin(), s.EstonianWords.begin() + 12);
        // Estonian order: s š z ž t .. w õ ä ö ü x.
        QCOMPARE(words, (QStringList{"Sai", "šokk", "zoo", "žürii", "tee", "wc", "Õun", "õun",
                                     "ähm", "öö", "üks", "xenon"}));
    }

    // Qt's sort keys in the C locale are the plain bytes and would tell case apart; the
    // collation must not lean on them there.
    void cLocaleKeysIgnoreCase() {
        QCollator collator{QLocale::c()};
        collator.setCaseSensitivity(Qt::CaseInsensitive);
        QCOMPARE(collator.compare(QStringLiteral("apple"), QStringLiteral("Apple")), 0);
        QVERIFY(collator.sortKey(QStringLiteral("apple"))
                    .compare(collator.sortKey(QStringLiteral("Apple"))) != 0);
        const WordCollation c{QLocale::c()};
        QVERIFY(!c.usesSortKeys());
        QVERIFY(WordCollation(QLocale(QStringLiteral("et_EE"))).usesSortKeys());
    }

    // Every routine gives exactly the exchanges of the plain sort, on full and random lists.
    void sameExchangesAsPlainSort_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<int>("pairs");
        QTest::newRow("C, 1001 pairs") << "C" << 1001;
        QTest::newRow("et_EE, 1001 pairs") << "et_EE" << 1001;
        QTest::newRow("et_EE, 40 pairs") << "et_EE" << 40;
    }
    void sameExchangesAsPlainSort() {
        QFETCH(QString, locale);
        QFETCH(int, pairs);
        QLocale::setDefault(QLocale(locale));
        QRandomGenerator rng(11);
        ProgramState start;
        start.WordCount = qint16(pairs - 1);
        for (int k = 0; k < pairs; ++k) {
            start.ForeignWords[k] = randomWord(rng);
            start.EstonianWords[k] = randomWord(rng) + QString::number(k);
        }
        for (int r = 0; r < 4; ++r) {
            ProgramState s = start;
            routines[r](s);
            ProgramState t = start;
            const bool foreign = r < 2;
            auto& keys = foreign ? t.ForeignWords : t.EstonianWords;
            auto& partners = foreign ? t.EstonianWords : t.ForeignWords;
            plainSort(keys.data(), partners.data(), pairs, r % 2 == 0);
            QCOMPARE(pairsOf(s), pairsOf(t));
        }
    }
};

QTEST_GUILESS_MAIN(TestSorting)
#include "tst_sorting.moc"
