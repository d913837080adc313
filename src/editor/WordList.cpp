// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/WordList.h"

#include <QKeyEvent>
#include <QScopedValueRollback>

WordList::WordList(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSortingEnabled(false);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &WordList::selectionMoved);
}

void WordList::clearWords() {
    const QScopedValueRollback quiet(quiet_, true);
    clear();
    index_ = -1;
}

void WordList::addWord(const QString& text) {
    const QScopedValueRollback quiet(quiet_, true);
    addItem(text);
}

void WordList::addWords(const QStringList& texts) {
    const QScopedValueRollback quiet(quiet_, true);
    addItems(texts);
}

void WordList::removeWord(int index) {
    if (index < 0 || index >= count())
        return;
    const QScopedValueRollback quiet(quiet_, true);
    delete takeItem(index);
    // Qt has moved the current row to a neighbour; the program's list selects nothing.
    selectionModel()->clear();
    index_ = -1;
}

QString WordList::word(int index) const {
    const QListWidgetItem* entry = item(index);
    return entry ? entry->text() : QString();
}

void WordList::setSelectedIndex(int index) {
    if (index < 0 || index >= count())
        index = -1;
    if (index == index_)
        return;
    {
        const QScopedValueRollback quiet(quiet_, true);
        if (index < 0)
            selectionModel()->clear();
        else
            setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
        index_ = index;
    }
    if (index >= 0)
        emit selected();
}

void WordList::selectionMoved() {
    if (quiet_)
        return;
    const int row = selectedRow();
    if (row == index_)
        return;
    index_ = row;
    if (row >= 0)
        emit selected();
}

int WordList::selectedRow() const {
    const QModelIndexList rows = selectionModel()->selectedIndexes();
    return rows.isEmpty() ? -1 : rows.first().row();
}

QItemSelectionModel::SelectionFlags WordList::selectionCommand(const QModelIndex& index,
                                                               const QEvent* event) const {
    // The user can move the selection but never take it away (Ctrl+click on the selected entry,
    // a click below the last entry).
    const auto flags = QListWidget::selectionCommand(index, event);
    if (!index.isValid() || (flags & QItemSelectionModel::Deselect))
        return QItemSelectionModel::NoUpdate;
    return flags;
}

void WordList::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    int code = 0;
    if (key == Qt::Key_Delete)
        code = DeleteKeyCode;
    else if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z))
        code = key;
    emit keyDown(code);
    // Delete belongs to the program alone; the list would take it for a search key.
    if (key == Qt::Key_Delete) {
        event->accept();
        return;
    }
    QListWidget::keyPressEvent(event);
}
