// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MainWindow.h"

#include "app/AboutWindow.h"
#include "app/Artwork.h"
#include "editor/EditorWindow.h"
#include "forms/Forms.h"
#include "forms/Look.h"
#include "forms/ReversedScrollBar.h"
#include "quiz/QuizWindow.h"
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

MainWindow::MainWindow(Forms& forms) : Form(forms) {
    setObjectName(QStringLiteral("Main"));
    setWindowIcon(programIcon());
    useMenuColours(this);
    fileDialog.filter = QStringLiteral("Sonarix's Files (*.dic) |*.dic|");
    fileDialog.defaultExt = QStringLiteral(".dic");
    importDialog.filter = QStringLiteral(
        "Sõnaloendid (*.csv *.tsv *.txt *.kvtml)|*.csv *.tsv *.txt *.kvtml|Kõik failid (*)|*|");
    // In the order of wordimport::ExportFormat.
    exportDialog.filter = QStringLiteral("CSV (komaga, UTF-8) (*.csv)|*.csv|"
                                         "CSV (semikooloniga, Excel) (*.csv)|*.csv|"
                                         "Tabeldusmärgiga tekst (*.txt)|*.txt|");
    exportDialog.defaultExt = QStringLiteral(".csv");

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

void MainWindow::buildMenu() {
    menuBar = new QMenuBar(this);
    menuBar->setObjectName(QStringLiteral("menuBar"));
    // The system's menu font, not the window's bold one: every property is marked as set, so
    // none is inherited from the window.
    QFont menuFont = QApplication::font("QMenuBar");
    menuFont.setResolveMask(QFont::AllPropertiesResolved);
    menuBar->setFont(menuFont);
    fileMenu = menuBar->addMenu(QStringLiteral("&File"));
    fileMenu->setObjectName(QStringLiteral("MFile"));
    auto item = [this](const char* name, const QString& caption, void (MainWindow::*handler)()) {
        QAction* action = fileMenu->addAction(caption);
        action->setObjectName(QLatin1String(name));
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    newAction = item("MFNew", QStringLiteral("&New"), &MainWindow::newList);
    fileMenu->addSeparator();
    openAction = item("MFOpen", QStringLiteral("&Open..."), &MainWindow::openFile);
    importAction = item("MFImport", QStringLiteral("&Import..."), &MainWindow::importFile);
    fileMenu->addSeparator();
    saveAction = item("MFSave", QStringLiteral("&Save"), &MainWindow::saveFile);
    saveAsAction = item("MFSaveAs", QStringLiteral("Save &As..."), &MainWindow::saveFileAs);
    exportAction = item("MFExport", QStringLiteral("E&xport..."), &MainWindow::exportFile);
    fileMenu->addSeparator();
    exitAction = item("MFExit", QStringLiteral("&Exit"), &MainWindow::exitProgram);

    // A top-level item without a menu of its own.
    aboutAction = menuBar->addAction(QStringLiteral("&About!"));
    aboutAction->setObjectName(QStringLiteral("MAbout"));
    connect(aboutAction, &QAction::triggered, this, &MainWindow::showAbout);
}

void MainWindow::buildToolbar() {
    toolBar = new QToolBar(client);
    toolBar->setObjectName(QStringLiteral("Toolbar1"));
    toolBar->setIconSize(QSize(16, 16));
    toolBar->setGeometry(0, 0, client->width(), twips(420));
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
            toolBar->addSeparator();
            continue;
        }
        const QString key = QLatin1String(button.key);
        QAction* action = toolBar->addAction(toolbarImage(button.image), key);
        action->setObjectName(QStringLiteral("Toolbar1_") + key);
        action->setToolTip(key);
        action->setData(key);
        connect(action, &QAction::triggered, this, [this, key] { toolbarButtonClicked(key); });
    }
}

