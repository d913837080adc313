// SPDX-License-Identifier: GPL-3.0-or-later
// Import and Export of the main window: word lists of other formats in, the list out as CSV.
#include "app/ImportWindow.h"
#include "app/MainWindow.h"
#include "app/SavePrompt.h"

#include "dictfile/DictionaryFile.h"
#include "forms/Forms.h"
#include "state/ProgramState.h"
#include "wordimport/WordImport.h"

#include <QDir>
#include <QFileInfo>

void MainWindow::importFile() {
    // The same question as Open before the list is replaced; the prompt goes on from here.
    if (somethingToLose(state)) {
        state.PendingAction = 3;
        forms.show<SavePrompt>();
        return;
    }
    const FileDialogResult chosen = platform.openFileDialog(importDialog);
    if (chosen.cancelled || chosen.path.isEmpty())
        return;
    importGivenFile(chosen.path);
}

void MainWindow::importGivenFile(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    const wordimport::ReadResult read = wordimport::readImportFile(absolute);
    if (!read.table) {
        platform.message(QLatin1String(ApplicationTitle), read.error, MessageIcon::Exclamation);
        return;
    }
    if (ImportWindow* window = forms.show<ImportWindow>())
        window->setSource(absolute, *read.table);
}

void MainWindow::exportFile() {
    const QFileInfo list(QDir::fromNativeSeparators(state.CurrentFile));
    exportDialog.fileName =
        QDir::toNativeSeparators(list.dir().filePath(list.completeBaseName() + ".csv"));
    const FileDialogResult chosen = platform.saveFileDialog(exportDialog);
    if (chosen.cancelled || chosen.path.isEmpty())
        return;
    if (const auto failure = saveFileBytes(chosen.path, wordimport::exportCsv(state)))
        platform.message(QLatin1String(ApplicationTitle), failure->message, MessageIcon::Critical);
}
