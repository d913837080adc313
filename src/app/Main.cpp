#include "app/Main.h"

#include "app/About.h"
#include "app/Artwork.h"
#include "editor/Editor.h"
#include "forms/Forms.h"
#include "forms/Look.h"
#include "forms/ReversedScrollBar.h"
#include "quiz/Test.h"
#include "state/Format.h"
#include "state/ProgramState.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QToolBar>
#include <QVBoxLayout>

Main::Main(Forms& forms) : Form(forms) {
    setObjectName(QStringLiteral("Main"));
    setWindowIcon(programIcon());
    useMenuColours(this);
    CommonDialog1.filter = QStringLiteral("Sonarix's Files (*.dic) |*.dic|");
    CommonDialog1.defaultExt = QStringLiteral(".dic");

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(twips(6540), twips(4350));
    layout->addWidget(client);
    buildMenu();
    layout->setMenuBar(menuBar);
    buildToolbar();
    buildControls();
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void Main::buildMenu() {
    menuBar = new QMenuBar(this);
    menuBar->setObjectName(QStringLiteral("menuBar"));
    // The system's menu font, not the window's bold one: every property is marked as set, so
    // none is inherited from the window.
    QFont menuFont = QApplication::font("QMenuBar");
    menuFont.setResolveMask(QFont::AllPropertiesResolved);
    menuBar->setFont(menuFont);
    MFile = menuBar->addMenu(QStringLiteral("&File"));
    MFile->setObjectName(QStringLiteral("MFile"));
    auto item = [this](const char* name, const QString& caption, void (Main::*handler)()) {
        QAction* action = MFile->addAction(caption);
        action->setObjectName(QLatin1String(name));
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    MFNew = item("MFNew", QStringLiteral("&New"), &Main::MFNew_Click);
    MFile->addSeparator();
    MFOpen = item("MFOpen", QStringLiteral("&Open..."), &Main::MFOpen_Click);
    MFile->addSeparator();
    MFSave = item("MFSave", QStringLiteral("&Save"), &Main::MFSave_Click);
    MFSaveAs = item("MFSaveAs", QStringLiteral("Save &As..."), &Main::MFSaveAs_Click);
    MFile->addSeparator();
    MFExit = item("MFExit", QStringLiteral("&Exit"), &Main::MFExit_Click);

    // A top-level item without a menu of its own.
    MAbout = menuBar->addAction(QStringLiteral("&About!"));
    MAbout->setObjectName(QStringLiteral("MAbout"));
    connect(MAbout, &QAction::triggered, this, &Main::MAbout_Click);
}

void Main::buildToolbar() {
    Toolbar1 = new QToolBar(client);
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    Toolbar1->setIconSize(QSize(16, 16));
    Toolbar1->setGeometry(0, 0, client->width(), twips(420));
    const struct {
        const char* key;
        ToolbarImage image;
    } buttons[] = {{"New", ToolbarImage::New},
                   {"Open", ToolbarImage::Open},
                   {"Save", ToolbarImage::Save},
                   {nullptr, {}},
                   {"Edit", ToolbarImage::Edit},
                   {"Testime", ToolbarImage::Test},
                   {nullptr, {}},
                   {"Exit", ToolbarImage::Exit}};
    for (const auto& button : buttons) {
        if (!button.key) {
            Toolbar1->addSeparator();
            continue;
        }
        const QString key = QLatin1String(button.key);
        QAction* action = Toolbar1->addAction(toolbarImage(button.image), key);
        action->setObjectName(QStringLiteral("Toolbar1_") + key);
        action->setToolTip(key);
        action->setData(key);
        connect(action, &QAction::triggered, this, [this, key] { Toolbar1_ButtonClick(key); });
    }
}

void Main::buildControls() {
    const QFont big = programFont(Typeface::SansSerif, 13.5, true);
    const QFont small = programFont(Typeface::SansSerif, 8.25, true);
    setFont(small);

    auto button = [this, &big](const char* name, const QString& caption, int top) {
        auto* b = new QPushButton(caption, client);
        b->setObjectName(QLatin1String(name));
        b->setFont(big);
        placeTwips(b, 240, top, 1452, 615);
        return b;
    };
    Command1 = button("Command1", QStringLiteral("Editor"), 720);
    nupptest = button("nupptest", QStringLiteral("Test"), 1920);
    Command2 = button("Command2", QStringLiteral("Exit"), 3360);
    connect(Command1, &QPushButton::clicked, this, &Main::Command1_Click);
    connect(nupptest, &QPushButton::clicked, this, &Main::nupptest_Click);
    connect(Command2, &QPushButton::clicked, this, &Main::Command2_Click);

    auto label = [](const char* name, const QString& caption, QWidget* parent) {
        auto* l = new QLabel(caption, parent);
        l->setObjectName(QLatin1String(name));
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return l;
    };
    auto option = [](const char* name, const QString& caption, QWidget* parent) {
        auto* o = new QRadioButton(caption, parent);
        o->setObjectName(QLatin1String(name));
        return o;
    };
    auto panel = [this](const char* name) {
        auto* p = new QWidget(client);
        p->setObjectName(QLatin1String(name));
        return p;
    };

    Label1 = label("Label1", QStringLiteral("Millist keelt küsida"), client);
    placeTwips(Label1, 2760, 600, 1695, 255);
    Picture2 = panel("Picture2");
    placeTwips(Picture2, 2760, 840, 2175, 855);
    Option1 = option("Option1", QStringLiteral("Võõrkeelt"), Picture2);
    placeTwips(Option1, 120, 120, 1815, 255);
    Option2 = option("Option2", QStringLiteral("Eesti keelt"), Picture2);
    placeTwips(Option2, 120, 480, 1815, 255);
    Label1->setBuddy(Option1);
    Picture2->setAccessibleName(Label1->text()); // a screen reader names the group by its label

    Label3 = label("Label3", QStringLiteral("Testi tüüp"), client);
    placeTwips(Label3, 2760, 1800, 1455, 255);
    Picture1 = panel("Picture1");
    placeTwips(Picture1, 2760, 2040, 3255, 735);
    Option3 = option("Option3", QStringLiteral("Tavaline"), Picture1);
    placeTwips(Option3, 240, 120, 2175, 210);
    Option4 = option("Option4", QStringLiteral("Valikvastustega"), Picture1);
    placeTwips(Option4, 240, 360, 2295, 255);
    Label3->setBuddy(Option3);
    Picture1->setAccessibleName(Label3->text());
    // Radio buttons with the same parent form one group of their own.
    Option1->setChecked(true);
    Option3->setChecked(true);

    Check1 = new QCheckBox(QStringLiteral("Ajapiirang vastamiseks"), client);
    Check1->setObjectName(QStringLiteral("Check1"));
    Check1->setFont(programFont(Typeface::SansSerif, 12, true));
    placeTwips(Check1, 2640, 2880, 3375, 375);
    connect(Check1, &QCheckBox::toggled, this, &Main::Check1_Click);

    VScroll1 = new ReversedScrollBar(300, 0, client);
    VScroll1->setObjectName(QStringLiteral("VScroll1"));
    VScroll1->setAccessibleName(QStringLiteral("Ajapiirang sekundites"));
    VScroll1->setFocusPolicy(Qt::StrongFocus); // a tab stop, so the limit can be set by keys
    VScroll1->setSingleStep(1);
    VScroll1->setPageStep(1);
    VScroll1->setValue(0);
    placeTwips(VScroll1, 2160, 3480, 495, 375);
    connect(VScroll1, &ReversedScrollBar::changed, this, &Main::VScroll1_Change);

    Label2 = label("Label2", QString(), client);
    Label2->setFont(big);
    placeTwips(Label2, 2640, 3360, 3735, 495);

    setTabOrder(Command1, nupptest);
    setTabOrder(nupptest, Command2);
    // Each group's buttons stay together in the chain; Tab stops at the checked one only.
    setTabOrder(Command2, Option1);
    setTabOrder(Option1, Option2);
    setTabOrder(Option2, Option3);
    setTabOrder(Option3, Option4);
    setTabOrder(Option4, Check1);
    setTabOrder(Check1, VScroll1);
}

QString Main::limitText() const {
    return timeLimitText(VScroll1->value());
}

void Main::Form_Load() {
    state.NoticeAcknowledged = False;
    VScroll1->setEnabled(false);
    Label2->setText(QString());
    state.CurrentFile = untitledPath(platform.workingDirectory());
    setWindowTitle(QStringLiteral("Sonarix - ") + QStringLiteral("Untitled.dic"));
}

void Main::Check1_Click() {
    if (Check1->isChecked()) {
        VScroll1->setEnabled(true);
        Label2->setText(limitText());
    } else {
        VScroll1->setEnabled(false);
        Label2->setText(QString());
    }
}

void Main::VScroll1_Change() {
    Label2->setText(limitText());
}

void Main::Command1_Click() {
    forms.show<Editor>();
}

void Main::nupptest_Click() {
    if (!isListEmpty(state)) {
        forms.show<Test>();
        return;
    }
    platform.message(QLatin1String(ApplicationTitle),
                     QStringLiteral("Pole, mida küsida! Sisesta EDITORiga eelnevalt sõnad või ava "
                                    "eelnevalt salvestatud fail."),
                     MessageIcon::Critical);
}

void Main::Command2_Click() {
    MFExit_Click();
}

void Main::MAbout_Click() {
    forms.show<About>();
}

void Main::Toolbar1_ButtonClick(const QString& key) {
    if (key == QLatin1String("New"))
        MFNew_Click();
    else if (key == QLatin1String("Open"))
        MFOpen_Click();
    else if (key == QLatin1String("Save"))
        MFSave_Click();
    else if (key == QLatin1String("Edit"))
        Command1_Click();
    else if (key == QLatin1String("Testime"))
        nupptest_Click();
    else if (key == QLatin1String("Exit"))
        MFExit_Click();
}
