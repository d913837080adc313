// SPDX-License-Identifier: GPL-3.0-or-later
// The editor's four sort buttons. The active sort is kept nowhere but in the buttons' colours.
#include "editor/EditorWindow.h"

#include "editor/Sorting.h"
#include "forms/Look.h"

#include <QPushButton>

// The selection colour of the desktop: against the button face it shows under every style,
// where the highlighted-text colour (white) is hardly told from a light button face.
QColor EditorWindow::activeSortColor() {
    return highlightColor();
}

QColor EditorWindow::backColor(const QPushButton* button) {
    return button->palette().color(QPalette::Button);
}

void EditorWindow::setBackColor(QPushButton* button, const QColor& colour) {
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

void EditorWindow::buildSortButtons() {
    auto button = [this](const char* name, const QString& caption, int left, int top,
                         void (EditorWindow::*handler)()) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        placeTwips(b, left, top, 495, 255);
        setBackColor(b, buttonFaceColor());
        connect(b, &QPushButton::clicked, this, handler);
        return b;
    };
    foreignAscendingButton =
        button("Command5", QStringLiteral("A-Z"), 240, 0, &EditorWindow::sortForeignAscending);
    foreignDescendingButton =
        button("Command6", QStringLiteral("Z-A"), 240, 240, &EditorWindow::sortForeignDescending);
    estonianAscendingButton =
        button("Command7", QStringLiteral("A-Z"), 6600, 0, &EditorWindow::sortEstonianAscending);
    estonianDescendingButton =
        button("Command8", QStringLiteral("Z-A"), 6600, 240, &EditorWindow::sortEstonianDescending);
    foreignAscendingButton->setAccessibleName(QStringLiteral("Võõrkeeles A-Z"));
    foreignDescendingButton->setAccessibleName(QStringLiteral("Võõrkeeles Z-A"));
    estonianAscendingButton->setAccessibleName(QStringLiteral("Eesti keeles A-Z"));
    estonianDescendingButton->setAccessibleName(QStringLiteral("Eesti keeles Z-A"));
}

void EditorWindow::sortBy(QPushButton* pressed, void (*routine)(ProgramState&)) {
    writeBack();
    for (QPushButton* b : {foreignAscendingButton, foreignDescendingButton, estonianAscendingButton,
                           estonianDescendingButton})
        if (b != pressed)
            setBackColor(b, buttonFaceColor());
    setBackColor(pressed, activeSortColor());
    routine(state);
    onLoad();
}

void EditorWindow::sortForeignAscending() {
    sortBy(foreignAscendingButton, sortForeignAZ);
}

void EditorWindow::sortForeignDescending() {
    sortBy(foreignDescendingButton, sortForeignZA);
}

void EditorWindow::sortEstonianAscending() {
    sortBy(estonianAscendingButton, sortEstonianAZ);
}

void EditorWindow::sortEstonianDescending() {
    sortBy(estonianDescendingButton, sortEstonianZA);
}

void EditorWindow::reapplySort() {
    const struct {
        QPushButton* button;
        void (EditorWindow::*handler)();
    } sorts[] = {{foreignAscendingButton, &EditorWindow::sortForeignAscending},
                 {foreignDescendingButton, &EditorWindow::sortForeignDescending},
                 {estonianAscendingButton, &EditorWindow::sortEstonianAscending},
                 {estonianDescendingButton, &EditorWindow::sortEstonianDescending}};
    for (const auto& sort : sorts) {
        if (backColor(sort.button) == activeSortColor()) {
            (this->*sort.handler)();
            return;
        }
    }
}
