#include "editor/Editor.h"

Editor::Editor(Forms& forms) : Form(forms) {
    setObjectName(QStringLiteral("Editor"));
}