void MainWindow::buildControls() {
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
    editorButton = button("Command1", QStringLiteral("Editor"), 720);
    testButton = button("nupptest", QStringLiteral("Test"), 1920);
    exitButton = button("Command2", QStringLiteral("Exit"), 3360);
    connect(editorButton, &QPushButton::clicked, this, &MainWindow::openEditor);
    connect(testButton, &QPushButton::clicked, this, &MainWindow::startTest);
    connect(exitButton, &QPushButton::clicked, this, &MainWindow::exitProgram);

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

    askedLanguageLabel = label("Label1", QStringLiteral("Millist keelt küsida"), client);
    placeTwips(askedLanguageLabel, 2760, 600, 1695, 255);
    askedLanguageGroup = panel("Picture2");
    placeTwips(askedLanguageGroup, 2760, 840, 2175, 855);
    askForeignOption = option("Option1", QStringLiteral("Võõrkeelt"), askedLanguageGroup);
    placeTwips(askForeignOption, 120, 120, 1815, 255);
    askEstonianOption = option("Option2", QStringLiteral("Eesti keelt"), askedLanguageGroup);
    placeTwips(askEstonianOption, 120, 480, 1815, 255);
    askedLanguageLabel->setBuddy(askForeignOption);
    askedLanguageGroup->setAccessibleName(
        askedLanguageLabel->text()); // a screen reader names the group by its label

    testTypeLabel = label("Label3", QStringLiteral("Testi tüüp"), client);
    placeTwips(testTypeLabel, 2760, 1800, 1455, 255);
    testTypeGroup = panel("Picture1");
    placeTwips(testTypeGroup, 2760, 2040, 3255, 735);
    typedAnswersOption = option("Option3", QStringLiteral("Tavaline"), testTypeGroup);
    placeTwips(typedAnswersOption, 240, 120, 2175, 210);
    multipleChoiceOption = option("Option4", QStringLiteral("Valikvastustega"), testTypeGroup);
    placeTwips(multipleChoiceOption, 240, 360, 2295, 255);
    testTypeLabel->setBuddy(typedAnswersOption);
    testTypeGroup->setAccessibleName(testTypeLabel->text());
    // Radio buttons with the same parent form one group of their own.
    askForeignOption->setChecked(true);
    typedAnswersOption->setChecked(true);

    timeLimitCheck = new QCheckBox(QStringLiteral("Ajapiirang vastamiseks"), client);
    timeLimitCheck->setObjectName(QStringLiteral("Check1"));
    timeLimitCheck->setFont(programFont(Typeface::SansSerif, 12, true));
    placeTwips(timeLimitCheck, 2640, 2880, 3375, 375);
    connect(timeLimitCheck, &QCheckBox::toggled, this, &MainWindow::timeLimitToggled);

    timeLimitBar = new ReversedScrollBar(300, 0, client);
    timeLimitBar->setObjectName(QStringLiteral("VScroll1"));
    timeLimitBar->setAccessibleName(QStringLiteral("Ajapiirang sekundites"));
    timeLimitBar->setFocusPolicy(Qt::StrongFocus); // a tab stop, so the limit can be set by keys
    timeLimitBar->setSingleStep(1);
    timeLimitBar->setPageStep(1);
    timeLimitBar->setValue(0);
    placeTwips(timeLimitBar, 2160, 3480, 495, 375);
    connect(timeLimitBar, &ReversedScrollBar::changed, this, &MainWindow::timeLimitChanged);

    timeLimitLabel = label("Label2", QString(), client);
    timeLimitLabel->setFont(big);
    placeTwips(timeLimitLabel, 2640, 3360, 3735, 495);

    setTabOrder(editorButton, testButton);
    setTabOrder(testButton, exitButton);
    // Each group's buttons stay together in the chain; Tab stops at the checked one only.
    setTabOrder(exitButton, askForeignOption);
    setTabOrder(askForeignOption, askEstonianOption);
    setTabOrder(askEstonianOption, typedAnswersOption);
    setTabOrder(typedAnswersOption, multipleChoiceOption);
    setTabOrder(multipleChoiceOption, timeLimitCheck);
    setTabOrder(timeLimitCheck, timeLimitBar);
}

QString MainWindow::limitText() const {
    return timeLimitText(timeLimitBar->value());
}

void MainWindow::onLoad() {
    state.NoticeAcknowledged = False;
    timeLimitBar->setEnabled(false);
    timeLimitLabel->setText(QString());
    state.CurrentFile = untitledPath(platform.workingDirectory());
    setWindowTitle(QStringLiteral("Sonarix - ") + QStringLiteral("Untitled.dic"));
}

void MainWindow::timeLimitToggled() {
    if (timeLimitCheck->isChecked()) {
        timeLimitBar->setEnabled(true);
        timeLimitLabel->setText(limitText());
    } else {
        timeLimitBar->setEnabled(false);
        timeLimitLabel->setText(QString());
    }
}

void MainWindow::timeLimitChanged() {
    timeLimitLabel->setText(limitText());
}

void MainWindow::openEditor() {
    forms.show<EditorWindow>();
}

void MainWindow::startTest() {
    if (!isListEmpty(state)) {
        forms.show<QuizWindow>();
        return;
    }
    platform.message(QLatin1String(ApplicationTitle),
                     QStringLiteral("Pole, mida küsida! Sisesta EDITORiga eelnevalt sõnad või ava "
                                    "eelnevalt salvestatud fail."),
                     MessageIcon::Critical);
}

void MainWindow::showAbout() {
    forms.show<AboutWindow>();
}

void MainWindow::toolbarButtonClicked(const QString& key) {
    if (key == QLatin1String("New"))
        newList();
    else if (key == QLatin1String("Open"))
        openFile();
    else if (key == QLatin1String("Save"))
        saveFile();
    else if (key == QLatin1String("Edit"))
        openEditor();
    else if (key == QLatin1String("Testime"))
        startTest();
    else if (key == QLatin1String("Exit"))
        exitProgram();
}
