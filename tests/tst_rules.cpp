// SPDX-License-Identifier: GPL-3.0-or-later
// Rules with no window: rounding, the real timer, the command line, and dictionary files read
// and written (line ends, quoting, the code page, the 1000-pair limit).
#include "app/CommandLine.h"
#include "dictfile/DictionaryFile.h"
#include "platform/UiTimer.h"
#include "quiz/Scoring.h"
#include "state/Format.h"
#include "state/ProgramState.h"
#include "support/TestUtil.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// Reads like a file on a disk that fails at FailHere, and goes on failing.
constexpr char FailHere[] = "<fail>";
struct FailingDevice : QBuffer {
    using QBuffer::QBuffer;
    qint64 readData(char* data, qint64 size) override {
        const qint64 end = buffer().contains(FailHere) ? buffer().indexOf(FailHere) : -1;
        if (end >= 0 && pos() >= end)
            return -1;
        return QBuffer::readData(data, end < 0 ? size : qMin(size, end - pos()));
    }
};

} // namespace

class TestRules : public QObject {
    Q_OBJECT
private slots:
    // Halves go to the even neighbour, in the draw and in the percentage of right answers.
    void halvesToEven() {
        QCOMPARE((QList<long long>{roundHalfEven(0.5), roundHalfEven(1.5), roundHalfEven(2.5001)}),
                 (QList<long long>{0, 2, 3}));
        QCOMPARE((QList<int>{percentRight(8, 7), percentRight(8, 5), percentRight(3, 1)}),
                 (QList<int>{12, 38, 67}));
    }

    // The real timer, enabled with interval 0 as every window's timer starts: a plain QTimer
    // would fire on every pass of the event loop.
    void zeroIntervalNeverFires() {
        QtUiTimer timer;
        QSignalSpy spy(&timer, &UiTimer::timeout);
        for (int pass = 0; pass < 5; ++pass)
            QCoreApplication::processEvents();
        QCOMPARE(spy.count(), 0);
    }

