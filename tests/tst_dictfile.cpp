#include "dictfile/Cp1257.h"
#include "dictfile/DictionaryFile.h"
#include "dictfile/ListInput.h"
#include "state/ProgramState.h"

#include <QBuffer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void put(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

// Pairs as "est|foreign" for short comparisons.
QStringList pairs(const ProgramState& state, int count) {
    QStringList list;
    for (int k = 0; k < count; ++k)
        list << state.EstonianWords[k] + QLatin1Char('|') + state.ForeignWords[k];
    return list;
}

std::optional<FileFailure> readBytes(ProgramState& state, const QByteArray& bytes) {
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    return readDictionary(state, buffer, QStringLiteral("x.dic"));
}

} // namespace

class TestDictFile : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString path(const char* name) const { return dir.filePath(QLatin1String(name)); }

private slots:
    void writesTheLayoutByteForByte() {
        ProgramState s;
        s.EstonianWords[0] = QStringLiteral("koer");
        s.ForeignWords[0] = QStringLiteral("dog");
        s.EstonianWords[1] = QStringLiteral("õun");
        s.EstonianWords[2] = QStringLiteral("ex-naine");
        s.ForeignWords[2] = QStringLiteral("ex-wi-fe}");
        s.EstonianWords[4] = QStringLiteral("beyond the gap");
        QVERIFY(!writeDictionary(s, path("layout.dic")));
        QCOMPARE(contents(path("layout.dic")),
                 QByteArray("koer\r\ndog\r\n\xF5un\r\n\r\nex}naine\r\nex}wi}fe}\r\n"));
        // In memory the words now read as they will after the next Open.
        QCOMPARE(s.ForeignWords[2], QStringLiteral("ex-wi-fe-"));
        QCOMPARE(s.EstonianWords[4], QStringLiteral("beyond the gap"));
    }

    void emptyListGivesAnEmptyFile() {
        ProgramState s;
        put(path("old.dic"), "old\r\ncontent\r\n");
        QVERIFY(!writeDictionary(s, path("old.dic")));
        QCOMPARE(contents(path("old.dic")), QByteArray());
    }

    void writesAtMostAThousandPairs() {
        ProgramState s;
        for (int k = 0; k < ProgramState::Slots; ++k)
            s.EstonianWords[k] = s.ForeignWords[k] = QString::number(k);
        QVERIFY(!writeDictionary(s, path("full.dic")));
        const QByteArray bytes = contents(path("full.dic"));
        QCOMPARE(bytes.count("\r\n"), 2000);
        QVERIFY(bytes.endsWith("999\r\n999\r\n"));
    }

    void reads_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<int>("wordCount");
        QTest::addColumn<int>("error");
        const QStringList none;
        QTest::newRow("empty file") << QByteArray() << none << -1 << 0;
        QTest::newRow("CR LF") << QByteArray("a\r\nb\r\nc\r\n\r\n") << QStringList{"a|b", "c|"} << 1
                               << 0;
        QTest::newRow("no line end at the end")
            << QByteArray("a\r\nb") << QStringList{"a|b"} << 0 << 0;
        QTest::newRow("LF only") << QByteArray("a\nb\nc\nd\n") << QStringList{"a|b", "c|d"} << 1
                                 << 0;
        QTest::newRow("CR only") << QByteArray("a\rb\rc\rd\r") << QStringList{"a|b", "c|d"} << 1
                                 << 0;
        QTest::newRow("braces read as hyphens")
            << QByteArray("ex}wife\r\n}}\r\n") << QStringList{"ex-wife|--"} << 0 << 0;
        QTest::newRow("comma ends a field")
            << QByteArray("a,b\r\nc,d\r\n") << QStringList{"a|b", "c|d"} << 1 << 0;
        QTest::newRow("leading blanks skipped, trailing kept")
            << QByteArray("   a \r\n  b\r\n") << QStringList{"a |b"} << 0 << 0;
        QTest::newRow("quoted field, rest dropped")
            << QByteArray("\"x, y\"zz\r\n\"q\"\r\n") << QStringList{"x, y|q"} << 0 << 0;
        QTest::newRow("doubled quotes inside quotes") << QByteArray("\"\"\"hi\"\" , \"\r\nx\"y\r\n")
                                                      << QStringList{"\"hi\" , |x\"y"} << 0 << 0;
        QTest::newRow("quoted field spans lines")
            << QByteArray("\"a\r\nb\"\r\nc\r\n") << QStringList{"a\r\nb|c"} << 0 << 0;
        QTest::newRow("unterminated quote runs to the end")
            << QByteArray("a\r\n\"b\r\nc") << QStringList{"a|b\r\nc"} << 0 << 0;
        QTest::newRow("NUL bytes are characters")
            << QByteArray("a\0b\r\n\0\r\n", 8)
            << QStringList{QString("a") + QChar(0) + "b|" + QChar(0)} << 0 << 0;
        QTest::newRow("every byte above 0x7F")
            << QByteArray("\x80\xA1\xFF\r\n\xD5\xC4\xD6\xDC\xD0\xDE\r\n")
            << QStringList{QString::fromUtf8("€\u00A1˙|ÕÄÖÜŠŽ")} << 0 << 0;
        // The partial list ends at its last filled slot, not at the old WordCount.
        QTest::newRow("trailing empty line")
            << QByteArray("a\r\nb\r\n\r\n") << QStringList{"a|b", "|"} << 0 << 62;
        QTest::newRow("odd number of lines keeps the half pair")
            << QByteArray("a\r\nb\r\nc}d\r\n") << QStringList{"a|b", "c-d|"} << 1 << 62;
    }
    void reads() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, expected);
        QFETCH(int, wordCount);
        QFETCH(int, error);
        ProgramState s;
        s.WordCount = 500;
        for (int k = 0; k < ProgramState::Slots; ++k)
            s.EstonianWords[k] = s.ForeignWords[k] = QStringLiteral("old");
        const auto failure = readBytes(s, bytes);
        QCOMPARE(failure ? failure->number : 0, error);
        QCOMPARE(s.WordCount, wordCount);
        QCOMPARE(pairs(s, int(expected.size())), expected);
        for (int k = int(expected.size()); k < ProgramState::FileSlots; ++k)
            QVERIFY(s.EstonianWords[k].isEmpty() && s.ForeignWords[k].isEmpty());
        QCOMPARE(s.EstonianWords[1000], QStringLiteral("old"));
    }

    void readsTheFirstThousandPairsOnly() {
        QByteArray bytes;
        for (int k = 0; k < 1500; ++k)
            bytes += QByteArray::number(k) + "\r\nf" + QByteArray::number(k) + "\r\n";
        ProgramState s;
        QVERIFY(!readBytes(s, bytes));
        QCOMPARE(s.WordCount, 999);
        QCOMPARE(s.EstonianWords[999], QStringLiteral("999"));
        QCOMPARE(s.ForeignWords[999], QStringLiteral("f999"));
    }

    void fieldsBeyondTheLimitAreRefused() {
        QByteArray bytes(1000, 'x');
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        ListInput input(buffer, 100);
        QString field;
        QCOMPARE(input.readField(field), ListInput::Status::TooLarge);
    }

    void openErrors_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("error");
        QTest::addColumn<QString>("text");
        const QString missing = dir.filePath(QStringLiteral("missing.dic"));
        const QString noFolder = dir.filePath(QStringLiteral("no/such/folder.dic"));
        QTest::newRow("missing file") << missing << 53 << "ERROR 53: Seda faili pole." + missing;
        QTest::newRow("missing folder")
            << noFolder << 76 << "ERROR 76: That path doesn't exist." + noFolder;
        QTest::newRow("a folder") << dir.path() << 75 << "ERROR 75 occurred.";
