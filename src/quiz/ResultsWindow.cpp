// SPDX-License-Identifier: GPL-3.0-or-later
#include "quiz/ResultsWindow.h"

#include "app/MainWindow.h"
#include "forms/Forms.h"
#include "forms/Look.h"
#include "platform/Platform.h"
#include "quiz/QuizWindow.h"
#include "quiz/Scoring.h"
#include "state/ProgramState.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

ResultsWindow::ResultsWindow(Forms& forms) : Form(forms) {
    setObjectName(QStringLiteral("Tulemus"));
    setWindowTitle(QStringLiteral("Tulemus"));
    setWindowIcon(QApplication::style()->standardIcon(QStyle::SP_MessageBoxInformation));
    // An ordinary resizable window, its client area placed at a fixed spot on the screen.
    setGeometry(twipsRect(870, 1410, 4485, 3915));

    const QFont font = programFont(Typeface::SansSerif, 13.5, true);
    auto label = [&](const char* name, int top) {
        auto* l = new QLabel(this);
        l->setObjectName(QLatin1String(name));
        l->setFont(font);
        l->setTextFormat(Qt::PlainText);
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        placeTwips(l, 120, top, 4095, 375);
        return l;
    };
    totalLabel = label("Label1", 120);
    rightLabel = label("Label2", 600);
    wrongLabel = label("Label3", 1080);
    percentLabel = label("Label4", 1560);

    auto button = [&](const char* name, const QString& caption, int left) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        b->setFont(font);
        b->setAutoDefault(true);
        placeTwips(b, left, 2640, 1695, 615);
        return b;
    };
    newTestButton = button("Command1", QStringLiteral("Uus test"), 240);
    finishButton = button("Command2", QStringLiteral("Lõpetan"), 2280);
    setTabOrder(newTestButton, finishButton);
    newTestButton->setFocus();
    connect(newTestButton, &QPushButton::clicked, this, &ResultsWindow::startNewTest);
    connect(finishButton, &QPushButton::clicked, this, &ResultsWindow::finish);
}

void ResultsWindow::onLoad() {
    forms.unload<QuizWindow>();
    const ResultTexts texts = resultTexts(state);
    totalLabel->setText(texts.total);
    rightLabel->setText(texts.right);
    wrongLabel->setText(texts.wrong);
    if (state.AnsweredCount != 0) {
        platform.beep();
        platform.beep();
        platform.beep();
    }
    percentLabel->setText(texts.percent);
}

void ResultsWindow::startNewTest() {
    state.AnsweredCount = 0;
    state.WrongCount = 0;
    forms.unload(this);
    forms.show<QuizWindow>();
}

void ResultsWindow::finish() {
    state.AnsweredCount = 0;
    state.WrongCount = 0;
    forms.unload(this);
    forms.unload<QuizWindow>();
    showMain();
}

void ResultsWindow::closeEvent(QCloseEvent* event) {
    Form::closeEvent(event);
    showMain();
}

void ResultsWindow::showMain() {
    // A main window closed meanwhile is not brought back: the program ends with its last window.
    if (forms.find<MainWindow>())
        forms.show<MainWindow>();
}
