// SPDX-License-Identifier: GPL-3.0-or-later
#include "quiz/WrongAnswerNotice.h"

#include "forms/Forms.h"
#include "forms/Look.h"
#include "platform/UiTimer.h"
#include "quiz/QuizOptions.h"
#include "quiz/QuizWindow.h"
#include "quiz/Scoring.h"
#include "state/ProgramState.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

WrongAnswerNotice::WrongAnswerNotice(Forms& forms) : Form(forms) {
    setObjectName(QStringLiteral("AkenVale"));
    // A title bar without close, minimise or maximise buttons: "Jätkan" is the way out.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setWindowTitle(QStringLiteral("Vale Vastus"));
    setClientSize(5355, 2565);

    const QIcon warning = QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning);
    setWindowIcon(warning);

    auto label = [this](const char* name, const QString& text, const QFont& font) {
        auto* l = new QLabel(text, this);
        l->setObjectName(QLatin1String(name));
        l->setFont(font);
        // The words are shown as stored, never as markup, from the top of their box.
        l->setTextFormat(Qt::PlainText);
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return l;
    };
    headingLabel = label("Label1", QStringLiteral("Vale vastus!!!"),
                         programFont(Typeface::Arial, 18, true, true));
    placeTwips(headingLabel, 1560, 360, 2655, 375);

    warningIcon = new QLabel(this);
    warningIcon->setObjectName(QStringLiteral("Image1"));
    warningIcon->setPixmap(warning.pixmap(32, 32));
    warningIcon->setScaledContents(true);
    placeTwips(warningIcon, 240, 480, 960, 960);

    askedLabel = label("Label2", QString(), programFont(Typeface::Arial, 13.5, true));
    askedLabel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    placeTwips(askedLabel, 1440, 960, 3615, 375);

    answerLabel = label("Label3", QString(), programFont(Typeface::Arial, 17.25, false));
    answerLabel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    placeTwips(answerLabel, 1440, 1320, 3615, 375);

    continueButton = new QPushButton(QStringLiteral("Jätkan"), this);
    continueButton->setObjectName(QStringLiteral("Command1"));
    continueButton->setFont(programFont(Typeface::Arial, 13.5, true));
    continueButton->setAutoDefault(true); // Enter presses it as well as Space
    placeTwips(continueButton, 2040, 1800, 1335, 615);
    continueButton->setFocus();
    connect(continueButton, &QPushButton::clicked, this, &WrongAnswerNotice::continueQuiz);
}

void WrongAnswerNotice::onLoad() {
    if (QuizWindow* quiz = forms.find<QuizWindow>()) {
        quiz->answerTimer->setEnabled(false);
        quiz->clockTimer->setEnabled(false);
    }
    state.NoticeAcknowledged = False;
    const NoticeTexts texts = noticeTexts(state, quizOptions(forms).foreignAnswers);
    askedLabel->setText(texts.asked);
    answerLabel->setText(texts.answer);
}

void WrongAnswerNotice::restartQuizClocks() {
    if (!quizOptions(forms).limitOn)
        return;
    state.ElapsedSeconds = 0;
    if (QuizWindow* quiz = forms.find<QuizWindow>()) {
        quiz->answerTimer->setEnabled(true);
        quiz->clockTimer->setEnabled(true);
    }
}

void WrongAnswerNotice::continueQuiz() {
    restartQuizClocks();
    state.NoticeAcknowledged = True;
    forms.unload(this);
}

void WrongAnswerNotice::onUnload() {
    restartQuizClocks();
    // The results window is the quiz window's business: it opens it when the test ends.
    if (forms.find<QuizWindow>())
        forms.show<QuizWindow>();
}
