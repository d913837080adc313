#include "quiz/Test.h"

#include "app/Main.h"
#include "forms/ClickLabel.h"
#include "forms/Forms.h"
#include "forms/Look.h"
#include "platform/Platform.h"
#include "platform/UiTimer.h"
#include "quiz/AkenVale.h"
#include "quiz/QuizOptions.h"
#include "quiz/Scoring.h"
#include "quiz/Selection.h"
#include "quiz/Tulemus.h"
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

Test::Test(Forms& forms) : Form(forms) {
    setObjectName(QStringLiteral("Test"));
    setWindowTitle(QStringLiteral("Test"));
    setClientSize(5580, 6885);
    useMenuColours(this);
    buildControls();

    Timer1 = addTimer("Timer1", 0, &Test::Timer1_Timer);
    Timer2 = addTimer("Timer2", 1000, &Test::Timer2_Timer);
}

void Test::buildControls() {
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

    Label1 = label("Label1", QString(), 480, 120, 4815, 375);

    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setAccessibleName(QStringLiteral("Vastus"));
    Text1->setFont(labelFont);
    placeTwips(Text1, 240, 600, 5055, 420);
    Text1->installEventFilter(this);

    Command1 = button("Command1", QStringLiteral("OK"), 960, 1080, 1095, 375);
    Command2 = button("Command2", QStringLiteral("Close"), 2160, 1080, 1095, 375);
    Command3 = button("Command3", QStringLiteral("Tulemused"), 3360, 1080, 1695, 375);
    connect(Command1, &QPushButton::clicked, this, &Test::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Test::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Test::Command3_Click);

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
        connect(choice, &ClickLabel::clicked, this, [this, i] { Kyssa_Click(i + 1); });
        connect(choice, &ClickLabel::mouseMoved, this, [this, i] { Kyssa_MouseMove(i + 1); });
        Kyssa[i] = choice;
    }
    Kyssa1 = Kyssa[0];
    Kyssa2 = Kyssa[1];
    Kyssa3 = Kyssa[2];
    Kyssa4 = Kyssa[3];
    Kyssa5 = Kyssa[4];

    Shape1 = new QFrame(this);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setFrameShape(QFrame::Box);
    placeTwips(Shape1, 240, 4680, 5055, 2055);

    Label7 = label("Label7", QStringLiteral("Aeg:"), 360, 4800, 2295, 375);
    Label2 = label("Label2", QStringLiteral("Vastatud:"), 360, 5280, 2295, 375);
    Label3 = label("Label3", QStringLiteral("Õigeid:"), 2760, 5280, 2295, 375);
    Label6 = label("Label6", QStringLiteral("Vastamata:"), 360, 5760, 2295, 375);
    Label4 = label("Label4", QStringLiteral("Valesid:"), 2760, 5760, 2295, 375);
    Label5 = label("Label5", QStringLiteral("Õigeid vastuseid on"), 360, 6240, 4695, 375);

    setTabOrder(Text1, Kyssa[0]);
    for (int i = 0; i < 4; ++i)
        setTabOrder(Kyssa[i], Kyssa[i + 1]);
    setTabOrder(Kyssa[4], Command1);
    setTabOrder(Command1, Command2);
    setTabOrder(Command2, Command3);
}

void Test::Form_Load() {
    const QuizOptions options = quizOptions(forms);
    if (options.limitOn)
        Timer1->setInterval(options.limitSeconds * 1000);

    const int lastSlot = quizLastSlot(state);
    const QuizStatistics s = quizStatistics(state, lastSlot, options.limitSeconds);
    Label2->setText(s.answered);
    Label3->setText(s.right);
    Label4->setText(s.wrong);
    Label6->setText(s.left);
    Label7->setText(s.time);
    Label5->setText(s.percent);

    platform.randomize(platform.timeOfDay());
    switch (selectQuestion(state, lastSlot, [this] { return platform.rnd(); })) {
    case Selection::Chosen:
        break;
    case Selection::ShowResults:
        // Its load step closes this window.
        forms.show<Tulemus>();
        return;
    case Selection::Nothing:
        return;
    }

    const int q = state.QuestionIndex;
    Label1->setText(options.foreignAnswers ? state.EstonianWords[q] : state.ForeignWords[q]);
    state.AskedMarks[q] = 1;
    Text1->setText(QString());
    if (options.typed)
        presentTyped();
    else
        presentChoices(options.foreignAnswers, lastSlot);
}

void Test::presentTyped() {
    for (ClickLabel* choice : Kyssa)
        choice->setVisible(false);
    // The statistics take the place of the choices once; Shape1 stays and drops out of sight.
    const int d = Label7->y() - Kyssa[0]->y();
    if (d == 0)
        return;
    for (QLabel* label : {Label7, Label6, Label5, Label4, Label3, Label2})
        label->move(label->x(), label->y() - d);
    setFixedSize(width(), height() - d);
}

