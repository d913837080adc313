#include "app/Algus.h"

#include "app/Artwork.h"
#include "app/Main.h"
#include "forms/ClickLabel.h"
#include "forms/Forms.h"
#include "forms/Look.h"
#include "platform/Platform.h"
#include "platform/UiTimer.h"
#include "state/ProgramState.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>
#include <qdrawutil.h>

#include <utility>

Algus::Algus(Forms& forms) : Form(forms) {
    setObjectName(QStringLiteral("Algus"));
    // No caption and no title bar; the thin dialog frame round the picture is drawn here.
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setWindowTitle(QLatin1String(ApplicationTitle));
    setWindowIcon(programIcon());
    setFixedSize(clientRect().size() + QSize(2 * FrameWidth, 2 * FrameWidth));
    setColours(this, QColor(0xc0, 0xc0, 0xc0), Qt::black);
    setFocusPolicy(Qt::StrongFocus);

    Label1 = new ClickLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label1->setFont(programFont(Typeface::SansSerif, 19.5, true));
    setColours(Label1, QColor(0xff, 0, 0), QColor(0xff, 0xff, 0));
    Label1->setGeometry(twipsRect(240, 2160, 8535, 495).translated(clientRect().topLeft()));

    Label2 = new ClickLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label2->setFont(programFont(Typeface::SansSerif, 8.25, true, true));
    setColours(Label2, Qt::white, QColor(0, 0, 0xff));
    Label2->move(clientRect().topLeft() + QPoint(twips(5400), twips(2760)));
    Label2->hide(); // sized to its text in showTexts()

    connect(Label1, &ClickLabel::clicked, this, &Algus::Label1_Click);
    connect(Label2, &ClickLabel::clicked, this, &Algus::Label2_Click);

    Timer2 = addTimer("Timer2", 500, &Algus::Timer2_Timer);
    Timer1 = addTimer("Timer1", 0, &Algus::Timer1_Timer);
}

QString Algus::versionBanner() const {
    return QStringLiteral("Sonarix ver ") + versionText();
}

// The texts wait until the window is on screen, just before its first paint: the first text given
// to a label wakes the screen-reader bridge and the first label sized to its text loads the fonts,
// and together they take longer than the window itself takes to appear.
void Algus::showEvent(QShowEvent* event) {
    Form::showEvent(event);
    if (!textsShown_ && windowHandle())
        windowHandle()->installEventFilter(this);
}

bool Algus::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Expose && !textsShown_ && watched == windowHandle()) {
        watched->removeEventFilter(this);
        showTexts();
    }
    return Form::eventFilter(watched, event);
}

void Algus::showTexts() {
    textsShown_ = true;
    if (Timer2->interval() == 500) // the banner's first step has not come yet
        Label1->setText(versionBanner());
    Label2->setText(QStringLiteral("Author:     Orvandel"));
    Label2->adjustSize();
    Label2->show();
}

void Algus::Timer2_Timer() {
    // The interval doubles as the step counter; changing it restarts the timer.
    switch (Timer2->interval()) {
    case 500:
        Label1->setText(versionBanner());
        Timer2->setInterval(501);
        break;
    case 501:
        Label1->setText(QStringLiteral("Made by"));
        Timer2->setInterval(502);
        break;
    case 502:
        Label1->setText(QStringLiteral("Orvandel"));
        Timer2->setInterval(503);
        break;
    case 503:
        Label1->setText(QStringLiteral("Click the window to continiue"));
        Timer2->setInterval(504);
        Timer1_Timer();
        break;
    default:
        break;
    }
}

void Algus::Timer1_Timer() {
    const QString file = std::exchange(fileToOpen_, QString());
    Main* main = forms.show<Main>();
    forms.unload(this);
    if (main && !file.isEmpty())
        main->openGivenFile(file);
}

void Algus::Form_Click() {
    Timer1_Timer();
}

void Algus::Form_KeyPress(const QString&) {
    Timer1_Timer();
}

void Algus::Label1_Click() {
    Timer1_Timer();
}

void Algus::Label2_Click() {
    Timer1_Timer();
}

QRect Algus::clientRect() {
    return QRect(FrameWidth, FrameWidth, twips(8835), twips(4905));
}

void Algus::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.translate(clientRect().topLeft());
    paintUnionFlag(painter, clientRect().size());
    painter.resetTransform();
    // Raised, in the system's 3D colours.
    qDrawWinPanel(&painter, rect(), QApplication::palette(), false);
}

void Algus::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        Form_Click();
}

// Tab would otherwise move the focus before the key reaches keyPressEvent.
bool Algus::event(QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        keyPressEvent(static_cast<QKeyEvent*>(event));
        return true;
    }
    return Form::event(event);
}

void Algus::keyPressEvent(QKeyEvent* event) {
    // Any key that produces a character counts, control characters (Ctrl+letter, Tab, Enter,
    // Esc, Backspace) too. Delete produces none on Windows, whatever the X keyboard says.
    if (!event->text().isEmpty() && event->key() != Qt::Key_Delete)
        Form_KeyPress(event->text());
    else
        Form::keyPressEvent(event);
}
