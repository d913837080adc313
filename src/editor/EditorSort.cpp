// The editor's four sort buttons. The active sort is kept nowhere but in the buttons' colours.
#include "editor/Editor.h"

#include "editor/Sorting.h"
#include "forms/Look.h"

#include <QPushButton>

// The selection colour of the desktop: against the button face it shows under every style,
// where the highlighted-text colour (white) is hardly told from a light button face.
QColor Editor::activeSortColor() {
    return highlightColor();
}

QColor Editor::BackColor(const QPushButton* button) {
    return button->palette().color(QPalette::Button);
}

void Editor::setBackColor(QPushButton* button, const QColor& colour) {
    QPalette palette = button->palette();
    palette.setColor(QPalette::Button, colour);
    button->setPalette(palette);
    // A style sheet draws the colour under every widget style; native button styles ignore the
    // palette. The caption takes the matching text colour so it stays readable.
    const QColor text =
        colour == activeSortColor() ? highlightTextColor() : palette.color(QPalette::ButtonText);
    button->setStyleSheet(QStringLiteral("QPushButton { background-color: %1; color: %2;"
                                         " border: 1px solid palette(shadow); }"
                                         "QPushButton:pressed { border-width: 2px; }"
                                         "QPushButton:focus { border: 1px dashed palette(text); }")
                              .arg(colour.name(), text.name()));
}

void Editor::buildSortButtons() {
    auto button = [this](const char* name, const QString& caption, int left, int top,
                         void (Editor::*handler)()) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        placeTwips(b, left, top, 495, 255);
        setBackColor(b, buttonFaceColor());
        connect(b, &QPushButton::clicked, this, handler);
        return b;
    };
    Command5 = button("Command5", QStringLiteral("A-Z"), 240, 0, &Editor::Command5_Click);
    Command6 = button("Command6", QStringLiteral("Z-A"), 240, 240, &Editor::Command6_Click);
    Command7 = button("Command7", QStringLiteral("A-Z"), 6600, 0, &Editor::Command7_Click);
    Command8 = button("Command8", QStringLiteral("Z-A"), 6600, 240, &Editor::Command8_Click);
    Command5->setAccessibleName(QStringLiteral("Võõrkeeles A-Z"));
    Command6->setAccessibleName(QStringLiteral("Võõrkeeles Z-A"));
    Command7->setAccessibleName(QStringLiteral("Eesti keeles A-Z"));
    Command8->setAccessibleName(QStringLiteral("Eesti keeles Z-A"));
}

void Editor::sortBy(QPushButton* pressed, void (*routine)(ProgramState&)) {
    writeBack();
    for (QPushButton* b : {Command5, Command6, Command7, Command8})
        if (b != pressed)
            setBackColor(b, buttonFaceColor());
    setBackColor(pressed, activeSortColor());
    routine(state);
    Form_Load();
}

void Editor::Command5_Click() {
    sortBy(Command5, SortForeignAZ);
}

void Editor::Command6_Click() {
    sortBy(Command6, SortForeignZA);
}

void Editor::Command7_Click() {
    sortBy(Command7, SortEstonianAZ);
}

void Editor::Command8_Click() {
    sortBy(Command8, SortEstonianZA);
}

void Editor::reapplySort() {
    const struct {
        QPushButton* button;
        void (Editor::*handler)();
    } sorts[] = {{Command5, &Editor::Command5_Click},
                 {Command6, &Editor::Command6_Click},
                 {Command7, &Editor::Command7_Click},
                 {Command8, &Editor::Command8_Click}};
    for (const auto& sort : sorts) {
        if (BackColor(sort.button) == activeSortColor()) {
            (this->*sort.handler)();
            return;
        }
    }
}