void Test::presentChoices(bool foreignAnswers, int lastSlot) {
    Text1->setVisible(false);
    Command1->setEnabled(false);
    // A new question starts with no choice picked: the window itself takes the focus, so Enter
    // does nothing until the pointer or Tab reaches a choice, and Tab starts from the first.
    for (ClickLabel* choice : Kyssa)
        useMenuColours(choice);
    setFocus(Qt::OtherFocusReason);
    const auto rnd = [this] { return platform.rnd(); };
    const auto& pool = foreignAnswers ? state.ForeignWords : state.EstonianWords;
    const int right = draw(4, rnd);
    Kyssa[right]->setText(pool[state.QuestionIndex]);
    for (int i = 0; i < 5; ++i)
        if (i != right)
            Kyssa[i]->setText(pool[draw(lastSlot, rnd)]);
}

void Test::Command1_Click() {
    const QuizOptions options = quizOptions(forms);
    state.ElapsedSeconds = 0;
    Timer1->setEnabled(false);
    Timer1->setEnabled(true);

    if (options.typed)
        Text1->setText(trimBlanks(Text1->text()));
    if (Text1->text() != expectedAnswer(state, options.foreignAnswers)) {
        platform.beep();
        saturatingIncrement(state.WrongCount);
        forms.load<AkenVale>();
        if (options.foreignAnswers)
            hide();
        forms.show<AkenVale>();
    }
    saturatingIncrement(state.AnsweredCount);

    if (state.AnsweredCount <= quizLastSlot(state)) {
        Form_Load();
        return;
    }
    forms.show<Tulemus>();
    forms.unload(this);
}

void Test::Command2_Click() {
    forms.unload(this);
    if (forms.find<Main>())
        forms.show<Main>();
}

void Test::Command3_Click() {
    if (state.AnsweredCount != 0 && state.NoticeAcknowledged == True)
        forms.show<Tulemus>();
}

void Test::Text1_KeyPress(int& KeyAscii) {
    if (KeyAscii == 13 || KeyAscii == 27) {
        KeyAscii = 0;
        Command1_Click();
    }
}

void Test::Kyssa_Click(int n) {
    Text1->setText(Kyssa[n - 1]->text());
    Command1_Click();
}

void Test::Kyssa_MouseMove(int n) {
    ClickLabel* hovered = Kyssa[n - 1];
    highlight(hovered);
    // Enter and Space pick the highlighted choice, so the focus goes where the pointer is.
    if (focusWidget() != hovered)
        hovered->setFocus(Qt::MouseFocusReason);
}

void Test::highlight(ClickLabel* chosen) {
    if (chosen->palette().color(QPalette::Window) == highlightColor())
        return;
    for (ClickLabel* choice : Kyssa)
        if (choice != chosen)
            setColours(choice, menuColor(), menuTextColor());
    setColours(chosen, highlightColor(), highlightTextColor());
}

void Test::Timer1_Timer() {
    state.ElapsedSeconds = 0;
    Command1_Click();
}

void Test::Timer2_Timer() {
    const QuizOptions options = quizOptions(forms);
    if (!options.limitOn)
        return;
    saturatingIncrement(state.ElapsedSeconds);
    Label7->setText(timeLeftText(options.limitSeconds, state.ElapsedSeconds));
}

void Test::Form_Unload() {
    if (Main* main = forms.find<Main>()) {
        // Harmless when the main window is hidden already (a second test from the results).
        main->update();
        main->hide();
    }
}

void Test::closeEvent(QCloseEvent* event) {
    Form::closeEvent(event);
    if (forms.find<Main>())
        forms.show<Main>();
}

bool Test::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (watched == Text1) {
            int KeyAscii = 0;
            if (key == Qt::Key_Return || key == Qt::Key_Enter)
                KeyAscii = 13;
            else if (key == Qt::Key_Escape)
                KeyAscii = 27;
            if (KeyAscii != 0) {
                Text1_KeyPress(KeyAscii);
                return KeyAscii == 0;
            }
            return false;
        }
        for (int i = 0; i < 5; ++i)
            if (watched == Kyssa[i] &&
                (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space)) {
                Kyssa_Click(i + 1);
                return true;
            }
    } else if (event->type() == QEvent::FocusIn) {
        // Tab and clicks move the highlight with the focus.
        for (ClickLabel* choice : Kyssa)
            if (watched == choice)
                highlight(choice);
    } else if (event->type() == QEvent::FocusOut) {
        // Focus gone elsewhere in this window takes the highlight along; another window coming
        // to the front leaves both where they are.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        for (ClickLabel* choice : Kyssa)
            if (watched == choice && reason != Qt::ActiveWindowFocusReason &&
                reason != Qt::PopupFocusReason)
                useMenuColours(choice);
    }
    return Form::eventFilter(watched, event);
}
