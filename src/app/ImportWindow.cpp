// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ImportWindow.h"

#include "app/Artwork.h"
#include "app/MainWindow.h"
#include "forms/Forms.h"
#include "platform/Platform.h"
#include "state/ProgramState.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

// Enough to see which column is which and whether the first row is a header.
constexpr int PreviewRows = 8;

} // namespace

ImportWindow::ImportWindow(Forms& forms) : Form(forms) {
    setObjectName(QStringLiteral("Import"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setWindowIcon(programIcon());
    setWindowTitle(QStringLiteral("Sõnade import"));

    fileLabel = new QLabel(this);
    fileLabel->setObjectName(QStringLiteral("lblFile"));
    fileLabel->setTextFormat(Qt::PlainText); // a file name, never markup
    fileLabel->setWordWrap(true);

    previewTable = new QTableWidget(0, 2, this);
    previewTable->setObjectName(QStringLiteral("gridPreview"));
    previewTable->setHorizontalHeaderLabels(
        {QStringLiteral("Eesti keeles"), QStringLiteral("Võõrkeeles")});
    previewTable->setAccessibleName(QStringLiteral("Esimesed sõnapaarid"));
    previewTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    previewTable->setSelectionMode(QAbstractItemView::NoSelection);
    // Tab leaves the table for the next control instead of walking its cells.
    previewTable->setTabKeyNavigation(false);
    previewTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    previewTable->verticalHeader()->setVisible(false);
    previewTable->setMinimumSize(420, 262);

    estonianColumnLabel = new QLabel(QStringLiteral("Ee&sti keel:"), this);
    estonianColumnBox = new QComboBox(this);
    estonianColumnBox->setObjectName(QStringLiteral("cboEstonian"));
    estonianColumnLabel->setBuddy(estonianColumnBox);
    foreignColumnLabel = new QLabel(QStringLiteral("Võõ&rkeel:"), this);
    foreignColumnBox = new QComboBox(this);
    foreignColumnBox->setObjectName(QStringLiteral("cboForeign"));
    foreignColumnLabel->setBuddy(foreignColumnBox);

    swapButton = new QPushButton(QStringLiteral("&Vaheta veerud"), this);
    swapButton->setObjectName(QStringLiteral("cmdSwap"));
    headerCheck = new QCheckBox(QStringLiteral("&Esimene rida on päis"), this);
    headerCheck->setObjectName(QStringLiteral("chkHeader"));
    countLabel = new QLabel(this);
    countLabel->setObjectName(QStringLiteral("lblCount"));
    countLabel->setTextFormat(Qt::PlainText); // it quotes the file's own words
    countLabel->setWordWrap(true);
    importButton = new QPushButton(QStringLiteral("&Impordi"), this);
    importButton->setObjectName(QStringLiteral("cmdImport"));
    cancelButton = new QPushButton(QStringLiteral("Loobu"), this);
    cancelButton->setObjectName(QStringLiteral("cmdCancel"));
    // Enter presses the button that has the focus; anywhere else keyPressEvent takes the pairs.
    importButton->setDefault(true);
    for (QPushButton* button : {swapButton, importButton, cancelButton})
        button->setAutoDefault(true);

    auto* columns = new QHBoxLayout;
    columns->addWidget(estonianColumnLabel);
    columns->addWidget(estonianColumnBox, 1);
    columns->addWidget(foreignColumnLabel);
    columns->addWidget(foreignColumnBox, 1);
    auto* options = new QHBoxLayout;
    options->addWidget(swapButton);
    options->addWidget(headerCheck);
    options->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(countLabel, 1);
    buttons->addWidget(importButton);
    buttons->addWidget(cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fileLabel);
    layout->addWidget(previewTable);
    layout->addLayout(columns);
    layout->addLayout(options);
    layout->addLayout(buttons);

    setTabOrder(previewTable, estonianColumnBox);
    setTabOrder(estonianColumnBox, foreignColumnBox);
    setTabOrder(foreignColumnBox, swapButton);
    setTabOrder(swapButton, headerCheck);
    setTabOrder(headerCheck, importButton);
    setTabOrder(importButton, cancelButton);

    connect(swapButton, &QPushButton::clicked, this, &ImportWindow::swapColumns);
    connect(headerCheck, &QCheckBox::toggled, this, &ImportWindow::headerToggled);
    for (QComboBox* chooser : {estonianColumnBox, foreignColumnBox})
        connect(chooser, &QComboBox::activated, this, [this, chooser] { columnChosen(chooser); });
    connect(importButton, &QPushButton::clicked, this, &ImportWindow::takePairs);
    connect(cancelButton, &QPushButton::clicked, this, &ImportWindow::cancelImport);
}

void ImportWindow::setSource(const QString& path, const wordimport::Table& table) {
    path_ = path;
    table_ = table;
    estonianColumn_ = table.estonianColumn;
    foreignColumn_ = table.foreignColumn;
    const bool choosing = table.columnCount() > 2;
    for (QWidget* chooser :
         {static_cast<QWidget*>(estonianColumnLabel), static_cast<QWidget*>(estonianColumnBox),
          static_cast<QWidget*>(foreignColumnLabel), static_cast<QWidget*>(foreignColumnBox)})
        chooser->setVisible(choosing);
    fileLabel->setText(QStringLiteral("Fail: ") + QDir::toNativeSeparators(path));
    fillChoosers();
    {
        const QSignalBlocker quiet(headerCheck);
        headerCheck->setChecked(table.headerGuessed);
    }
    showPairs();
    importButton->setFocus();
}

// Each column by its number and, where the file names it, its name.
void ImportWindow::fillChoosers() {
    QStringList items;
    for (int column = 0; column < table_.columnCount(); ++column) {
        const QString name = table_.columnNames.value(column);
        items << (name.isEmpty() ? QStringLiteral("%1. veerg").arg(column + 1)
                                 : QStringLiteral("%1. veerg: %2").arg(column + 1).arg(name));
    }
    for (QComboBox* chooser : {estonianColumnBox, foreignColumnBox}) {
        const QSignalBlocker quiet(chooser);
        chooser->clear();
        chooser->addItems(items);
    }
}

void ImportWindow::showPairs() {
    {
        const QSignalBlocker quietEstonian(estonianColumnBox);
        const QSignalBlocker quietForeign(foreignColumnBox);
        estonianColumnBox->setCurrentIndex(estonianColumn_);
        foreignColumnBox->setCurrentIndex(foreignColumn_);
    }
    pairs_ =
        wordimport::takePairs(table_, headerCheck->isChecked(), estonianColumn_, foreignColumn_);
    const int shown = int(std::min<qsizetype>(pairs_.taken.size(), PreviewRows));
    previewTable->setRowCount(shown);
    for (int row = 0; row < shown; ++row)
        for (int column = 0; column < 2; ++column)
            previewTable->setItem(row, column,
                                  new QTableWidgetItem(pairs_.taken[row][size_t(column)]));
    QString count = QStringLiteral("Imporditakse %1 sõnapaari.").arg(pairs_.taken.size());
    const int left = pairs_.leftOut + pairs_.beyondLimit + pairs_.incomplete;
    if (left > 0)
        count += QStringLiteral(" Välja jääb %1.").arg(left);
    if (!table_.readNotes.isEmpty())
        count += QStringLiteral(" Märkused: %1.").arg(table_.readNotes.join(QLatin1String("; ")));
    countLabel->setText(count);
    importButton->setEnabled(!pairs_.taken.isEmpty());
}

void ImportWindow::swapColumns() {
    std::swap(estonianColumn_, foreignColumn_);
    showPairs();
}

void ImportWindow::columnChosen(QComboBox* chooser) {
    int& chosen = chooser == estonianColumnBox ? estonianColumn_ : foreignColumn_;
    int& other = chooser == estonianColumnBox ? foreignColumn_ : estonianColumn_;
    if (chooser->currentIndex() == other)
        other = chosen;
    chosen = chooser->currentIndex();
    showPairs();
}

void ImportWindow::headerToggled() {
    showPairs();
}

void ImportWindow::takePairs() {
    if (pairs_.taken.isEmpty())
        return;
    // The main window and the editor stay usable while this window is up: words edited
    // meanwhile were not covered by the question before the import, so it starts again there.
    if (somethingToLose(state)) {
        forms.unload(this);
        if (MainWindow* main = forms.find<MainWindow>())
            main->importFile();
        return;
    }
    wordimport::replaceList(state, pairs_);
    // Unsaved and without a file of its own: Save asks for a name, offering the imported file's
    // name as a .dic beside it.
    const QFileInfo source(path_);
    state.ImportedFile = QDir::toNativeSeparators(path_);
    state.CurrentFile =
        besideImportedFile(state, QDir::toNativeSeparators(source.dir().filePath(
                                      source.completeBaseName() + QStringLiteral(".dic"))));
    state.PartlyLoadedFile = state.CurrentFile;
    state.Changed = 1;
    if (MainWindow* main = forms.find<MainWindow>())
        main->setWindowTitle(QStringLiteral("Sonarix - ") + source.fileName());
    const QString text = wordimport::notice(pairs_);
    forms.unload(this);
    if (!text.isEmpty())
        platform.message(QLatin1String(ApplicationTitle), text, MessageIcon::Exclamation);
}

void ImportWindow::cancelImport() {
    forms.unload(this);
}

void ImportWindow::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (importButton->isEnabled())
            takePairs();
        break;
    case Qt::Key_Escape:
        cancelImport();
        break;
    default:
        Form::keyPressEvent(event);
    }
}
