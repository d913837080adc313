// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "forms/Form.h"
#include "wordimport/WordImport.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

// The import window: the first pairs of a file as they will land in the list, which columns are
// the Estonian and the foreign word, whether the first row is a header, and how many pairs will
// be taken. Taking them
// replaces the list; the file itself is never written.
class ImportWindow : public Form {
    Q_OBJECT
public:
    explicit ImportWindow(Forms& forms);

    // The file to import, already read.
    void setSource(const QString& path, const wordimport::Table& table);

    void swapColumns();
    void headerToggled();
    // A chooser picked another column; picking the other chooser's column swaps the two.
    void columnChosen(QComboBox* chooser);
    // Import and Enter.
    void takePairs();
    // Cancel, Esc and the close box.
    void cancelImport();

    QLabel* fileLabel;
    QTableWidget* previewTable;
    QLabel* estonianColumnLabel; // the choosers show only when the file has more than 2 columns
    QComboBox* estonianColumnBox;
    QLabel* foreignColumnLabel;
    QComboBox* foreignColumnBox;
    QPushButton* swapButton;
    QCheckBox* headerCheck;
    QLabel* countLabel;
    QPushButton* importButton;
    QPushButton* cancelButton;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void showPairs();
    void fillChoosers();

    QString path_;
    wordimport::Table table_;
    int estonianColumn_ = 0;
    int foreignColumn_ = 1;
    wordimport::Pairs pairs_;
};
