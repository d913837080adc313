// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.h"

#include "state/ProgramState.h"

#include <QCommandLineParser>

CommandLine parseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Vocabulary drill: Estonian and foreign word "
                                                    "pairs, kept in .dic dictionary files."));
    // Not addHelpOption(): its --help-all needs QCommandLineParser::process(), which exits itself.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Displays help on commandline options."));
    parser.addOption(help);
    const QCommandLineOption version = parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("FILE.dic"),
                                 QStringLiteral("Dictionary to open once the main window is up."),
                                 QStringLiteral("[FILE.dic]"));

    CommandLine result;
    const QString name = QStringLiteral("sonarix");
    if (!parser.parse(arguments)) {
        result.run = false;
        result.exitCode = 2; // a usage error, as getopt-style tools report it
        result.error = name + QStringLiteral(": ") + parser.errorText() +
                       QStringLiteral("\nTry '") + name +
                       QStringLiteral(" --help' for more information.\n");
    } else if (parser.isSet(help)) {
        result.run = false;
        result.output = parser.helpText();
    } else if (parser.isSet(version)) {
        result.run = false;
        result.output =
            QLatin1String(ApplicationTitle) + QLatin1Char(' ') + versionText() + QLatin1Char('\n');
    } else if (!parser.positionalArguments().isEmpty()) {
        result.file = parser.positionalArguments().constFirst();
    }
    return result;
}
