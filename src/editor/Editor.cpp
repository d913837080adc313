#include "editor/Editor.h"

#include "app/Main.h"
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

Editor::Editor(Forms& forms) : Form(forms) {
    setObjectName(QStringLiteral("Editor"));
    setWindowTitle(QStringLiteral("Editor"));
    setClientSize(7410, 5040);
    setFont(programFont(Typeface::Arial, 8.25, true));
    useMenuColours(this);
    buildSortButtons();
    buildControls();

    setTabOrder(Text2, Text1);
    setTabOrder(Text1, Command1);
    setTabOrder(Command1, Command2);
    setTabOrder(Command2, Command3);
    setTabOrder(Command3, Command4);
    setTabOrder(Command4, List2);
    setTabOrder(List2, List1);
    setTabOrder(List1, Command5);
    setTabOrder(Command5, Command6);
    setTabOrder(Command6, Command7);
    setTabOrder(Command7, Command8);
    Text2->setFocus();
}

QLineEdit* Editor::textBox(const char* name, int left) {
    auto* box = new QLineEdit(this);
    box->setObjectName(QLatin1String(name));
    placeTwips(box, left, 600, 3372, 288);
    box->installEventFilter(this);
    return box;
}

WordList* Editor::wordList(const char* name, int left) {
    auto* list = new WordList(this);
    list->setObjectName(QLatin1String(name));
    placeTwips(list, left, 960, 3375, 2580);
    return list;
}

void Editor::buildControls() {
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
                         void (Editor::*handler)()) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        placeTwips(b, left, top, width, 372);
        connect(b, &QPushButton::clicked, this, handler);
        return b;
    };

    Label2 = label("Label2", QStringLiteral("Võõrkeeles:"));
    placeTwips(Label2, 1200, 240, 1020, 210);
    Label3 = label("Label3", QStringLiteral("Eesti keeles:"));
    placeTwips(Label3, 4800, 240, 1212, 252);

    Text2 = textBox("Text2", 240);
    Text1 = textBox("Text1", 3720);
    Label2->setBuddy(Text2);
    Label3->setBuddy(Text1);
    validator2_ = new WordValidator(Text2);
    validator1_ = new WordValidator(Text1);
    Text2->setValidator(validator2_);
    Text1->setValidator(validator1_);

    List2 = wordList("List2", 240);
    List1 = wordList("List1", 3720);
    List2->setAccessibleName(Label2->text());
    List1->setAccessibleName(Label3->text());
    connect(List1, &WordList::Click, this, &Editor::List1_Click);
    connect(List2, &WordList::Click, this, &Editor::List2_Click);
    connect(List1, &WordList::KeyDown, this, &Editor::List1_KeyDown);
    connect(List2, &WordList::KeyDown, this, &Editor::List2_KeyDown);

    // Free room between the lists and the buttons: says why a character was not taken.
    Label4 = label("Label4", QString());
    Label4->setAccessibleName(QStringLiteral("Vihje"));
    placeTwips(Label4, 240, 3600, 6852, 420);
    connect(Text2, &QLineEdit::inputRejected, this, [this] { showRefused(validator2_); });
    connect(Text1, &QLineEdit::inputRejected, this, [this] { showRefused(validator1_); });
    connect(Text2, &QLineEdit::textEdited, Label4, &QLabel::clear);
    connect(Text1, &QLineEdit::textEdited, Label4, &QLabel::clear);

    Command1 = button("Command1", QStringLiteral("Lisa"), 240, 4080, 1092, &Editor::Command1_Click);
    Command2 =
        button("Command2", QStringLiteral("Kustuta"), 1560, 4080, 972, &Editor::Command2_Click);
    Command3 =
        button("Command3", QStringLiteral("Asenda"), 2760, 4080, 972, &Editor::Command3_Click);
    Label1 = label("Label1", QStringLiteral("Sõnu kokku:"));
    Label1->setFont(programFont(Typeface::Arial, 9.75, true));
    placeTwips(Label1, 4200, 4080, 2412, 372);
    Command4 =
        button("Command4", QStringLiteral("Lõpeta"), 240, 4560, 3612, &Editor::Command4_Click);
}

void Editor::showRefused(const WordValidator* validator) {
    Label4->setText(
        QStringLiteral("Märki „%1“ ei saa sõnastikku salvestada.").arg(validator->refused()));
}

bool Editor::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && (watched == Text1 || watched == Text2)) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (enter || !key->text().isEmpty()) {
            int KeyAscii = enter ? 13 : key->text().at(0).unicode();
            if (watched == Text1)
                Text1_KeyPress(KeyAscii);
            else
                Text2_KeyPress(KeyAscii);
            if (KeyAscii == 0)
                return true;
        }
    }
    return Form::eventFilter(watched, event);
}

void Editor::Form_Load() {
    List1->Clear();
    List2->Clear();
    QStringList estonian;
    QStringList foreign;
    for (int i = 0, n = storedPairs(); i < n; ++i) {
        estonian << state.EstonianWords[i];
        foreign << state.ForeignWords[i];
    }
    List1->AddItems(estonian);
    List2->AddItems(foreign);
    setCount(CountForm::Long);
}

int Editor::storedPairs() const {
    const int last = std::min(int(state.WordCount), ProgramState::Slots - 1);
    int n = 0;
    // An empty Estonian word ends the list.
    while (n <= last && !state.EstonianWords[n].isEmpty())
        ++n;
    return n;
}

void Editor::Form_Unload() {
    Command4_Click();
}

