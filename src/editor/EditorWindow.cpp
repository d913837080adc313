// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/EditorWindow.h"

#include "app/MainWindow.h"
#include "editor/WordList.h"
#include "editor/WordValidator.h"
#include "forms/Forms.h"
#include "forms/Look.h"
#include "platform/Platform.h"
#include "state/Format.h"
#include "state/ProgramState.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

EditorWindow::EditorWindow(Forms& forms) : Form(forms) {
    setObjectName(QStringLiteral("Editor"));
    setWindowTitle(QStringLiteral("Editor"));
    setClientSize(7410, 5040);
    setFont(programFont(Typeface::Arial, 8.25, true));
    useMenuColours(this);
    buildSortButtons();
    buildControls();

    setTabOrder(foreignEdit, estonianEdit);
    setTabOrder(estonianEdit, addButton);
    setTabOrder(addButton, deleteButton);
    setTabOrder(deleteButton, replaceButton);
    setTabOrder(replaceButton, finishButton);
    setTabOrder(finishButton, foreignList);
    setTabOrder(foreignList, estonianList);
    setTabOrder(estonianList, foreignAscendingButton);
    setTabOrder(foreignAscendingButton, foreignDescendingButton);
    setTabOrder(foreignDescendingButton, estonianAscendingButton);
    setTabOrder(estonianAscendingButton, estonianDescendingButton);
    foreignEdit->setFocus();
}

QLineEdit* EditorWindow::textBox(const char* name, int left) {
    auto* box = new QLineEdit(this);
    box->setObjectName(QLatin1String(name));
    placeTwips(box, left, 600, 3372, 288);
    box->installEventFilter(this);
    return box;
}

WordList* EditorWindow::wordList(const char* name, int left) {
    auto* list = new WordList(this);
    list->setObjectName(QLatin1String(name));
    placeTwips(list, left, 960, 3375, 2580);
    return list;
}

void EditorWindow::buildControls() {
    auto label = [this](const char* name, const QString& caption) {
        auto* l = new QLabel(caption, this);
        l->setObjectName(QLatin1String(name));
        // The hint quotes what the user typed: never read as markup.
        l->setTextFormat(Qt::PlainText);
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        setColours(l, menuColor(), menuTextColor());
        return l;
    };
    auto button = [this](const char* name, const QString& caption, int left, int top, int width,
                         void (EditorWindow::*handler)()) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        placeTwips(b, left, top, width, 372);
        connect(b, &QPushButton::clicked, this, handler);
        return b;
    };

    foreignCaption = label("Label2", QStringLiteral("Võõrkeeles:"));
    placeTwips(foreignCaption, 1200, 240, 1020, 210);
    estonianCaption = label("Label3", QStringLiteral("Eesti keeles:"));
    placeTwips(estonianCaption, 4800, 240, 1212, 252);

    foreignEdit = textBox("Text2", 240);
    estonianEdit = textBox("Text1", 3720);
    foreignCaption->setBuddy(foreignEdit);
    estonianCaption->setBuddy(estonianEdit);
    foreignValidator_ = new WordValidator(foreignEdit);
    estonianValidator_ = new WordValidator(estonianEdit);
    foreignEdit->setValidator(foreignValidator_);
    estonianEdit->setValidator(estonianValidator_);

    foreignList = wordList("List2", 240);
    estonianList = wordList("List1", 3720);
    foreignList->setAccessibleName(foreignCaption->text());
    estonianList->setAccessibleName(estonianCaption->text());
    connect(estonianList, &WordList::selected, this, &EditorWindow::estonianListClicked);
    connect(foreignList, &WordList::selected, this, &EditorWindow::foreignListClicked);
    connect(estonianList, &WordList::keyDown, this, &EditorWindow::listKeyDown);
    connect(foreignList, &WordList::keyDown, this, &EditorWindow::listKeyDown);

    // Free room between the lists and the buttons: says why a character was not taken.
    hintLabel = label("Label4", QString());
    hintLabel->setAccessibleName(QStringLiteral("Vihje"));
    placeTwips(hintLabel, 240, 3600, 6852, 420);
    connect(foreignEdit, &QLineEdit::inputRejected, this,
            [this] { showRefused(foreignValidator_); });
    connect(estonianEdit, &QLineEdit::inputRejected, this,
            [this] { showRefused(estonianValidator_); });
    connect(foreignEdit, &QLineEdit::textEdited, hintLabel, &QLabel::clear);
    connect(estonianEdit, &QLineEdit::textEdited, hintLabel, &QLabel::clear);

    addButton = button("Command1", QStringLiteral("Lisa"), 240, 4080, 1092, &EditorWindow::addPair);
    deleteButton =
        button("Command2", QStringLiteral("Kustuta"), 1560, 4080, 972, &EditorWindow::deletePair);
    replaceButton =
        button("Command3", QStringLiteral("Asenda"), 2760, 4080, 972, &EditorWindow::replacePair);
    countLabel = label("Label1", QStringLiteral("Sõnu kokku:"));
    countLabel->setFont(programFont(Typeface::Arial, 9.75, true));
    placeTwips(countLabel, 4200, 4080, 2412, 372);
    finishButton =
        button("Command4", QStringLiteral("Lõpeta"), 240, 4560, 3612, &EditorWindow::finishEditing);
}

