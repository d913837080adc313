// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "forms/Form.h"

class QLabel;
class QLineEdit;
class QPushButton;
class WordList;
class WordValidator;

// The word-list editor: two parallel lists, Estonian and foreign, filled from the word store on
// load and written back on close and before every sort; the four sort buttons keep the active
// sort only in their background colour. The sort buttons live in EditorSort.cpp.
class EditorWindow : public Form {
    Q_OBJECT
public:
    // A dictionary file holds this many pairs; the editor adds no pair beyond it.
    static constexpr int MaxPairs = 1000;

    explicit EditorWindow(Forms& forms);

    void onLoad() override;
    void onUnload() override;

    void addPair();       // "Lisa"
    void deletePair();    // "Kustuta", or Delete in a list
    void replacePair();   // "Asenda"
    void finishEditing(); // "Lõpeta"
    void sortForeignAscending();
    void sortForeignDescending();
    void sortEstonianAscending();
    void sortEstonianDescending();
    // An entry selected in one list selects its partner and brings the pair into the boxes.
    void estonianListClicked();
    void foreignListClicked();
    void listKeyDown(int keyCode);

    // The background of the active sort's button; the others have the button face.
    static QColor activeSortColor();
    static QColor backColor(const QPushButton* button);

    QPushButton* foreignAscendingButton;
    QPushButton* foreignDescendingButton;
    QLabel* foreignCaption;
    QLabel* estonianCaption;
    QPushButton* estonianAscendingButton;
    QPushButton* estonianDescendingButton;
    QLineEdit* foreignEdit;
    QLineEdit* estonianEdit;
    WordList* foreignList;
    WordList* estonianList;
    QLabel* hintLabel; // hint when a character is refused
    QPushButton* addButton;
    QPushButton* deleteButton;
    QPushButton* replaceButton;
    QLabel* countLabel;
    QPushButton* finishButton;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildSortButtons();
    QLineEdit* textBox(const char* name, int left);
    WordList* wordList(const char* name, int left);

    enum class CountForm { Long, Short };
    void setCount(CountForm form);
    // Enter in a word box; answers whether the key was used up.
    bool foreignEnterPressed();
    void estonianEnterPressed();
    bool bothFilled() const;
    void focusEmptyBox();
    bool roomForAnotherPair();
    void appendTypedPair();
    void addWithEnter();
    void selectPartner(WordList* from, WordList* to);
    // How many pairs the word store holds as the editor reads it.
    int storedPairs() const;
    // Stores the lists; a list unlike the stored one marks the edits unsaved.
    void writeBack();
    void sortBy(QPushButton* pressed, void (*routine)(ProgramState&));
    void reapplySort();
    static void setBackColor(QPushButton* button, const QColor& colour);
    void showRefused(const WordValidator* validator);

    WordValidator* estonianValidator_;
    WordValidator* foreignValidator_;
};
