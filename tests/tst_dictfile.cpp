// Reading and writing dictionary files: line ends, quoting, the code page, the 1000-pair limit.
#include "dictfile/DictionaryFile.h"
#include "state/ProgramState.h"
#include "support/TestUtil.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
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

} // namespace

class TestDictFile : public QObject {
    Q_OBJECT
private slots:
    void reads_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<int>("wordCount");
        QTest::addColumn<int>("error");
        QTest::addColumn<bool>("leftOver"); // the file goes on after the list is full
        const auto row = [](const char* name, const QByteArray& bytes, const QStringList& expected,
                            int wordCount, int error = 0, bool leftOver = false) {
            QTest::newRow(name) << bytes << expected << wordCount << error << leftOver;
        };
        const QStringList abcd{"a|b", "c|d"};
        row("empty file", "", {}, -1);
        row("CR LF", "a\r\nb\r\nc\r\nd\r\n", abcd, 1);
        row("lone LF", "a\nb\nc\nd\n", abcd, 1);
        row("lone CR", "a\rb\rc\rd\r", abcd, 1);
        row("no line end at the end", "a\r\nb\r\nc\r\nd", abcd, 1);
        row("comma ends a field", "a,b\r\nc,d\r\n", abcd, 1);
        row("leading blanks skipped, trailing kept", "   a \r\n  b\r\n", {"a |b"}, 0);
        row("quoted field, rest dropped", "\"x, y\"zz\r\n\"q\"\r\n", {"x, y|q"}, 0);
        // A partial read ends the list at its last filled slot, not at the old WordCount.
        row("odd number of lines", "a\r\nb\r\nc}d\r\n", {"a|b", "c-d|"}, 1, 62);
        row("trailing empty line", "a\r\nb\r\n\r\n", {"a|b", "|"}, 0, 62);
        const QByteArray pair("e\r\nf\r\n");
        row("only the first 1000 pairs", pair.repeated(1500), QStringList(1000, "e|f"), 999, 0,
            true);
        row("exactly 1000 pairs", pair.repeated(1000), QStringList(1000, "e|f"), 999);
    }
    void reads() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, expected);
        QFETCH(int, wordCount);
        QFETCH(int, error);
        QFETCH(bool, leftOver);
        ProgramState s;
        s.WordCount = 500;
        s.EstonianWords.fill(u"old"_s);
        s.ForeignWords.fill(u"old"_s);
        QBuffer buffer(&bytes);
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
        for (int k = 0; k < list.size(); ++k) {
            s.EstonianWords[k] = list[k].section(u'|', 0, 0);
            s.ForeignWords[k] = list[k].section(u'|', 1);
        }
        s.WordCount = qint16(list.size() - 1);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"list.dic"_s);
        QVERIFY(writeFile(path, "vana\r\nold\r\n"));
        QVERIFY(!writeDictionary(s, path));
        QCOMPARE(fileBytes(path), bytes);
        QStringList memory;
        QStringList back;
        ProgramState read;
        QVERIFY(!readDictionary(read, path));
        for (int k = 0; k < list.size(); ++k) {
            memory << s.EstonianWords[k] + u'|' + s.ForeignWords[k];
            if (k <= read.WordCount)
                back << read.EstonianWords[k] + u'|' + read.ForeignWords[k];
        }
        QCOMPARE(memory, after);
        QCOMPARE(back, after.mid(0, read.WordCount + 1));
    }

    // A folder where the user may change files but not make new ones (a shared folder): a
    // writable file there is written in place. Anywhere else a save goes through a new file.
    void lockedFolder_data() {
        QTest::addColumn<bool>("locked");
        QTest::addColumn<int>("mode"); // the old file's permissions; 0: no old file
        QTest::addColumn<bool>("saves");
        QTest::newRow("locked, writable file") << true << 0644 << true;
        QTest::newRow("locked, read-only file") << true << 0444 << false;
        QTest::newRow("locked, no file") << true << 0 << false;
        QTest::newRow("open, writable file") << false << 0644 << true;
        QTest::newRow("open, read-only file") << false << 0444 << false;
    }
    void lockedFolder() {
        if (::getuid() == 0)
            return asNobody();
        QFETCH(bool, locked);
        QFETCH(int, mode);
        QFETCH(bool, saves);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"list.dic"_s);
        QVERIFY(!mode || writeFile(path, "vana\r\nold\r\n", mode));
        const QByteArray folder = QFile::encodeName(dir.path());
        const auto unlock = qScopeGuard([&] { ::chmod(folder.constData(), 0755); });
        QVERIFY(::chmod(folder.constData(), locked ? 0555 : 0755) == 0);
        const ino_t before = inode(path);
        const QByteArray old = fileBytes(path);
        ProgramState s;
        s.EstonianWords[0] = u"koer"_s;
        s.ForeignWords[0] = u"ex-dog"_s;
        QCOMPARE(!writeDictionary(s, path), saves);
        QCOMPARE(fileBytes(path), saves ? QByteArray("koer\r\nex}dog\r\n") : old);
        QVERIFY(!saves || (inode(path) == before) == locked);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), int(mode != 0));
    }

private:
    // Permissions do not stop root: the row runs again as nobody, in a copy of this program
    // where nobody can reach it.
    void asNobody() {
        QTemporaryDir bin(u"/tmp/tst_dictfile-XXXXXX"_s);
        const QString copy = bin.filePath(u"tst_dictfile"_s);
        QVERIFY(QFile::copy(QCoreApplication::applicationFilePath(), copy));
        QVERIFY(::chmod(QFile::encodeName(bin.path()).constData(), 0755) == 0);
        QVERIFY(::chmod(QFile::encodeName(copy).constData(), 0755) == 0);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"TMPDIR"_s, u"/tmp"_s);
        // The leak checker's suppressions may lie where nobody can read them.
        env.remove(u"LSAN_OPTIONS"_s);
        env.insert(u"ASAN_OPTIONS"_s, env.value(u"ASAN_OPTIONS"_s) + u":detect_leaks=0"_s);
        QProcess child;
        child.setProcessEnvironment(env);
        child.setWorkingDirectory(u"/tmp"_s);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(u"setpriv"_s,
                    {u"--reuid=65534"_s, u"--regid=65534"_s, u"--clear-groups"_s, copy,
                     QString::fromLatin1(QTest::currentTestFunction()) + u':' +
                         QLatin1String(QTest::currentDataTag())});
        const bool finished = child.waitForFinished(60000);
        const QString output = QString::fromLocal8Bit(child.readAll());
        if (!output.contains(u"Start testing of TestDictFile"_s))
            QSKIP(qPrintable(u"cannot run as nobody: "_s + output));
        QVERIFY2(finished && child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0,
                 qPrintable(output));
    }
};

QTEST_GUILESS_MAIN(TestDictFile)
#include "tst_dictfile.moc"
