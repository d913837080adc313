#include "app/Algus.h"
#include "app/CommandLine.h"
#include "forms/Forms.h"
#include "platform/QtPlatform.h"
#include "state/ProgramState.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QLatin1String(ApplicationTitle));
    QApplication::setApplicationVersion(versionText());
    const CommandLine command = parseCommandLine(app.arguments());
    std::fputs(command.output.toLocal8Bit().constData(), stdout);
    std::fputs(command.error.toLocal8Bit().constData(), stderr);
    if (!command.run)
        return command.exitCode;
    // Hidden windows still count as open; Forms decides when the program ends.
    QApplication::setQuitOnLastWindowClosed(false);

    ProgramState state;
    QtPlatform platform;
    Forms forms(state, platform);
    // "sonarix FILE.dic" opens the file once the main window is up, as the desktop entry asks.
    if (Algus* intro = forms.show<Algus>(); intro && !command.file.isEmpty())
        intro->setFileToOpen(command.file);
    return app.exec();
}
