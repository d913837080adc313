// SPDX-License-Identifier: GPL-3.0-or-later
#include "quiz/QuizWindow.h"

#include "app/MainWindow.h"
#include "forms/ClickLabel.h"
#include "forms/Forms.h"
#include "forms/Look.h"
#include "platform/Platform.h"
#include "platform/UiTimer.h"
#include "quiz/QuizOptions.h"
#include "quiz/ResultsWindow.h"
#include "quiz/Scoring.h"
#include "quiz/Selection.h"
#include "quiz/WrongAnswerNotice.h"
#include "state/ProgramState.h"

#include <QCloseEvent>
#include <QFocusEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

// Words are shown as stored, never as markup, from the top of their box.
void topLeftPlain(QLabel* label) {
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

} // namespace

QuizWindow::QuizWindow(Forms& forms) : Form(forms) {
    setObjectName(QStringLiteral("Test"));
    setWindowTitle(QStringLiteral("Test"));
    setClientSize(5580, 6885);
    useMenuColours(this);
    buildControls();

    answerTimer = addTimer("Timer1", 0, &QuizWindow::answerTimedOut);
    clockTimer = addTimer("Timer2", 1000, &QuizWindow::clockTick);
}

void QuizWindow::buildControls() {
    const QFont labelFont = programFont(Typeface::SansSerif, 12, true);
    const QFont buttonFont = programFont(Typeface::SansSerif, 9.75, true);

    auto label = [&](const char* name, const QString& text, int l, int t, int w, int h) {
        auto* lbl = new QLabel(text, this);
        lbl->setObjectName(QLatin1String(name));
        lbl->setFont(labelFont);
        topLeftPlain(lbl);
        useMenuColours(lbl);
        placeTwips(lbl, l, t, w, h);
        return lbl;
    };
    auto button = [&](const char* name, const QString& caption, int l, int t, int w, int h) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        b->setFont(buttonFont);
        // Enter presses a focused button, as it does in the program's other windows.
        b->setAutoDefault(true);
        placeTwips(b, l, t, w, h);
        return b;
    };

    askedWordLabel = label("Label1", QString(), 480, 120, 4815, 375);

    answerEdit = new QLineEdit(this);
    answerEdit->setObjectName(QStringLiteral("Text1"));
    answerEdit->setAccessibleName(QStringLiteral("Vastus"));
    answerEdit->setFont(labelFont);
    placeTwips(answerEdit, 240, 600, 5055, 420);
    answerEdit->installEventFilter(this);

    okButton = button("Command1", QStringLiteral("OK"), 960, 1080, 1095, 375);
    closeButton = button("Command2", QStringLiteral("Close"), 2160, 1080, 1095, 375);
    resultsButton = button("Command3", QStringLiteral("Tulemused"), 3360, 1080, 1695, 375);
    connect(okButton, &QPushButton::clicked, this, &QuizWindow::checkAnswer);
    connect(closeButton, &QPushButton::clicked, this, &QuizWindow::closeQuiz);
    connect(resultsButton, &QPushButton::clicked, this, &QuizWindow::showResults);

    for (int i = 0; i < 5; ++i) {
        auto* choice = new ClickLabel(this);
        choice->setObjectName(QStringLiteral("Kyssa%1").arg(i + 1));
        choice->setFont(labelFont);
        topLeftPlain(choice);
        useMenuColours(choice);
        placeTwips(choice, 240, 1560 + 600 * i, 5055, 375);
        // The choices also answer to the keyboard: Tab reaches them, Enter or Space picks the
        // one with the focus, which is always the highlighted one.
        choice->setFocusPolicy(Qt::StrongFocus);
        choice->installEventFilter(this);
        connect(choice, &ClickLabel::clicked, this, [this, i] { pickChoice(i); });
        connect(choice, &ClickLabel::mouseMoved, this, [this, i] { hoverChoice(i); });
        choiceLabels[i] = choice;
    }

    statisticsFrame = new QFrame(this);
    statisticsFrame->setObjectName(QStringLiteral("Shape1"));
    statisticsFrame->setFrameShape(QFrame::Box);
    placeTwips(statisticsFrame, 240, 4680, 5055, 2055);

    timeLeftLabel = label("Label7", QStringLiteral("Aeg:"), 360, 4800, 2295, 375);
    answeredLabel = label("Label2", QStringLiteral("Vastatud:"), 360, 5280, 2295, 375);
    rightLabel = label("Label3", QStringLiteral("Õigeid:"), 2760, 5280, 2295, 375);
    unansweredLabel = label("Label6", QStringLiteral("Vastamata:"), 360, 5760, 2295, 375);
    wrongLabel = label("Label4", QStringLiteral("Valesid:"), 2760, 5760, 2295, 375);
    percentLabel = label("Label5", QStringLiteral("Õigeid vastuseid on"), 360, 6240, 4695, 375);

    setTabOrder(answerEdit, choiceLabels[0]);
    for (int i = 0; i < 4; ++i)
        setTabOrder(choiceLabels[i], choiceLabels[i + 1]);
    setTabOrder(choiceLabels[4], okButton);
    setTabOrder(okButton, closeButton);
    setTabOrder(closeButton, resultsButton);
}

