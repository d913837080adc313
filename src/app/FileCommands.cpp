// The file commands of the main window.
#include "app/Main.h"

#include "forms/Forms.h"
#include "state/ProgramState.h"

void Main::MFNew_Click() {
    state.CurrentFile = untitledPath(platform.workingDirectory());
}

void Main::MFOpen_Click() {}

void Main::MFSave_Click() {}

void Main::MFSaveAs_Click() {}

void Main::MFExit_Click() {
    if (!somethingToLose(state))
        platform.endProgram();
}

void Main::Form_Unload() {}
