#pragma once

#include "forms/Form.h"

class QLabel;
class QLineEdit;
class QPushButton;
class WordList;
class WordValidator;

// The word-list editor: two parallel lists (List1 Estonian, List2 foreign) filled from the word
// store on load and written back on close and before every sort; the four sort buttons keep the
// active sort only in their background colour. The sort buttons live in EditorSort.cpp.
class Editor : public Form {
    Q_OBJECT
public:
    // A dictionary file holds this many pairs; the editor adds no pair beyond it.
    static constexpr int MaxPairs = 1000;

    explicit Editor(Forms& forms);

    void Form_Load() override;
    void Form_Unload() override;

    void Command1_Click(); // "Lisa"
    void Command2_Click(); // "Kustuta"
    void Command3_Click(); // "Asenda"
    void Command4_Click(); // "Lõpeta"
    void Command5_Click(); // foreign "A-Z"
    void Command6_Click(); // foreign "Z-A"
    void Command7_Click(); // Estonian "A-Z"
    void Command8_Click(); // Estonian "Z-A"
    void List1_Click();
    void List2_Click();
    void List1_KeyDown(int KeyCode);
    void List2_KeyDown(int KeyCode);
    // KeyAscii is the character code; setting it to 0 swallows the key.
    void Text1_KeyPress(int& KeyAscii);
    void Text2_KeyPress(int& KeyAscii);

    // The background of the active sort's button; the others have the button face.
    static QColor activeSortColor();
    static QColor BackColor(const QPushButton* button);

    QPushButton* Command5;
    QPushButton* Command6;
    QLabel* Label2;
    QLabel* Label3;
    QPushButton* Command7;
    QPushButton* Command8;
    QLineEdit* Text2;
    QLineEdit* Text1;
    WordList* List2;
    WordList* List1;
    QLabel* Label4; // hint when a character is refused
    QPushButton* Command1;
    QPushButton* Command2;
    QPushButton* Command3;
    QLabel* Label1;
    QPushButton* Command4;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildSortButtons();
    QLineEdit* textBox(const char* name, int left);
    WordList* wordList(const char* name, int left);

    enum class CountForm { Long, Short };
    void setCount(CountForm form);
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

    WordValidator* validator1_;
    WordValidator* validator2_;
};