void QuizWindow::onLoad() {
    const QuizOptions options = quizOptions(forms);
    if (options.limitOn)
        answerTimer->setInterval(options.limitSeconds * 1000);

    const int lastSlot = quizLastSlot(state);
    const QuizStatistics s = quizStatistics(state, lastSlot, options.limitSeconds);
    answeredLabel->setText(s.answered);
    rightLabel->setText(s.right);
    wrongLabel->setText(s.wrong);
    unansweredLabel->setText(s.left);
    timeLeftLabel->setText(s.time);
    percentLabel->setText(s.percent);

    platform.randomize(platform.timeOfDay());
    switch (selectQuestion(state, lastSlot, [this] { return platform.rnd(); })) {
    case Selection::Chosen:
        break;
    case Selection::ShowResults:
        // Its load step closes this window.
        forms.show<ResultsWindow>();
        return;
    case Selection::Nothing:
        return;
    }

    const int q = state.QuestionIndex;
    askedWordLabel->setText(options.foreignAnswers ? state.EstonianWords[q]
                                                   : state.ForeignWords[q]);
    state.AskedMarks[q] = 1;
    answerEdit->setText(QString());
    if (options.typed)
        presentTyped();
    else
        presentChoices(options.foreignAnswers, lastSlot);
}

void QuizWindow::presentTyped() {
    for (ClickLabel* choice : choiceLabels)
        choice->setVisible(false);
    // The statistics take the place of the choices once; statisticsFrame stays and drops out of
    // sight.
    const int d = timeLeftLabel->y() - choiceLabels[0]->y();
    if (d == 0)
        return;
    for (QLabel* label :
         {timeLeftLabel, unansweredLabel, percentLabel, wrongLabel, rightLabel, answeredLabel})
        label->move(label->x(), label->y() - d);
    setFixedSize(width(), height() - d);
}

void QuizWindow::presentChoices(bool foreignAnswers, int lastSlot) {
    answerEdit->setVisible(false);
    okButton->setEnabled(false);
    // A new question starts with no choice picked: the window itself takes the focus, so Enter
    // does nothing until the pointer or Tab reaches a choice, and Tab starts from the first.
    for (ClickLabel* choice : choiceLabels)
        useMenuColours(choice);
    setFocus(Qt::OtherFocusReason);
    const auto rnd = [this] { return platform.rnd(); };
    const auto& pool = foreignAnswers ? state.ForeignWords : state.EstonianWords;
    const int right = draw(4, rnd);
    choiceLabels[right]->setText(pool[state.QuestionIndex]);
    for (int i = 0; i < 5; ++i)
        if (i != right)
            choiceLabels[i]->setText(pool[draw(lastSlot, rnd)]);
}

