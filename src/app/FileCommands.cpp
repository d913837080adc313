// SPDX-License-Identifier: GPL-3.0-or-later
// The file commands of the main window.
#include "app/MainWindow.h"
#include "app/SavePrompt.h"

#include "dictfile/DictionaryFile.h"
#include "forms/Forms.h"
#include "state/ProgramState.h"
#include "wordimport/WordImport.h"

#include <QFileInfo>

namespace {

const QString& title() {
    static const QString text = QLatin1String(ApplicationTitle);
    return text;
}

} // namespace

void MainWindow::newList() {
    state.CurrentFile = untitledPath(platform.workingDirectory());
}

void MainWindow::openFile() {
    // After a failed read the command starts again from the top, until a file is read or the
    // dialog is cancelled.
    for (;;) {
        if (somethingToLose(state)) {
            state.PendingAction = 1;
            forms.show<SavePrompt>();
            return;
        }
        const FileDialogResult chosen = platform.openFileDialog(fileDialog);
        if (chosen.cancelled || chosen.path.isEmpty())
            return;
        if (openList(chosen.path, chosen.name))
            return;
    }
}

bool MainWindow::openList(const QString& path, const QString& name) {
    state.CurrentFile = path;
    bool leftOver = false;
    bool emptied = false;
    const auto failure = readDictionary(
        state, state.CurrentFile,
        [this, &name, &emptied] {
            emptied = true;
            setWindowTitle(QStringLiteral("Tolkrix - ") + name);
        },
        &leftOver);
    // A list that holds only part of its file (the first 1000 pairs, or what was read before a
    // read error) must not be saved over the whole file behind the user's back. A file that
    // could not even be opened left the list, and so its guard, as they were.
    if (emptied) {
        state.PartlyLoadedFile = leftOver ? path : QString();
        state.ImportedFile.clear();
    }
    if (failure)
        platform.message(title(), failure->message, MessageIcon::None);
    else if (leftOver)
        platform.message(title(),
                         QStringLiteral("Selles failis on üle 1000 sõnapaari. Loeti ainult "
                                        "esimesed 1000. Salvestamisel küsitakse failinime "
                                        "uuesti, et ülejäänud sõnad failis alles jääksid."),
                         MessageIcon::Exclamation);
    return !failure;
}

void MainWindow::openGivenFile(const QString& path) {
    if (isWordListFile(path)) {
        importGivenFile(path);
        return;
    }
    const QFileInfo file(path);
    if (openList(file.absoluteFilePath(), file.fileName()))
        return;
    // Nothing to start again here: the program goes on as after a plain start, untitled and
    // empty, so nothing is later saved over the file that failed.
    for (int k = 0; k < ProgramState::Slots; ++k) {
        state.EstonianWords[k].clear();
        state.ForeignWords[k].clear();
    }
    state.WordCount = 0;
    state.PartlyLoadedFile.clear();
    state.ImportedFile.clear();
    state.CurrentFile = untitledPath(platform.workingDirectory());
    setWindowTitle(QStringLiteral("Sonarix - ") + QStringLiteral("Untitled.dic"));
}

bool writeCurrentFile(ProgramState& state, Platform& platform) {
    const auto failure = writeDictionary(state, state.CurrentFile);
    if (!failure)
        return true;
    // The file may be cut short now: the list is whole only in memory, so Exit, Open and the
    // close box must ask again.
    if (failure->fileDamaged)
        state.Changed = 1;
    platform.message(title(), failure->message, MessageIcon::Critical);
    return false;
}

bool MainWindow::writeList() {
    return writeCurrentFile(state, platform);
}

void MainWindow::saveFile() {
    if (needsFileName(state, platform.workingDirectory())) {
        saveFileAs();
        return;
    }
    if (writeList())
        setWindowTitle(QStringLiteral("Sonarix - ") + state.CurrentFile);
}

void MainWindow::saveFileAs() {
    saveAs();
}

MainWindow::SaveAsOutcome MainWindow::saveAs() {
    fileDialog.filter = QStringLiteral("Sonarix Files (*.dic)|*.dic|");
    fileDialog.fileName = besideImportedFile(state, state.CurrentFile);
    const FileDialogResult chosen = platform.saveFileDialog(fileDialog);
    if (chosen.cancelled || chosen.path.isEmpty()) {
        state.Closing = 0;
        state.PendingAction = 0;
        forms.show<MainWindow>();
        forms.unload<SavePrompt>();
        return SaveAsOutcome::Cancelled;
    }
    state.CurrentFile = chosen.path;

    if (!writeList()) {
        // Nothing goes on that would end the program or replace the list; after a close box the
        // main window comes back, with the list still in it.
        state.PendingAction = 0;
        setWindowTitle(QStringLiteral("Sonarix - ") + state.CurrentFile);
        if (state.Closing == 1) {
            state.Closing = 0;
            forms.show<MainWindow>();
        }
        return SaveAsOutcome::Failed;
    }
    // Written whole, by the user's own choice of name: nothing is left to protect.
    state.PartlyLoadedFile.clear();
    if (state.PendingAction == 2 || state.Closing == 1) {
        platform.endProgram();
        return SaveAsOutcome::Ended;
    }
    setWindowTitle(QStringLiteral("Sonarix - ") + state.CurrentFile);
    if (state.PendingAction == 1 || state.PendingAction == 3) {
        const qint16 action = state.PendingAction;
        state.PendingAction = 0;
        action == 1 ? openFile() : importFile();
    }
    return SaveAsOutcome::Saved;
}

void MainWindow::exitProgram() {
    if (somethingToLose(state)) {
        state.PendingAction = 2;
        forms.show<SavePrompt>();
        return;
    }
    platform.endProgram();
}

// The close box. An empty list has nothing to ask about; the program then ends as soon as no
// window is left, so an editor still open keeps its words.
void MainWindow::onUnload() {
    if (isListEmpty(state))
        return;
    state.Closing = 1;
    forms.show<SavePrompt>();
}
