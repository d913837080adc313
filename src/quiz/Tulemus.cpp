#include "quiz/Tulemus.h"

#include "app/Main.h"
#include "forms/Forms.h"
#include "forms/Look.h"
#include "platform/Platform.h"
#include "quiz/Scoring.h"
#include "quiz/Test.h"
#include "state/ProgramState.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

Tulemus::Tulemus(Forms& forms) : Form(forms) {
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
    Label1 = label("Label1", 120);
    Label2 = label("Label2", 600);
    Label3 = label("Label3", 1080);
    Label4 = label("Label4", 1560);

    auto button = [&](const char* name, const QString& caption, int left) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        b->setFont(font);
        b->setAutoDefault(true);
        placeTwips(b, left, 2640, 1695, 615);
        return b;
    };
    Command1 = button("Command1", QStringLiteral("Uus test"), 240);
    Command2 = button("Command2", QStringLiteral("Lõpetan"), 2280);
    setTabOrder(Command1, Command2);
    Command1->setFocus();
    connect(Command1, &QPushButton::clicked, this, &Tulemus::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Tulemus::Command2_Click);
}

void Tulemus::Form_Load() {
    forms.unload<Test>();
    const ResultTexts texts = resultTexts(state);
    Label1->setText(texts.total);
    Label2->setText(texts.right);
    Label3->setText(texts.wrong);
    if (state.AnsweredCount != 0) {
        platform.beep();
        platform.beep();
        platform.beep();
    }
    Label4->setText(texts.percent);
}

void Tulemus::Command1_Click() {
    state.AnsweredCount = 0;
    state.WrongCount = 0;
    forms.unload(this);
    forms.show<Test>();
}

void Tulemus::Command2_Click() {
    state.AnsweredCount = 0;
    state.WrongCount = 0;
    forms.unload(this);
    forms.unload<Test>();
    showMain();
}

void Tulemus::closeEvent(QCloseEvent* event) {
    Form::closeEvent(event);
    showMain();
}

void Tulemus::showMain() {
    // A main window closed meanwhile is not brought back: the program ends with its last window.
    if (forms.find<Main>())
        forms.show<Main>();
}
