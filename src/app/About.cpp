#include "app/About.h"

About::About(Forms& forms) : Form(forms) {
    setObjectName(QStringLiteral("About"));
}
