// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QListWidget>

// A list box that behaves as the editor's program expects, whatever Qt does on its own:
// selectedIndex() is the selected entry (-1 for none); selected() is raised when the selection
// moves to another entry, by the user or by setSelectedIndex(), and never by adding, removing or
// clearing; after removeWord() nothing is selected. Qt moves the current row and emits its signals
// when an entry is taken out or changed by the program; all of that is screened here.
class WordList : public QListWidget {
    Q_OBJECT
public:
    static constexpr int DeleteKeyCode = 46;

    explicit WordList(QWidget* parent);

    void clearWords();
    void addWord(const QString& text);
    void addWords(const QStringList& texts);
    // Outside the list nothing happens.
    void removeWord(int index);
    // The entry at index, or the empty text outside the list.
    QString word(int index) const;
    int selectedIndex() const { return index_; }
    // Selects the entry (-1 or any index outside: none); raises selected() only when an entry is
    // newly selected.
    void setSelectedIndex(int index);

signals:
    void selected();
    // The key code of a key going down: 46 for Delete, the letter or digit for those, else 0.
    void keyDown(int keyCode);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;

private:
    void selectionMoved();
    int selectedRow() const;

    int index_ = -1;
    bool quiet_ = false; // the program itself is changing the list
};
