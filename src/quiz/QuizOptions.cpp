#include "quiz/QuizOptions.h"

#include "app/Main.h"
#include "forms/Forms.h"
#include "forms/ReversedScrollBar.h"

#include <QCheckBox>
#include <QRadioButton>

QuizOptions quizOptions(const Forms& forms) {
    QuizOptions options;
    if (const Main* main = forms.find<Main>()) {
        options.foreignAnswers = main->Option1->isChecked();
        options.typed = main->Option3->isChecked();
        options.limitOn = main->Check1->isChecked();
        options.limitSeconds = main->VScroll1->value();
    }
    return options;
}