void EditorWindow::showRefused(const WordValidator* validator) {
    hintLabel->setText(
        QStringLiteral("Märki „%1“ ei saa sõnastikku salvestada.").arg(validator->refused()));
}

bool EditorWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && (watched == estonianEdit || watched == foreignEdit)) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == foreignEdit)
                return foreignEnterPressed();
            estonianEnterPressed();
            return true;
        }
    }
    return Form::eventFilter(watched, event);
}

void EditorWindow::onLoad() {
    estonianList->clearWords();
    foreignList->clearWords();
    QStringList estonian;
    QStringList foreign;
    for (int i = 0, n = storedPairs(); i < n; ++i) {
        estonian << state.EstonianWords[i];
        foreign << state.ForeignWords[i];
    }
    estonianList->addWords(estonian);
    foreignList->addWords(foreign);
    setCount(CountForm::Long);
}

int EditorWindow::storedPairs() const {
    const int last = std::min(int(state.WordCount), ProgramState::Slots - 1);
    int n = 0;
    // An empty Estonian word ends the list.
    while (n <= last && !state.EstonianWords[n].isEmpty())
        ++n;
    return n;
}

void EditorWindow::onUnload() {
    finishEditing();
}

void EditorWindow::setCount(CountForm form) {
    const int n = estonianList->count();
    countLabel->setText(QStringLiteral("Sõnu: ") +
                        (form == CountForm::Long ? numberText(n) : QString::number(n)));
}

bool EditorWindow::bothFilled() const {
    return !estonianEdit->text().isEmpty() && !foreignEdit->text().isEmpty();
}

void EditorWindow::focusEmptyBox() {
    const bool estonian = !estonianEdit->text().isEmpty();
    const bool foreign = !foreignEdit->text().isEmpty();
    if (foreign && !estonian)
        estonianEdit->setFocus();
    else if (estonian && !foreign)
        foreignEdit->setFocus();
}

bool EditorWindow::roomForAnotherPair() {
    if (estonianList->count() < MaxPairs)
        return true;
    // A file keeps 1000 pairs; a further one would be lost at the next save.
    platform.message(QLatin1String(ApplicationTitle),
                     QStringLiteral("Sõnastikus võib olla kuni 1000 sõnapaari. "
                                    "Seda paari ei lisatud."),
                     MessageIcon::Exclamation);
    return false;
}

void EditorWindow::appendTypedPair() {
    estonianList->addWord(estonianEdit->text());
    foreignList->addWord(foreignEdit->text());
    estonianEdit->clear();
    foreignEdit->clear();
}

void EditorWindow::addPair() {
    if (!bothFilled()) {
        focusEmptyBox();
        return;
    }
    if (!roomForAnotherPair())
        return;
    state.Changed = 1;
    appendTypedPair();
    setCount(CountForm::Long);
    reapplySort();
}

