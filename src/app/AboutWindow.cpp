// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AboutWindow.h"

#include "app/Artwork.h"
#include "app/MainWindow.h"
#include "app/SysInfo.h"
#include "forms/Forms.h"
#include "forms/Look.h"
#include "state/ProgramState.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace {

QLabel* label(QWidget* parent, const char* name, const QString& text) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return l;
}

QWidget* line(QWidget* parent, const QColor& colour, int left, int top, int right) {
    auto* l = new QWidget(parent);
    l->setObjectName(QStringLiteral("Line1"));
    setColours(l, colour, colour);
    l->setGeometry(twips(left), twips(top), twips(right) - twips(left) + 1, 1);
    return l;
}

} // namespace

AboutWindow::AboutWindow(Forms& forms) : Form(forms) {
    setObjectName(QStringLiteral("About"));
    // A fixed dialog frame with a close box only, kept out of the task bar.
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setWindowIcon(programIcon());
    setFont(programFont(Typeface::SansSerif, 8.25, false));
    setClientSize(5760, 4425);
    // The client area's place on the screen.
    setGeometry(twips(2340), twips(1935), width(), height());

    iconLabel = label(this, "picIcon", QString());
    iconLabel->setPixmap(programIcon().pixmap(twips(480), twips(480)));
    placeTwips(iconLabel, 120, 120, 480, 480);

    titleLabel = label(this, "lblTitle", QString());
    titleLabel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    titleLabel->setFont(programFont(Typeface::Arial, 13.5, true));
    placeTwips(titleLabel, 1050, 240, 3885, 480);

    versionLabel = label(this, "lblVersion", QString());
    versionLabel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    versionLabel->setFont(programFont(Typeface::Arial, 12, true));
    placeTwips(versionLabel, 1050, 780, 3885, 345);

    descriptionLabel = label(
        this, "lblDescription",
        QStringLiteral("Sonarix on mõeldud suvalise võõrkeele sõnade õigekirja õppimiseks. "
                       "Loomulikult on Sonarixi kasutamise võimalused laiemad -- näiteks on "
                       "sellega õpitud korrutustabelit sisestades ühe keele sõnadeks tehte ja "
                       "teise keele sõnadeks vastused."));
    placeTwips(descriptionLabel, 1050, 1125, 3885, 1170);

    separatorLines = {line(this, QColor(0x80, 0x80, 0x80), 90, 2445, 5654),
                      line(this, Qt::white, 105, 2460, 5654)};

    disclaimerLabel = label(this, "lblDisclaimer",
                            QStringLiteral("Sonarix on  kõigile tasuta kasutamiseks. Vigadest "
                                           "tuleks teatada autorile. Oodatud on ka ettepanekud."));
    placeTwips(disclaimerLabel, 240, 2640, 3870, 705);

    authorLabel = label(this, "Label2", QStringLiteral("Autor Orvandel"));
    authorLabel->setFont(programFont(Typeface::Arial, 8.25, true));
    placeTwips(authorLabel, 240, 3360, 3855, 255);

    feedbackLabel = label(this, "Label1",
                          QStringLiteral("Tagasiside ja ettepanekud jõuavad autorini programmi "
                                         "levitaja kaudu."));
    placeTwips(feedbackLabel, 240, 3720, 3855, 615);

    for (QLabel* text : {descriptionLabel, disclaimerLabel, feedbackLabel})
        text->setWordWrap(true);

    okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setObjectName(QStringLiteral("cmdOK"));
    placeTwips(okButton, 4365, 3465, 1260, 345);
    systemInfoButton = new QPushButton(QStringLiteral("&System Info..."), this);
    systemInfoButton->setObjectName(QStringLiteral("cmdSysInfo"));
    placeTwips(systemInfoButton, 4380, 3915, 1245, 345);
    // Enter presses the button that has the focus; with neither focused, keyPressEvent sends it
    // to OK.
    okButton->setDefault(true);
    okButton->setAutoDefault(true);
    systemInfoButton->setAutoDefault(true);
    setTabOrder(okButton, systemInfoButton);
    okButton->setFocus();
    connect(okButton, &QPushButton::clicked, this, &AboutWindow::closeWindow);
    connect(systemInfoButton, &QPushButton::clicked, this, &AboutWindow::startSystemInformation);
}

void AboutWindow::onLoad() {
    forms.hide<MainWindow>();
    setWindowTitle(QStringLiteral("About ") + QLatin1String(ApplicationTitle));
    versionLabel->setText(QStringLiteral("Version ") + versionText());
    titleLabel->setText(QLatin1String(ApplicationTitle));
}

void AboutWindow::onUnload() {
    // However the window goes (OK, Esc, the close box), the main window comes back; not when
    // the main window itself is already gone.
    if (forms.find<MainWindow>())
        forms.show<MainWindow>();
}

void AboutWindow::closeWindow() {
    forms.show<MainWindow>();
    forms.unload(this);
}

void AboutWindow::startSystemInformation() {
    sysinfo::startSystemInformation(platform);
}

void AboutWindow::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        okButton->click();
        break;
    default:
        Form::keyPressEvent(event);
    }
}
