// SPDX-License-Identifier: GPL-3.0-or-later
// Import and Export of the main window: word lists of other formats in, the list out for a
// spreadsheet.
#include "app/ImportWindow.h"
#include "app/MainWindow.h"
#include "app/SavePrompt.h"

#include "dictfile/DictionaryFile.h"
#include "forms/Forms.h"
#include "state/ProgramState.h"
#include "wordimport/WordImport.h"

#include <QDir>
#include <QFile>
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

QString besideImportedFile(const ProgramState& state, const QString& path) {
    const QFileInfo file(QDir::fromNativeSeparators(path));
    const QFileInfo source(QDir::fromNativeSeparators(state.ImportedFile));
    const Qt::CaseSensitivity names =
        QDir::separator() == u'\\' ? Qt::CaseInsensitive : Qt::CaseSensitive;
    if (state.ImportedFile.isEmpty() ||
        file.absoluteFilePath().compare(source.absoluteFilePath(), names) != 0)
        return path;
    return QDir::toNativeSeparators(
        file.dir().filePath(file.completeBaseName() + QStringLiteral("-sonarix.") + file.suffix()));
}

bool isWordListFile(const QString& path) {
    if (!wordimport::isImportFile(path))
        return false;
    if (QFileInfo(path).suffix().compare(QLatin1String("txt"), Qt::CaseInsensitive) != 0)
        return true;
    // The first rows tell; a file that cannot be read goes to import, which says why.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return true;
    return wordimport::looksDelimited(file.read(64 * 1024));
}

void MainWindow::exportFile() {
    // Beside the list's file, under its name, with the extension of the format last chosen.
    const QFileInfo list(QDir::fromNativeSeparators(state.CurrentFile));
    const auto format = wordimport::ExportFormat(exportDialog.filterIndex);
    const QString extension = format == wordimport::ExportFormat::TabText ? QStringLiteral(".txt")
                                                                          : QStringLiteral(".csv");
    exportDialog.fileName = besideImportedFile(
        state, QDir::toNativeSeparators(list.dir().filePath(list.completeBaseName() + extension)));
    const FileDialogResult chosen = platform.saveFileDialog(exportDialog);
    if (chosen.cancelled || chosen.path.isEmpty())
        return;
    const QByteArray bytes =
        wordimport::exportList(state, wordimport::ExportFormat(chosen.filterIndex));
    if (const auto failure = saveFileBytes(chosen.path, bytes))
        platform.message(QLatin1String(ApplicationTitle), failure->message, MessageIcon::Critical);
}
