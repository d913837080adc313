// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.h"
#include "app/IntroWindow.h"
#include "forms/Forms.h"
#include "platform/QtPlatform.h"
#include "state/ProgramState.h"

#include <QApplication>

#include <cstdio>

namespace {

// Prints what the command line answered; true when the program is to end here.
bool answered(const CommandLine& command) {
    std::fputs(command.output.toLocal8Bit().constData(), stdout);
    std::fputs(command.error.toLocal8Bit().constData(), stderr);
    return !command.run;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication::setApplicationName(QLatin1String(ApplicationTitle));
    QCoreApplication::setApplicationVersion(versionText());
    {
        // --help and --version answer on a terminal without a display, before the GUI starts.
        // Anything else waits until Qt has taken its own options (-platform, -style) out.
        const QCoreApplication console(argc, argv);
        const CommandLine command = parseCommandLine(QCoreApplication::arguments());
        if (!command.run && command.exitCode == 0 && answered(command))
            return 0;
    }
    QApplication app(argc, argv);
    const CommandLine command = parseCommandLine(QApplication::arguments());
    if (answered(command))
        return command.exitCode;
    // Hidden windows still count as open; Forms decides when the program ends.
    QApplication::setQuitOnLastWindowClosed(false);

    ProgramState state;
    QtPlatform platform;
    Forms forms(state, platform);
    // "sonarix FILE.dic" opens the file once the main window is up, as the desktop entry asks.
    if (IntroWindow* intro = forms.show<IntroWindow>(); intro && !command.file.isEmpty())
        intro->setFileToOpen(command.file);
    return app.exec();
}
