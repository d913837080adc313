#include "app/About.h"

#include "app/Artwork.h"
#include "app/Main.h"
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

About::About(Forms& forms) : Form(forms) {
    setObjectName(QStringLiteral("About"));
    // A fixed dialog frame with a close box only, kept out of the task bar.
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setWindowIcon(programIcon());
    setFont(programFont(Typeface::SansSerif, 8.25, false));
    setClientSize(5760, 4425);
    // The client area's place on the screen.
    setGeometry(twips(2340), twips(1935), width(), height());

    picIcon = label(this, "picIcon", QString());
    picIcon->setPixmap(programIcon().pixmap(twips(480), twips(480)));
    placeTwips(picIcon, 120, 120, 480, 480);

    lblTitle = label(this, "lblTitle", QString());
    lblTitle->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lblTitle->setFont(programFont(Typeface::Arial, 13.5, true));
    placeTwips(lblTitle, 1050, 240, 3885, 480);

    lblVersion = label(this, "lblVersion", QString());
    lblVersion->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lblVersion->setFont(programFont(Typeface::Arial, 12, true));
    placeTwips(lblVersion, 1050, 780, 3885, 345);

    lblDescription = label(
        this, "lblDescription",
        QStringLiteral("Sonarix on mõeldud suvalise võõrkeele sõnade õigekirja õppimiseks. "
                       "Loomulikult on Sonarixi kasutamise võimalused laiemad -- näiteks on "
                       "sellega õpitud korrutustabelit sisestades ühe keele sõnadeks tehte ja "
                       "teise keele sõnadeks vastused."));
    placeTwips(lblDescription, 1050, 1125, 3885, 1170);

    Line1 = {line(this, QColor(0x80, 0x80, 0x80), 90, 2445, 5654),
             line(this, Qt::white, 105, 2460, 5654)};

    lblDisclaimer = label(this, "lblDisclaimer",
                          QStringLiteral("Sonarix on  kõigile tasuta kasutamiseks. Vigadest "
                                         "tuleks teatada autorile. Oodatud on ka ettepanekud."));
    placeTwips(lblDisclaimer, 240, 2640, 3870, 705);

    Label2 = label(this, "Label2", QStringLiteral("Autor Orvandel"));
    Label2->setFont(programFont(Typeface::Arial, 8.25, true));
    placeTwips(Label2, 240, 3360, 3855, 255);

    Label1 = label(this, "Label1",
                   QStringLiteral("Tagasiside ja ettepanekud jõuavad autorini programmi "
                                  "levitaja kaudu."));
    placeTwips(Label1, 240, 3720, 3855, 615);

    for (QLabel* text : {lblDescription, lblDisclaimer, Label1})
        text->setWordWrap(true);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    placeTwips(cmdOK, 4365, 3465, 1260, 345);
    cmdSysInfo = new QPushButton(QStringLiteral("&System Info..."), this);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    placeTwips(cmdSysInfo, 4380, 3915, 1245, 345);
    // Enter presses the button that has the focus; with neither focused, keyPressEvent sends it
    // to OK.
    cmdOK->setDefault(true);
    cmdOK->setAutoDefault(true);
    cmdSysInfo->setAutoDefault(true);
    setTabOrder(cmdOK, cmdSysInfo);
    cmdOK->setFocus();
    connect(cmdOK, &QPushButton::clicked, this, &About::cmdOK_Click);
    connect(cmdSysInfo, &QPushButton::clicked, this, &About::cmdSysInfo_Click);
}

void About::Form_Load() {
    forms.hide<Main>();
    setWindowTitle(QStringLiteral("About ") + QLatin1String(ApplicationTitle));
    lblVersion->setText(QStringLiteral("Version ") + versionText());
    lblTitle->setText(QLatin1String(ApplicationTitle));
}

void About::Form_Unload() {
    // However the window goes (OK, Esc, the close box), the main window comes back; not when
    // the main window itself is already gone.
    if (forms.find<Main>())
        forms.show<Main>();
}

void About::cmdOK_Click() {
    forms.show<Main>();
    forms.unload(this);
}

void About::cmdSysInfo_Click() {
    StartSysInfo();
}

void About::StartSysInfo() {
    sysinfo::StartSysInfo(platform);
}

void About::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        cmdOK->click();
        break;
    default:
        Form::keyPressEvent(event);
    }
}
