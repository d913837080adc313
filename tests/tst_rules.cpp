// SPDX-License-Identifier: GPL-3.0-or-later
// Rules with no window: rounding, the real timer, the command line, and dictionary files read
// and written (line ends, quoting, the code page, the 1000-pair limit, saves that fail).
#include "app/CommandLine.h"
#include "app/MainWindow.h"
#include "dictfile/DictionaryFile.h"
#include "platform/UiTimer.h"
#include "quiz/Scoring.h"
#include "state/Format.h"
#include "state/ProgramState.h"
#include "support/FakePlatform.h"
#include "support/TestUtil.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// The i-node tells a file written in place from one replaced by a new file.
ino_t inode(const QString& path) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : 0;
}

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

    // A save as the program makes it. A folder where the user may change files but not make new
    // ones (a shared folder): a writable file there is written in place. Anywhere else a save goes
    // through a new file, which replaces the old one only when every step of the write
    // succeeded: on a full disk the old file stays whole. In place, a failure says that the file
    // may be cut short, and the list, edited or not, counts as unsaved: the program neither ends
    // nor drops it without asking again.
    void saves_data() {
        QTest::addColumn<bool>("locked"); // no new file may be made in the folder
        QTest::addColumn<int>("mode");    // the old file's; 0: none
        QTest::addColumn<int>("pairs");
        QTest::addColumn<int>("room"); // on the disk, in bytes; 0: enough
        QTest::addColumn<bool>("saved");
        QTest::addColumn<bool>("damaged");  // the failure says the file may be cut short
        QTest::addColumn<bool>("inPlace");  // written into the old file, not a new one
        QTest::addColumn<QString>("cause"); // what the failure names
        row("open, writable file", false, 0666, 1, 0, true, false, false, QString());
        row("open, read-only file", false, 0444, 1, 0, false, false, false, u"pole õigust"_s);
#ifdef Q_OS_UNIX // a folder's mode does not lock it on Windows, nor is there a file size limit
        row("locked, writable file", true, 0666, 1, 0, true, false, true, QString());
        row("locked, read-only file", true, 0444, 1, 0, false, false, false, u"pole õigust"_s);
        row("locked, no file", true, 0, 1, 0, false, false, false, u"pole õigust"_s);
        // A list under the write buffer's size reaches the disk only at flush time.
        row("full disk, small list", false, 0666, 100, 1024, false, false, false, u"liiga suur"_s);
        row("full disk, large list", false, 0666, 1000, 1024, false, false, false, u"liiga suur"_s);
        row("full disk in place, small list", true, 0666, 100, 1024, false, true, true,
            u"liiga suur"_s);
        row("full disk in place, large list", true, 0666, 1000, 1024, false, true, true,
            u"liiga suur"_s);
#endif
    }
    void saves() {
        QFETCH(bool, locked);
        QFETCH(int, mode);
        QFETCH(int, pairs);
        QFETCH(int, room);
        QFETCH(bool, saved);
        QFETCH(bool, damaged);
        QFETCH(bool, inPlace);
        QFETCH(QString, cause);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"list.dic"_s);
        QVERIFY(!mode || writeFile(path, "vana\r\nold\r\n", mode));
        const QByteArray folder = QFile::encodeName(dir.path());
        QVERIFY(::chmod(folder.constData(), locked ? 0555 : 0777) == 0);
        const auto unlock = qScopeGuard([&] { ::chmod(folder.constData(), 0755); });
        const ino_t before = inode(path);
        const QByteArray old = fileBytes(path);
        ProgramState s;
        s.CurrentFile = path;
        FakePlatform platform;
        QByteArray bytes;
        for (int k = 0; k < pairs; ++k) {
            s.EstonianWords[k] = u"koer"_s + QString::number(k);
            s.ForeignWords[k] = u"ex-dog"_s;
            bytes += "koer" + QByteArray::number(k) + "\r\nex}dog\r\n";
        }
        const bool written = [&] {
            AsNobody user;
            FileSizeLimit disk(room);
            return writeCurrentFile(s, platform);
        }();
        QCOMPARE(written, saved);
        QCOMPARE(platform.messages.size(), int(!saved));
        const QString message = platform.messages.value(0).text;
        QCOMPARE(message.contains(u"poolik"_s), damaged);
        QVERIFY2(message.contains(cause), qPrintable(message));
        QCOMPARE(int(s.Changed), int(damaged));
        if (!damaged)
            QCOMPARE(fileBytes(path), saved ? bytes : old);
#ifdef Q_OS_UNIX // Windows numbers no i-nodes
        if (saved)
            QCOMPARE(inode(path) == before, inPlace);
#else
        Q_UNUSED(before);
        Q_UNUSED(inPlace);
#endif
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), int(mode != 0));
    }
};

QTEST_GUILESS_MAIN(TestRules)
#include "tst_rules.moc"
