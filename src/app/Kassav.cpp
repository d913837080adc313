#include "app/Kassav.h"

Kassav::Kassav(Forms& forms) : Form(forms) {
    setObjectName(QStringLiteral("Kassav"));
}
