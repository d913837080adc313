#include "app/IntroWindow.h"
#include "forms/Forms.h"
#include "platform/QtPlatform.h"
#include "state/ProgramState.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QLatin1String(ApplicationTitle));
    QApplication::setApplicationVersion(versionText());
    // Hidden windows still count as open; Forms decides when the program ends.
    QApplication::setQuitOnLastWindowClosed(false);

    ProgramState state;
    QtPlatform platform;
    Forms forms(state, platform);
    // "sonarix FILE.dic" opens the file once the main window is up, as the desktop entry asks.
    if (IntroWindow* intro = forms.show<IntroWindow>(); intro && app.arguments().size() > 1)
        intro->setFileToOpen(app.arguments().at(1));
    return app.exec();
}
