// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/IntroWindow.h"

#include "app/Artwork.h"
#include "app/MainWindow.h"
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

IntroWindow::IntroWindow(Forms& forms) : Form(forms) {
    setObjectName(QStringLiteral("Algus"));
    // No caption and no title bar; the thin dialog frame round the picture is drawn here.
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setWindowTitle(QLatin1String(ApplicationTitle));
    setWindowIcon(programIcon());
    setFixedSize(clientRect().size() + QSize(2 * FrameWidth, 2 * FrameWidth));
    setColours(this, QColor(0xc0, 0xc0, 0xc0), Qt::black);
    setFocusPolicy(Qt::StrongFocus);

    bannerLabel = new ClickLabel(this);
    bannerLabel->setObjectName(QStringLiteral("Label1"));
    bannerLabel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    bannerLabel->setFont(programFont(Typeface::SansSerif, 19.5, true));
    setColours(bannerLabel, QColor(0xff, 0, 0), QColor(0xff, 0xff, 0));
    bannerLabel->setGeometry(twipsRect(240, 2160, 8535, 495).translated(clientRect().topLeft()));

    authorLabel = new ClickLabel(this);
    authorLabel->setObjectName(QStringLiteral("Label2"));
    authorLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    authorLabel->setFont(programFont(Typeface::SansSerif, 8.25, true, true));
    setColours(authorLabel, Qt::white, QColor(0, 0, 0xff));
    authorLabel->move(clientRect().topLeft() + QPoint(twips(5400), twips(2760)));
    authorLabel->hide(); // sized to its text in showTexts()

    connect(bannerLabel, &ClickLabel::clicked, this, &IntroWindow::handOver);
    connect(authorLabel, &ClickLabel::clicked, this, &IntroWindow::handOver);

    bannerTimer = addTimer("Timer2", 500, &IntroWindow::showNextBanner);
    handOverTimer = addTimer("Timer1", 0, &IntroWindow::handOver);
}

QString IntroWindow::versionBanner() const {
    return QStringLiteral("Sonarix ver ") + versionText();
}

// The texts wait until the window is on screen, just before its first paint: the first text given
// to a label wakes the screen-reader bridge and the first label sized to its text loads the fonts,
// and together they take longer than the window itself takes to appear.
void IntroWindow::showEvent(QShowEvent* event) {
    Form::showEvent(event);
    if (!textsShown_ && windowHandle())
        windowHandle()->installEventFilter(this);
}

bool IntroWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Expose && !textsShown_ && watched == windowHandle()) {
        watched->removeEventFilter(this);
        showTexts();
    }
    return Form::eventFilter(watched, event);
}

void IntroWindow::showTexts() {
    textsShown_ = true;
    if (bannerTimer->interval() == 500) // the banner's first step has not come yet
        bannerLabel->setText(versionBanner());
    authorLabel->setText(QStringLiteral("Author:     Orvandel"));
    authorLabel->adjustSize();
    authorLabel->show();
}

void IntroWindow::showNextBanner() {
    // The interval doubles as the step counter; changing it restarts the timer.
    switch (bannerTimer->interval()) {
    case 500:
        bannerLabel->setText(versionBanner());
        bannerTimer->setInterval(501);
        break;
    case 501:
        bannerLabel->setText(QStringLiteral("Made by"));
        bannerTimer->setInterval(502);
        break;
    case 502:
        bannerLabel->setText(QStringLiteral("Orvandel"));
        bannerTimer->setInterval(503);
        break;
    case 503:
        bannerLabel->setText(QStringLiteral("Click the window to continiue"));
        bannerTimer->setInterval(504);
        handOver();
        break;
    default:
        break;
    }
}

void IntroWindow::handOver() {
    const QString file = std::exchange(fileToOpen_, QString());
    MainWindow* main = forms.show<MainWindow>();
    forms.unload(this);
    if (main && !file.isEmpty())
        main->openGivenFile(file);
}

QRect IntroWindow::clientRect() {
    return QRect(FrameWidth, FrameWidth, twips(8835), twips(4905));
}

void IntroWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.translate(clientRect().topLeft());
    paintUnionFlag(painter, clientRect().size());
    painter.resetTransform();
    // Raised, in the system's 3D colours.
    qDrawWinPanel(&painter, rect(), QApplication::palette(), false);
}

void IntroWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        handOver();
}

// Tab would otherwise move the focus before the key reaches keyPressEvent.
bool IntroWindow::event(QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        keyPressEvent(static_cast<QKeyEvent*>(event));
        return true;
    }
    return Form::event(event);
}

void IntroWindow::keyPressEvent(QKeyEvent* event) {
    // Any key that produces a character counts, control characters (Ctrl+letter, Tab, Enter,
    // Esc, Backspace) too. Delete produces none on Windows, whatever the X keyboard says.
    if (!event->text().isEmpty() && event->key() != Qt::Key_Delete)
        handOver();
    else
        Form::keyPressEvent(event);
}