void EditorWindow::addWithEnter() {
    if (!roomForAnotherPair())
        return;
    state.Changed = 1;
    appendTypedPair();
    setCount(CountForm::Short);
    foreignEdit->setFocus();
    reapplySort();
}

bool EditorWindow::foreignEnterPressed() {
    if (bothFilled()) {
        addWithEnter();
        return true;
    }
    if (estonianEdit->text().isEmpty()) {
        estonianEdit->setFocus();
        return true;
    }
    return false;
}

void EditorWindow::estonianEnterPressed() {
    if (bothFilled())
        addWithEnter();
    else
        foreignEdit->setFocus();
}

void EditorWindow::replacePair() {
    if (!bothFilled()) {
        focusEmptyBox();
        return;
    }
    // Without a selection this adds a pair, and the limit applies.
    const bool selected = estonianList->selectedIndex() >= 0 || foreignList->selectedIndex() >= 0;
    if (!selected && !roomForAnotherPair())
        return;
    state.Changed = 1;
    if (const int s = estonianList->selectedIndex(); s >= 0) {
        foreignList->setSelectedIndex(s);
        estonianList->removeWord(s);
        foreignList->removeWord(s);
    } else if (const int t = foreignList->selectedIndex(); t >= 0) {
        estonianList->setSelectedIndex(t);
        foreignList->removeWord(t);
        estonianList->removeWord(t);
    }
    appendTypedPair();
    setCount(CountForm::Long);
    reapplySort();
}

void EditorWindow::deletePair() {
    int removed = -1;
    if (const int s = estonianList->selectedIndex(); s >= 0) {
        state.Changed = 1;
        foreignList->setSelectedIndex(s);
        estonianList->removeWord(s);
        foreignList->removeWord(s);
        removed = s;
    } else if (const int t = foreignList->selectedIndex(); t >= 0) {
        state.Changed = 1;
        estonianList->setSelectedIndex(t);
        foreignList->removeWord(t);
        estonianList->removeWord(t);
        removed = t;
    }
    // Nothing removed: whatever the user has typed stays.
    if (removed < 0)
        return;
    setCount(CountForm::Long);
    if (estonianList->count() == 0) {
        estonianEdit->clear();
        foreignEdit->clear();
        return;
    }
    // The pair before the removed one; after removing the first pair, the new first pair.
    const int shown = std::max(removed - 1, 0);
    estonianEdit->setText(estonianList->word(shown));
    foreignEdit->setText(foreignList->word(shown));
}

void EditorWindow::listKeyDown(int keyCode) {
    if (keyCode == WordList::DeleteKeyCode)
        deletePair();
}

void EditorWindow::selectPartner(WordList* from, WordList* to) {
    const int s = from->selectedIndex();
    if (s < 0 || s >= estonianList->count() || s >= foreignList->count())
        return;
    to->setSelectedIndex(s);
    estonianEdit->setText(estonianList->word(s));
    foreignEdit->setText(foreignList->word(s));
}

void EditorWindow::estonianListClicked() {
    selectPartner(estonianList, foreignList);
}

void EditorWindow::foreignListClicked() {
    selectPartner(foreignList, estonianList);
}

void EditorWindow::writeBack() {
    // The lists never outgrow the arrays (additions stop at MaxPairs); stay inside them anyway.
    const int n = std::min(estonianList->count(), ProgramState::Slots);
    // A save while the editor is open writes the stored list, without the edits made here; so
    // bringing in a list that differs from the stored one makes the edits unsaved again.
    bool differs = n != storedPairs();
    for (int k = 0; k < n; ++k) {
        differs = differs || state.EstonianWords[k] != estonianList->word(k) ||
                  state.ForeignWords[k] != foreignList->word(k);
        state.EstonianWords[k] = estonianList->word(k);
        state.ForeignWords[k] = foreignList->word(k);
    }
    for (int k = n; k < ProgramState::Slots; ++k) {
        state.EstonianWords[k].clear();
        state.ForeignWords[k].clear();
    }
    state.WordCount = qint16(n - 1);
    if (differs)
        state.Changed = 1;
}

void EditorWindow::finishEditing() {
    writeBack();
    forms.unload(this);
    forms.show<MainWindow>();
}
