// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/SavePrompt.h"

#include "app/MainWindow.h"
#include "forms/Forms.h"
#include "forms/Look.h"
#include "platform/Platform.h"
#include "state/ProgramState.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>

SavePrompt::SavePrompt(Forms& forms) : Form(forms) {
    setObjectName(QStringLiteral("Kassav"));
    setWindowTitle(QStringLiteral("Save"));
    setClientSize(6420, 2685);

    fileLabel = new QLabel(QStringLiteral("Save?"), this);
    fileLabel->setObjectName(QStringLiteral("Label1"));
    // The label shows a file name, never markup.
    fileLabel->setTextFormat(Qt::PlainText);
    fileLabel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    fileLabel->setWordWrap(true);
    fileLabel->setFont(programFont(Typeface::SansSerif, 12, false));
    placeTwips(fileLabel, 360, 480, 5772, 972);

    auto button = [this](const char* name, const QString& caption, int left, int width,
                         void (SavePrompt::*handler)()) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        placeTwips(b, left, 1680, width, 492);
        connect(b, &QPushButton::clicked, this, handler);
        return b;
    };
    yesButton = button("Command1", QStringLiteral("Yes"), 360, 1332, &SavePrompt::answerYes);
    noButton = button("Command2", QStringLiteral("No"), 2280, 1212, &SavePrompt::answerNo);
    cancelButton =
        button("Command3", QStringLiteral("Cancel"), 4080, 1332, &SavePrompt::answerCancel);
}

void SavePrompt::onLoad() {
    fileLabel->setText(state.CurrentFile);
}

// Open or Import goes on only while the main window is there to run it; after a close box the
// program is on its way out instead.
void SavePrompt::goOnWithOpen() {
    const qint16 action = state.PendingAction;
    state.PendingAction = 0;
    MainWindow* main = forms.find<MainWindow>();
    if (!main || state.Closing != 0)
        return;
    if (action == 3)
        main->importFile();
    else
        main->openFile();
}

void SavePrompt::giveUp(qint16 changedBefore) {
    // A write that may have cut the file short left Changed at 1; that must stand.
    if (state.Changed == 0)
        state.Changed = changedBefore;
    state.PendingAction = 0;
    if (state.Closing == 1) {
        state.Closing = 0;
        forms.show<MainWindow>();
    }
    forms.unload(this);
}

void SavePrompt::answerYes() {
    const qint16 changedBefore = state.Changed;
    state.Changed = 0;

    if (needsFileName(state, platform.workingDirectory())) {
        // Save As belongs to the main window; after a close box it is loaded again (hidden) to
        // run it, and either ends the program or is shown again. Its dialog still offers the
        // list's own file, which the fresh main window has reset to the untitled one.
        const QString file = state.CurrentFile;
        const bool reloaded = !forms.find<MainWindow>();
        MainWindow* main = forms.load<MainWindow>();
        if (!main)
            return;
        if (reloaded)
            state.CurrentFile = file;
        switch (main->saveAs()) {
        case MainWindow::SaveAsOutcome::Ended:
            return;
        case MainWindow::SaveAsOutcome::Failed:
            giveUp(changedBefore);
            return;
        case MainWindow::SaveAsOutcome::Cancelled:
            // Nothing was saved: the list stays unsaved, so the next Exit, Open or close box
            // asks again instead of dropping the words.
            state.Changed = changedBefore;
            // Back as a freshly loaded main window: untitled, as its title says.
            if (reloaded)
                state.CurrentFile = untitledPath(platform.workingDirectory());
            break;
        case MainWindow::SaveAsOutcome::Saved:
            break;
        }
        forms.unload(this);
        return;
    }

    if (!writeCurrentFile(state, platform)) {
        giveUp(changedBefore);
        return;
    }
    if (state.PendingAction == 2) {
        state.PendingAction = 0;
        platform.endProgram();
        return;
    }
    if (state.PendingAction == 1 || state.PendingAction == 3)
        goOnWithOpen();
    closeAnswered();
}

void SavePrompt::answerNo() {
    state.Changed = 0;
    if (state.PendingAction == 1 || state.PendingAction == 3) {
        goOnWithOpen();
    } else if (state.PendingAction == 2) {
        state.PendingAction = 0;
        platform.endProgram();
        return;
    }
    closeAnswered();
}

void SavePrompt::closeAnswered() {
    // A close box answered here is over: the program ends with the last window, or, with the
    // editor or the quiz still open, goes on without a close pending, so a later Save As does
    // not end it.
    state.Closing = 0;
    forms.unload(this);
}

void SavePrompt::answerCancel() {
    state.PendingAction = 0;
    // The main window comes back before the prompt goes, so the program never finds itself
    // without a window in between.
    if (state.Closing == 1) {
        state.Closing = 0;
        forms.show<MainWindow>();
    }
    forms.unload(this);
}

void SavePrompt::closeEvent(QCloseEvent* event) {
    event->ignore();
    answerCancel();
}
