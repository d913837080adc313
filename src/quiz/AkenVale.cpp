#include "quiz/AkenVale.h"

#include "forms/Forms.h"
#include "forms/Look.h"
#include "platform/UiTimer.h"
#include "quiz/QuizOptions.h"
#include "quiz/Scoring.h"
#include "quiz/Test.h"
#include "state/ProgramState.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

AkenVale::AkenVale(Forms& forms) : Form(forms) {
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
    Label1 = label("Label1", QStringLiteral("Vale vastus!!!"),
                   programFont(Typeface::Arial, 18, true, true));
    placeTwips(Label1, 1560, 360, 2655, 375);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(warning.pixmap(32, 32));
    Image1->setScaledContents(true);
    placeTwips(Image1, 240, 480, 960, 960);

    Label2 = label("Label2", QString(), programFont(Typeface::Arial, 13.5, true));
    Label2->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    placeTwips(Label2, 1440, 960, 3615, 375);

    Label3 = label("Label3", QString(), programFont(Typeface::Arial, 17.25, false));
    Label3->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    placeTwips(Label3, 1440, 1320, 3615, 375);

    Command1 = new QPushButton(QStringLiteral("Jätkan"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setFont(programFont(Typeface::Arial, 13.5, true));
    Command1->setAutoDefault(true); // Enter presses it as well as Space
    placeTwips(Command1, 2040, 1800, 1335, 615);
    Command1->setFocus();
    connect(Command1, &QPushButton::clicked, this, &AkenVale::Command1_Click);
}

void AkenVale::Form_Load() {
    if (Test* test = forms.find<Test>()) {
        test->Timer1->setEnabled(false);
        test->Timer2->setEnabled(false);
    }
    state.NoticeAcknowledged = False;
    const NoticeTexts texts = noticeTexts(state, quizOptions(forms).foreignAnswers);
    Label2->setText(texts.asked);
    Label3->setText(texts.answer);
}

void AkenVale::restartQuizClocks() {
    if (!quizOptions(forms).limitOn)
        return;
    state.ElapsedSeconds = 0;
    if (Test* test = forms.find<Test>()) {
        test->Timer1->setEnabled(true);
        test->Timer2->setEnabled(true);
    }
}

void AkenVale::Command1_Click() {
    restartQuizClocks();
    state.NoticeAcknowledged = True;
    forms.unload(this);
}

void AkenVale::Form_Unload() {
    restartQuizClocks();
    // The results window is the quiz window's business: it opens it when the test ends.
    if (forms.find<Test>())
        forms.show<Test>();
}