#ifdef Q_OS_LINUX
        // Opens, but every read fails.
        QTest::newRow("unreadable device")
            << "/proc/self/mem" << 68 << "ERROR 68: Drive : no available.";
#endif
    }
    void openErrors() {
        QFETCH(QString, target);
        QFETCH(int, error);
        QFETCH(QString, text);
        ProgramState s;
        s.EstonianWords[0] = QStringLiteral("kept");
        s.WordCount = 7;
        const auto failure = readDictionary(s, target);
        QVERIFY(failure);
        QCOMPARE(failure->number, error);
        QCOMPARE(failure->message, text);
        // A file that cannot be opened leaves the list alone; one that fails while reading has
        // emptied it and holds what was read.
        QCOMPARE(s.EstonianWords[0], error == 68 ? QString() : QStringLiteral("kept"));
        QCOMPARE(s.WordCount, error == 68 ? -1 : 7);
    }

    void roundTripsEveryCharacter() {
        // Words over the whole code page, commas, quotes, blanks, "-" and "}" most of all.
        QString repertoire;
        for (int b = 0; b < 256; ++b)
            repertoire += cp1257::decode(QByteArray(1, char(b)));
        repertoire += QStringLiteral(",,\"\"  --}}");
        auto* random = QRandomGenerator::global();
        ProgramState s;
        QStringList expected;
        for (int k = 0; k < 1000; ++k) {
            QString words[2];
            for (QString& word : words)
                for (int n = int(random->bounded(k == 0 ? 1 : 0, 12)); n > 0; --n)
                    word += repertoire[random->bounded(int(repertoire.size()))];
            if (words[0].isEmpty())
                words[0] = QStringLiteral(" ");
            s.EstonianWords[k] = words[0];
            s.ForeignWords[k] = words[1];
            expected << QString(words[0]).replace('}', '-') + '|' +
                            QString(words[1]).replace('}', '-');
        }
        QVERIFY(!writeDictionary(s, path("all.dic")));
        QCOMPARE(pairs(s, 1000), expected);
        ProgramState back;
        QVERIFY(!readDictionary(back, path("all.dic")));
        QCOMPARE(back.WordCount, 999);
        QCOMPARE(pairs(back, 1000), expected);
    }

    void plainWordsStayPlain() {
        bool ok = false;
        QCOMPARE(encodeField(QStringLiteral("a\"b c\""), &ok), QByteArray("a\"b c\""));
        QCOMPARE(encodeField(QStringLiteral("\"a,b\""), &ok), QByteArray("\"\"\"a,b\"\"\""));
        QCOMPARE(encodeField(QStringLiteral("end "), &ok), QByteArray("\"end \""));
        QVERIFY(ok);
    }

    void unencodableCharacterStopsTheSave() {
        put(path("keep.dic"), "old\r\nfile\r\n");
        ProgramState s;
        s.EstonianWords[0] = QStringLiteral("ex-a");
        s.EstonianWords[1] = QStringLiteral("naïve");
        s.ForeignWords[1] = QString::fromUtf8("日本");
        s.EstonianWords[2] = QStringLiteral("later");
        const auto failure = writeDictionary(s, path("keep.dic"));
        QVERIFY(failure);
        QVERIFY(failure->message.contains(QStringLiteral("\"naïve\"")));
        QCOMPARE(contents(path("keep.dic")), QByteArray("old\r\nfile\r\n"));
        QCOMPARE(s.EstonianWords[0], QStringLiteral("ex-a"));
    }

    void longLinesAndBigFiles() {
        ProgramState s;
        s.EstonianWords[0] = QString(1 << 20, QLatin1Char('e'));
        s.ForeignWords[0] = QString(1 << 20, QChar(0x0161));
        QVERIFY(!writeDictionary(s, path("long.dic")));
        ProgramState back;
        QVERIFY(!readDictionary(back, path("long.dic")));
        QCOMPARE(back.EstonianWords[0], s.EstonianWords[0]);
        QCOMPARE(back.ForeignWords[0], s.ForeignWords[0]);

        // 50 MB: 1000 pairs of 25 000 bytes each, then more than the reader ever looks at.
        QFile big(path("big.dic"));
        QVERIFY(big.open(QIODevice::WriteOnly));
        const QByteArray line = QByteArray(24998, 'w') + "\r\n";
        for (int k = 0; k < 2100; ++k)
            big.write(line);
        big.close();
        QVERIFY(big.size() > 50'000'000);
        QVERIFY(!readDictionary(back, path("big.dic")));
        QCOMPARE(back.WordCount, 999);
        QCOMPARE(back.ForeignWords[999].size(), 24998);
    }
};

QTEST_GUILESS_MAIN(TestDictFile)
#include "tst_dictfile.moc"
