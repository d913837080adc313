#include "app/Kassav.h"

#include "app/Main.h"
#include "dictfile/DictionaryFile.h"
#include "forms/Forms.h"
#include "forms/Look.h"
#include "platform/Platform.h"
#include "state/ProgramState.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>

Kassav::Kassav(Forms& forms) : Form(forms) {
    setObjectName(QStringLiteral("Kassav"));
    setWindowTitle(QStringLiteral("Save"));
    setClientSize(6420, 2685);

    Label1 = new QLabel(QStringLiteral("Save?"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    // The label shows a file name, never markup.
    Label1->setTextFormat(Qt::PlainText);
    Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label1->setWordWrap(true);
    Label1->setFont(programFont(Typeface::SansSerif, 12, false));
    placeTwips(Label1, 360, 480, 5772, 972);

    auto button = [this](const char* name, const QString& caption, int left, int width,
                         void (Kassav::*handler)()) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        placeTwips(b, left, 1680, width, 492);
        connect(b, &QPushButton::clicked, this, handler);
        return b;
    };
    Command1 = button("Command1", QStringLiteral("Yes"), 360, 1332, &Kassav::Command1_Click);
    Command2 = button("Command2", QStringLiteral("No"), 2280, 1212, &Kassav::Command2_Click);
    Command3 = button("Command3", QStringLiteral("Cancel"), 4080, 1332, &Kassav::Command3_Click);
}

void Kassav::Form_Load() {
    Label1->setText(state.CurrentFile);
}

bool Kassav::writeList() {
    const auto failure = writeDictionary(state, state.CurrentFile);
    if (failure)
        platform.message(QLatin1String(ApplicationTitle), failure->message, MessageIcon::Critical);
    return !failure;
}

// Open goes on only while the main window is there to run it; after a close box the program is
// on its way out instead.
void Kassav::goOnWithOpen() {
    if (Main* main = forms.find<Main>(); main && state.Closing == 0)
        main->MFOpen_Click();
}

void Kassav::giveUp(qint16 changedBefore) {
    state.Changed = changedBefore;
    state.PendingAction = 0;
    if (state.Closing == 1) {
        state.Closing = 0;
        forms.show<Main>();
    }
    forms.unload(this);
}

void Kassav::Command1_Click() {
    const qint16 changedBefore = state.Changed;
    state.Changed = 0;

    if (needsFileName(state, platform.workingDirectory())) {
        // Save As belongs to the main window; after a close box it is loaded again (hidden) to
        // run it, and either ends the program or is shown again. Its dialog still offers the
        // list's own file, which the fresh main window has reset to the untitled one.
        const QString file = state.CurrentFile;
        const bool reloaded = !forms.find<Main>();
        Main* main = forms.load<Main>();
        if (!main)
            return;
        if (reloaded)
            state.CurrentFile = file;
        switch (main->saveAs()) {
        case Main::SaveAsOutcome::Ended:
            return;
        case Main::SaveAsOutcome::Failed:
            giveUp(changedBefore);
            return;
        case Main::SaveAsOutcome::Cancelled:
            // Back as a freshly loaded main window: untitled, as its title says.
            if (reloaded)
                state.CurrentFile = untitledPath(platform.workingDirectory());
            break;
        case Main::SaveAsOutcome::Saved:
            break;
        }
        forms.unload(this);
        return;
    }

    if (!writeList()) {
        giveUp(changedBefore);
        return;
    }
    if (state.PendingAction == 2) {
        state.PendingAction = 0;
        platform.endProgram();
        return;
    }
    if (state.PendingAction == 1) {
        state.PendingAction = 0;
        goOnWithOpen();
    }
    closeAnswered();
}

void Kassav::Command2_Click() {
    state.Changed = 0;
    if (state.PendingAction == 1) {
        state.PendingAction = 0;
        goOnWithOpen();
    } else if (state.PendingAction == 2) {
        state.PendingAction = 0;
        platform.endProgram();
        return;
    }
    closeAnswered();
}

void Kassav::closeAnswered() {
    // A close box answered here is over: the program ends with the last window, or, with the
    // editor or the quiz still open, goes on without a close pending, so a later Save As does
    // not end it.
    state.Closing = 0;
    forms.unload(this);
}

void Kassav::Command3_Click() {
    state.PendingAction = 0;
    // The main window comes back before the prompt goes, so the program never finds itself
    // without a window in between.
    if (state.Closing == 1) {
        state.Closing = 0;
        forms.show<Main>();
    }
    forms.unload(this);
}

void Kassav::closeEvent(QCloseEvent* event) {
    event->ignore();
    Command3_Click();
}
