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

        const QString help = QStringLiteral(
            "Usage: \\S+ \\[options\\] \\[FILE\\.dic\\]\\n.*\\n\\nOptions:\\n"
            "  -h, --help +Displays help on commandline options\\.\\n"
            "  -v, --version +Displays version information\\.\\n\\n"
            "Arguments:\\n  FILE\\.dic +Dictionary to open once the main window is up\\.\\n");
        const QString version = QStringLiteral("Sonarix 1\\.3\\.9\\n");
        const auto unknown = [](const char* option) {
            return QStringLiteral("sonarix: Unknown option '%1'.\n"
                                  "Try 'sonarix --help' for more information.\n")
                .arg(QLatin1String(option));
        };
        QTest::newRow("plain") << QStringList{} << true << 0 << ""
                               << ""
                               << "";
        QTest::newRow("file") << QStringList{"words.dic"} << true << 0 << ""
                              << ""
                              << "words.dic";
        QTest::newRow("second file ignored") << QStringList{"a.dic", "b.dic"} << true << 0 << ""
                                             << ""
                                             << "a.dic";
        QTest::newRow("file after --") << QStringList{"--", "-x.dic"} << true << 0 << ""
                                       << ""
                                       << "-x.dic";
        QTest::newRow("--help") << QStringList{"--help"} << false << 0 << help << ""
                                << "";
        QTest::newRow("-h with a file") << QStringList{"-h", "a.dic"} << false << 0 << help << ""
                                        << "";
        QTest::newRow("--version") << QStringList{"--version"} << false << 0 << version << ""
                                   << "";
        QTest::newRow("-v after a file")
            << QStringList{"a.dic", "-v"} << false << 0 << version << ""
            << "";
        QTest::newRow("unknown long") << QStringList{"--frobnicate", "a.dic"} << false << 2 << ""
                                      << unknown("frobnicate") << "";
        QTest::newRow("unknown short")
            << QStringList{"-x"} << false << 2 << "" << unknown("x") << "";
        QTest::newRow("--help-all is not ours")
            << QStringList{"--help-all"} << false << 2 << "" << unknown("help-all") << "";
    }
    void outcome() {
        QFETCH(QStringList, arguments);
        QFETCH(bool, run);
        QFETCH(int, exitCode);
        QFETCH(QString, output);
        QFETCH(QString, error);
        QFETCH(QString, file);
        const CommandLine got =
            parseCommandLine(QStringList{QStringLiteral("/usr/bin/sonarix")} + arguments);
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
