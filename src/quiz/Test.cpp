#include "quiz/Test.h"

Test::Test(Forms& forms) : Form(forms) {
    setObjectName(QStringLiteral("Test"));
}