    // What each command line leads to: a run with the file to open, or an exit with its status and
    // a text on standard output (0) or standard error (2).
    void outcome_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode"); // -1: runs
        QTest::addColumn<QString>("file"); // to open
        QTest::addColumn<QString>("text"); // a part of standard output (0) or error (2)
        const QString unknown = "'.\nTry 'sonarix --help' for more information.\n";
        row("file", QStringList{"words.dic"}, -1, "words.dic", "");
        row("second file ignored", QStringList{"a.dic", "b.dic"}, -1, "a.dic", "");
        row("-h with a file", QStringList{"-h", "a.dic"}, 0, "",
            "Dictionary to open once the main window is up.\n");
        row("-v after a file", QStringList{"a.dic", "-v"}, 0, "", "Sonarix 1.3.9\n");
        row("unknown", QStringList{"--frobnicate", "a.dic"}, 2, "", unknown);
        row("--help-all is not ours", QStringList{"--help-all"}, 2, "", unknown);
    }
    void outcome() {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, file);
        QFETCH(QString, text);
        const CommandLine got = parseCommandLine(QStringList{"/usr/bin/sonarix"} + arguments);
        QCOMPARE(got.run ? -1 : got.exitCode, exitCode);
        QCOMPARE(got.file, file);
        if (exitCode == 0)
            QVERIFY(got.output.contains(text) && got.error.isEmpty());
        if (exitCode == 2)
            QVERIFY(got.error.startsWith("sonarix: ") && got.error.endsWith(text) &&
                    got.output.isEmpty());
    }

    void reads_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<int>("wordCount");
        QTest::addColumn<int>("error");
        QTest::addColumn<bool>("leftOver"); // the file goes on after the list is full
        const QStringList abcd{"a|b", "c|d"}, none;
        row("empty file", QByteArray(), none, -1, 0, false);
        // CR LF, as written, is read back by every row of writes().
        row("lone LF and lone CR", QByteArray("a\nb\rc\nd\r"), abcd, 1, 0, false);
        row("no line end at the end", QByteArray("a\r\nb\r\nc\r\nd"), abcd, 1, 0, false);
        row("comma ends a field", QByteArray("a,b\r\nc,d\r\n"), abcd, 1, 0, false);
        row("leading blanks skipped, trailing kept", QByteArray("   a \r\n  b\r\n"),
            QStringList{"a |b"}, 0, 0, false);
        row("quoted field, rest dropped", QByteArray("\"x, y\"zz\r\n\"q\"\r\n"),
            QStringList{"x, y|q"}, 0, 0, false);
        // A partial read ends the list at its last filled slot, not at the old WordCount.
        row("odd number of lines", QByteArray("a\r\nb\r\nc}d\r\n"), QStringList{"a|b", "c-d|"}, 1,
            62, false);
        row("trailing empty line", QByteArray("a\r\nb\r\n\r\n"), QStringList{"a|b", "|"}, 0, 62,
            false);
        const QByteArray pair("e\r\nf\r\n");
        const QStringList thousand(1000, "e|f");
        row("only the first 1000 pairs", pair.repeated(1500), thousand, 999, 0, true);
        for (const char* tail : {"", "\r\n", " \r\n\t", "\x1a"})
            row("exactly 1000 pairs, then nothing to lose", pair.repeated(1000) + tail, thousand,
                999, 0, false);
        row("1000 pairs, then a foreign word", pair.repeated(1000) + "\r\nx", thousand, 999, 0,
            true);
        // A failing disk: what came before stays, and the list tells it holds only part.
        row("read error part-way", "a\r\nb\r\nc\r" + QByteArray(FailHere) + "\nd\r\n",
            QStringList{"a|b"}, 0, 68, true);
    }
    void reads() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, expected);
        QFETCH(int, wordCount);
        QFETCH(int, error);
        QFETCH(bool, leftOver);
        ProgramState s;
        setPairs(s, QStringList(ProgramState::Slots, u"old|old"_s));
        FailingDevice buffer(&bytes);
        QVERIFY(buffer.open(QIODevice::ReadOnly));
        bool partial = !leftOver;
        const auto failure = readDictionary(s, buffer, u"x.dic"_s, {}, &partial);
        QCOMPARE(failure ? failure->number : 0, error);
        QCOMPARE(partial, leftOver);
        QCOMPARE(s.WordCount, wordCount);
        QStringList read; // every slot the file fills, and any other that is not empty
        for (int k = 0; k < ProgramState::FileSlots; ++k)
            if (k < expected.size() || !s.EstonianWords[k].isEmpty() ||
                !s.ForeignWords[k].isEmpty())
                read << s.EstonianWords[k] + QLatin1Char('|') + s.ForeignWords[k];
        QCOMPARE(read, expected);
        QCOMPARE(s.EstonianWords[1000], u"old"_s); // past what a file holds
    }

    // The bytes a save leaves over an old file, and the words in memory afterwards (as they
    // are in the list, unless given), which the saved pairs also read back as.
    void writes_data() {
        QTest::addColumn<QStringList>("list"); // "Estonian|foreign", from slot 0
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("after");
        const auto row = [](const char* name, const QStringList& list, const QByteArray& bytes,
                            const QStringList& after = {}) {
            QTest::newRow(name) << list << bytes << (after.isEmpty() ? list : after);
        };
        const auto word = [&](const char* name, const QString& foreign, const QByteArray& stored) {
            row(name, {"e|" + foreign}, "e\r\n" + stored + "\r\n");
        };
        word("comma", "a, b", "\"a, b\"");
        word("outer blanks", " both ", "\" both \"");
        word("leading quote", "\"q\" x", "\"\"\"q\"\" x\"");
        word("embedded quote", "mid\"dle", "mid\"dle");
        word("line break", "two\r\nlines", "\"two\r\nlines\"");
        word("Estonian letters", QString::fromUtf8("õäöüšž ÕÄÖÜŠŽ"),
             "\xF5\xE4\xF6\xFC\xF0\xFE \xD5\xC4\xD6\xDC\xD0\xDE");
        row("empty list", {}, "");
        row("empty foreign word", {"a|b", "c|", "e|f"}, "a\r\nb\r\nc\r\n\r\ne\r\nf\r\n");
        row("empty Estonian word ends it", {"a|b", "|x-y", "c}|d"}, "a\r\nb\r\n");
        row("hyphens in either word", {"ex-wife-to-be|x", "y|a--b", "c-d|e-f-g"},
            "ex}wife}to}be\r\nx\r\ny\r\na}}b\r\nc}d\r\ne}f}g\r\n");
        row("typed }", {"a}b|}"}, "a}b\r\n}\r\n", {"a-b|-"});
        QStringList full;
        QByteArray fullBytes;
        for (int k = 0; k < 1000; ++k) {
            full << QStringLiteral("e%1|f-%1").arg(k);
            fullBytes += "e" + QByteArray::number(k) + "\r\nf}" + QByteArray::number(k) + "\r\n";
        }
        row("1001 pairs, 1000 written", full << "last|x", fullBytes);
    }
    void writes() {
        QFETCH(QStringList, list);
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, after);
        ProgramState s;
        setPairs(s, list);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"list.dic"_s);
        QVERIFY(writeFile(path, "vana\r\nold\r\n"));
        QVERIFY(!writeDictionary(s, path));
        QCOMPARE(fileBytes(path), bytes);
        ProgramState read;
        QVERIFY(!readDictionary(read, path));
        QCOMPARE(pairsOf(s, u'|', int(list.size())), after);
        QCOMPARE(pairsOf(read), after.mid(0, read.WordCount + 1));
    }
};

QTEST_GUILESS_MAIN(TestRules)
#include "tst_rules.moc"