void QuizWindow::checkAnswer() {
    const QuizOptions options = quizOptions(forms);
    state.ElapsedSeconds = 0;
    answerTimer->setEnabled(false);
    answerTimer->setEnabled(true);

    if (options.typed)
        answerEdit->setText(trimBlanks(answerEdit->text()));
    if (answerEdit->text() != expectedAnswer(state, options.foreignAnswers)) {
        platform.beep();
        saturatingIncrement(state.WrongCount);
        forms.load<WrongAnswerNotice>();
        if (options.foreignAnswers)
            hide();
        forms.show<WrongAnswerNotice>();
    }
    saturatingIncrement(state.AnsweredCount);

    if (state.AnsweredCount <= quizLastSlot(state)) {
        onLoad();
        return;
    }
    forms.show<ResultsWindow>();
    forms.unload(this);
}

void QuizWindow::closeQuiz() {
    forms.unload(this);
    if (forms.find<MainWindow>())
        forms.show<MainWindow>();
}

void QuizWindow::showResults() {
    if (state.AnsweredCount != 0 && state.NoticeAcknowledged == True)
        forms.show<ResultsWindow>();
}

void QuizWindow::pickChoice(int index) {
    answerEdit->setText(choiceLabels[index]->text());
    checkAnswer();
}

void QuizWindow::hoverChoice(int index) {
    ClickLabel* hovered = choiceLabels[index];
    highlight(hovered);
    // Enter and Space pick the highlighted choice, so the focus goes where the pointer is.
    if (focusWidget() != hovered)
        hovered->setFocus(Qt::MouseFocusReason);
}

void QuizWindow::highlight(ClickLabel* chosen) {
    if (chosen->palette().color(QPalette::Window) == highlightColor())
        return;
    for (ClickLabel* choice : choiceLabels)
        if (choice != chosen)
            setColours(choice, menuColor(), menuTextColor());
    setColours(chosen, highlightColor(), highlightTextColor());
}

void QuizWindow::answerTimedOut() {
    state.ElapsedSeconds = 0;
    checkAnswer();
}

void QuizWindow::clockTick() {
    const QuizOptions options = quizOptions(forms);
    if (!options.limitOn)
        return;
    saturatingIncrement(state.ElapsedSeconds);
    timeLeftLabel->setText(timeLeftText(options.limitSeconds, state.ElapsedSeconds));
}

void QuizWindow::onUnload() {
    if (MainWindow* main = forms.find<MainWindow>()) {
        // Harmless when the main window is hidden already (a second test from the results).
        main->update();
        main->hide();
    }
}

void QuizWindow::closeEvent(QCloseEvent* event) {
    Form::closeEvent(event);
    if (forms.find<MainWindow>())
        forms.show<MainWindow>();
}

bool QuizWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (watched == answerEdit) {
            // Enter and Esc submit the answer and never reach the box.
            if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
                checkAnswer();
                return true;
            }
            return false;
        }
        for (int i = 0; i < 5; ++i)
            if (watched == choiceLabels[i] &&
                (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space)) {
                pickChoice(i);
                return true;
            }
    } else if (event->type() == QEvent::FocusIn) {
        // Tab and clicks move the highlight with the focus.
        for (ClickLabel* choice : choiceLabels)
            if (watched == choice)
                highlight(choice);
    } else if (event->type() == QEvent::FocusOut) {
        // Focus gone elsewhere in this window takes the highlight along; another window coming
        // to the front leaves both where they are.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        for (ClickLabel* choice : choiceLabels)
            if (watched == choice && reason != Qt::ActiveWindowFocusReason &&
                reason != Qt::PopupFocusReason)
                useMenuColours(choice);
    }
    return Form::eventFilter(watched, event);
}
