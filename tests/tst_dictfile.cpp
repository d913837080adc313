// Reading and writing dictionary files: line ends, quoting, the code page, the 1000-pair limit.
#include "dictfile/DictionaryFile.h"
#include "state/ProgramState.h"

#include <QBuffer>
#include <QTest>

class TestDictFile : public QObject {
    Q_OBJECT
private slots:
    void reads_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<int>("wordCount");
        QTest::addColumn<int>("error");
        QTest::addColumn<bool>("leftOver"); // the file goes on after the list is full
        const QStringList abcd{"a|b", "c|d"};
        QTest::newRow("empty file") << QByteArray() << QStringList() << -1 << 0 << false;
        QTest::newRow("CR LF") << QByteArray("a\r\nb\r\nc\r\nd\r\n") << abcd << 1 << 0 << false;
        QTest::newRow("lone LF") << QByteArray("a\nb\nc\nd\n") << abcd << 1 << 0 << false;
        QTest::newRow("lone CR") << QByteArray("a\rb\rc\rd\r") << abcd << 1 << 0 << false;
        QTest::newRow("no line end at the end")
            << QByteArray("a\r\nb\r\nc\r\nd") << abcd << 1 << 0 << false;
        QTest::newRow("comma ends a field")
            << QByteArray("a,b\r\nc,d\r\n") << abcd << 1 << 0 << false;
        QTest::newRow("leading blanks skipped, trailing kept")
            << QByteArray("   a \r\n  b\r\n") << QStringList{"a |b"} << 0 << 0 << false;
        QTest::newRow("quoted field, rest dropped")
            << QByteArray("\"x, y\"zz\r\n\"q\"\r\n") << QStringList{"x, y|q"} << 0 << 0 << false;
        // A partial read ends the list at its last filled slot, not at the old WordCount.
        QTest::newRow("odd number of lines")
            << QByteArray("a\r\nb\r\nc}d\r\n") << QStringList{"a|b", "c-d|"} << 1 << 62 << false;
        QTest::newRow("trailing empty line")
            << QByteArray("a\r\nb\r\n\r\n") << QStringList{"a|b", "|"} << 0 << 62 << false;
        QTest::newRow("only the first 1000 pairs") << QByteArray("e\r\nf\r\n").repeated(1500)
                                                   << QStringList(1000, "e|f") << 999 << 0 << true;
        QTest::newRow("exactly 1000 pairs") << QByteArray("e\r\nf\r\n").repeated(1000)
                                            << QStringList(1000, "e|f") << 999 << 0 << false;
    }
    void reads() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, expected);
        QFETCH(int, wordCount);
        QFETCH(int, error);
        QFETCH(bool, leftOver);
        ProgramState s;
        s.WordCount = 500;
        s.EstonianWords.fill(QStringLiteral("old"));
        s.ForeignWords.fill(QStringLiteral("old"));
        QBuffer buffer(&bytes);
        QVERIFY(buffer.open(QIODevice::ReadOnly));
        bool partial = !leftOver;
        const auto failure = readDictionary(s, buffer, QStringLiteral("x.dic"), {}, &partial);
        QCOMPARE(failure ? failure->number : 0, error);
        QCOMPARE(partial, leftOver);
        QCOMPARE(s.WordCount, wordCount);
        QStringList read; // every slot the file fills, and any other that is not empty
        for (int k = 0; k < ProgramState::FileSlots; ++k)
            if (k < expected.size() || !s.EstonianWords[k].isEmpty() ||
                !s.ForeignWords[k].isEmpty())
                read << s.EstonianWords[k] + QLatin1Char('|') + s.ForeignWords[k];
        QCOMPARE(read, expected);
        QCOMPARE(s.EstonianWords[1000], QStringLiteral("old")); // past what a file holds
    }

    // What the writer stores for a foreign word, and that it reads back unchanged.
    void roundTrips_data() {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("hyphen") << "ex-wife" << QByteArray("ex}wife");
        QTest::newRow("comma") << "a, b" << QByteArray("\"a, b\"");
        QTest::newRow("outer blanks") << " both " << QByteArray("\" both \"");
        QTest::newRow("leading quote") << "\"q\" x" << QByteArray("\"\"\"q\"\" x\"");
        QTest::newRow("embedded quote") << "mid\"dle" << QByteArray("mid\"dle");
        QTest::newRow("line break") << "two\r\nlines" << QByteArray("\"two\r\nlines\"");
        QTest::newRow("Estonian letters")
            << QString::fromUtf8("õäöüšž ÕÄÖÜŠŽ")
            << QByteArray("\xF5\xE4\xF6\xFC\xF0\xFE \xD5\xC4\xD6\xDC\xD0\xDE");
    }
    void roundTrips() {
        QFETCH(QString, word);
        QFETCH(QByteArray, stored);
        ProgramState s;
        s.EstonianWords[0] = QStringLiteral("e");
        s.ForeignWords[0] = word;
        QByteArray bytes = encodeDictionary(s).bytes;
        QCOMPARE(bytes, "e\r\n" + stored + "\r\n");
        QBuffer buffer(&bytes);
        QVERIFY(buffer.open(QIODevice::ReadOnly));
        ProgramState back;
        QVERIFY(!readDictionary(back, buffer, QStringLiteral("x.dic")));
        QCOMPARE(back.WordCount, 0);
        QCOMPARE(back.ForeignWords[0], word);
    }
};

QTEST_GUILESS_MAIN(TestDictFile)
#include "tst_dictfile.moc"
