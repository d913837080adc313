// Saves that fail: each one tells why, and leaves the file on disk and the list in memory as they
// were.
#include "dictfile/DictionaryFile.h"
#include "state/ProgramState.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace {

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

const QByteArray OldFile("vana\r\nold\r\n");

ProgramState someList() {
    ProgramState s;
    for (int k = 0; k < 1000; ++k) {
        s.EstonianWords[k] = QStringLiteral("sõna}%1").arg(k);
        s.ForeignWords[k] = QString(200, QLatin1Char('w'));
    }
    return s;
}

} // namespace

class TestDictFileSave : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

    void expectFailure(const QString& target, int error) {
        ProgramState s = someList();
        const auto failure = writeDictionary(s, target);
        QVERIFY(failure);
        QCOMPARE(failure->number, error);
        QVERIFY2(failure->message.contains(target), qPrintable(failure->message));
        // The words keep their "}" as typed: the save did not happen.
        QCOMPARE(s.EstonianWords[3], QStringLiteral("sõna}3"));
    }

private slots:
    void missingFolder() { expectFailure(dir.filePath(QStringLiteral("nowhere/x.dic")), 76); }

    void folderAsTarget() {
        const QString folder = dir.filePath(QStringLiteral("sub.dic"));
        QVERIFY(QDir().mkpath(folder));
        expectFailure(folder, 75);
        QVERIFY(QFileInfo(folder).isDir());
    }

    void readOnlyFile() {
#ifdef Q_OS_UNIX
        if (geteuid() == 0)
            QSKIP("root may write a read-only file");
#endif
        const QString target = dir.filePath(QStringLiteral("ro.dic"));
        QFile file(target);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(OldFile);
        file.close();
        QVERIFY(file.setPermissions(QFileDevice::ReadOwner));
        expectFailure(target, 70);
        QCOMPARE(contents(target), OldFile);
    }

#ifdef Q_OS_LINUX
    void readOnlyLocation() {
        // Not even root may create files here.
        expectFailure(QStringLiteral("/proc/sonarix.dic"), 57);
    }

    void diskFull() {
        // A file size limit makes every write past 4 KB fail, as a full disk would.
        const QString folder = dir.filePath(QStringLiteral("full"));
        QVERIFY(QDir().mkpath(folder));
        const QString target = folder + QStringLiteral("/full.dic");
        QFile file(target);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(OldFile);
        file.close();

        std::signal(SIGXFSZ, SIG_IGN);
        rlimit old{};
        getrlimit(RLIMIT_FSIZE, &old);
        rlimit small = old;
        small.rlim_cur = 4096;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        ProgramState s = someList();
        const auto failure = writeDictionary(s, target);
        setrlimit(RLIMIT_FSIZE, &old);

        QVERIFY(failure);
        QVERIFY(failure->message.contains(target));
        QCOMPARE(contents(target), OldFile);
        // No temporary file is left behind either.
        QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{"full.dic"});
    }
#endif
};

QTEST_GUILESS_MAIN(TestDictFileSave)
#include "tst_dictfile_save.moc"