void Editor::setCount(CountForm form) {
    const int n = List1->ListCount();
    Label1->setText(QStringLiteral("Sõnu: ") +
                    (form == CountForm::Long ? NumberText(n) : QString::number(n)));
}

bool Editor::bothFilled() const {
    return !Text1->text().isEmpty() && !Text2->text().isEmpty();
}

void Editor::focusEmptyBox() {
    const bool estonian = !Text1->text().isEmpty();
    const bool foreign = !Text2->text().isEmpty();
    if (foreign && !estonian)
        Text1->setFocus();
    else if (estonian && !foreign)
        Text2->setFocus();
}

bool Editor::roomForAnotherPair() {
    if (List1->ListCount() < MaxPairs)
        return true;
    // A file keeps 1000 pairs; a further one would be lost at the next save.
    platform.message(QLatin1String(ApplicationTitle),
                     QStringLiteral("Sõnastikus võib olla kuni 1000 sõnapaari. "
                                    "Seda paari ei lisatud."),
                     MessageIcon::Exclamation);
    return false;
}

void Editor::appendTypedPair() {
    List1->AddItem(Text1->text());
    List2->AddItem(Text2->text());
    Text1->clear();
    Text2->clear();
}

void Editor::Command1_Click() {
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

void Editor::addWithEnter() {
    if (!roomForAnotherPair())
        return;
    state.Changed = 1;
    appendTypedPair();
    setCount(CountForm::Short);
    Text2->setFocus();
    reapplySort();
}

void Editor::Text2_KeyPress(int& KeyAscii) {
    if (KeyAscii != 13)
        return;
    if (bothFilled()) {
        KeyAscii = 0;
        addWithEnter();
    } else if (Text1->text().isEmpty()) {
        KeyAscii = 0;
        Text1->setFocus();
    }
}

void Editor::Text1_KeyPress(int& KeyAscii) {
    if (KeyAscii != 13)
        return;
    KeyAscii = 0;
    if (bothFilled())
        addWithEnter();
    else
        Text2->setFocus();
}

void Editor::Command3_Click() {
    if (!bothFilled()) {
        focusEmptyBox();
        return;
    }
    // Without a selection this adds a pair, and the limit applies.
    const bool selected = List1->ListIndex() >= 0 || List2->ListIndex() >= 0;
    if (!selected && !roomForAnotherPair())
        return;
    state.Changed = 1;
    if (const int s = List1->ListIndex(); s >= 0) {
        List2->setListIndex(s);
        List1->RemoveItem(s);
        List2->RemoveItem(s);
    } else if (const int t = List2->ListIndex(); t >= 0) {
        List1->setListIndex(t);
        List2->RemoveItem(t);
        List1->RemoveItem(t);
    }
    appendTypedPair();
    setCount(CountForm::Long);
    reapplySort();
}

void Editor::Command2_Click() {
    int removed = -1;
    if (const int s = List1->ListIndex(); s >= 0) {
        state.Changed = 1;
        List2->setListIndex(s);
        List1->RemoveItem(s);
        List2->RemoveItem(s);
        removed = s;
    } else if (const int t = List2->ListIndex(); t >= 0) {
        state.Changed = 1;
        List1->setListIndex(t);
        List2->RemoveItem(t);
        List1->RemoveItem(t);
        removed = t;
    }
    // Nothing removed: whatever the user has typed stays.
    if (removed < 0)
        return;
    setCount(CountForm::Long);
    if (List1->ListCount() == 0) {
        Text1->clear();
        Text2->clear();
        return;
    }
    // The pair before the removed one; after removing the first pair, the new first pair.
    const int shown = std::max(removed - 1, 0);
    Text1->setText(List1->List(shown));
    Text2->setText(List2->List(shown));
}

void Editor::List1_KeyDown(int KeyCode) {
    if (KeyCode == WordList::KeyDelete)
        Command2_Click();
}

void Editor::List2_KeyDown(int KeyCode) {
    if (KeyCode == WordList::KeyDelete)
        Command2_Click();
}

void Editor::selectPartner(WordList* from, WordList* to) {
    const int s = from->ListIndex();
    if (s < 0 || s >= List1->ListCount() || s >= List2->ListCount())
        return;
    to->setListIndex(s);
    Text1->setText(List1->List(s));
    Text2->setText(List2->List(s));
}

void Editor::List1_Click() {
    selectPartner(List1, List2);
}

void Editor::List2_Click() {
    selectPartner(List2, List1);
}

void Editor::writeBack() {
    // The lists never outgrow the arrays (additions stop at MaxPairs); stay inside them anyway.
    const int n = std::min(List1->ListCount(), ProgramState::Slots);
    // A save while the editor is open writes the stored list, without the edits made here; so
    // bringing in a list that differs from the stored one makes the edits unsaved again.
    bool differs = n != storedPairs();
    for (int k = 0; k < n; ++k) {
        differs = differs || state.EstonianWords[k] != List1->List(k) ||
                  state.ForeignWords[k] != List2->List(k);
        state.EstonianWords[k] = List1->List(k);
        state.ForeignWords[k] = List2->List(k);
    }
    for (int k = n; k < ProgramState::Slots; ++k) {
        state.EstonianWords[k].clear();
        state.ForeignWords[k].clear();
    }
    state.WordCount = qint16(n - 1);
    if (differs)
        state.Changed = 1;
}

void Editor::Command4_Click() {
    writeBack();
    forms.unload(this);
    forms.show<Main>();
}
