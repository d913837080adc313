#include "app/CommandLine.h"

#include <QRegularExpression>
#include <QTest>

// What each command line leads to: a run with the file to open, or an exit with its status and
// texts. The Usage line names whatever path the program was started by.
class TestCommandLine : public QObject {
    Q_OBJECT
private slots:
    void outcome_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("run");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("output"); // a pattern for the whole text
        QTest::addColumn<QString>("error");  // the exact text
        QTest::addColumn<QString>("file");
        const auto runs = [](const char* tag, const QStringList& arguments, const char* file) {
            QTest::newRow(tag) << arguments << true << 0 << QString() << QString() << file;
        };
        const auto exits = [](const char* tag, const QStringList& arguments, int code,
                              const QString& output, const QString& error = {}) {
            QTest::newRow(tag) << arguments << false << code << output << error << QString();
        };
        const auto unknown = [&](const char* tag, const QStringList& arguments, const char* name) {
            exits(tag, arguments, 2, {},
                  QStringLiteral("sonarix: Unknown option '%1'.\n"
                                 "Try 'sonarix --help' for more information.\n")
                      .arg(QLatin1String(name)));
        };
        const QString help = QStringLiteral(
            "Usage: \\S+ \\[options\\] \\[FILE\\.dic\\]\\n.*\\n\\nOptions:\\n"
            "  -h, --help +Displays help on commandline options\\.\\n"
            "  -v, --version +Displays version information\\.\\n\\n"
            "Arguments:\\n  FILE\\.dic +Dictionary to open once the main window is up\\.\\n");
        const QString version = QStringLiteral("Sonarix 1\\.3\\.9\\n");
        runs("plain", {}, "");
        runs("file", {"words.dic"}, "words.dic");
        runs("second file ignored", {"a.dic", "b.dic"}, "a.dic");
        runs("file after --", {"--", "-x.dic"}, "-x.dic");
        exits("--help", {"--help"}, 0, help);
        exits("-h with a file", {"-h", "a.dic"}, 0, help);
        exits("--version", {"--version"}, 0, version);
        exits("-v after a file", {"a.dic", "-v"}, 0, version);
        unknown("unknown long", {"--frobnicate", "a.dic"}, "frobnicate");
        unknown("unknown short", {"-x"}, "x");
        unknown("--help-all is not ours", {"--help-all"}, "help-all");
    }
    void outcome() {
        QFETCH(QStringList, arguments);
        QFETCH(bool, run);
        QFETCH(int, exitCode);
        QFETCH(QString, output);
        QFETCH(QString, error);
        QFETCH(QString, file);
        const CommandLine got = parseCommandLine(QStringList{"/usr/bin/sonarix"} + arguments);
        QCOMPARE(got.run, run);
        QCOMPARE(got.exitCode, exitCode);
        const QRegularExpression pattern(QRegularExpression::anchoredPattern(output),
                                         QRegularExpression::DotMatchesEverythingOption);
        QVERIFY2(pattern.match(got.output).hasMatch(), qPrintable(got.output));
        QCOMPARE(got.error, error);
        QCOMPARE(got.file, file);
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
