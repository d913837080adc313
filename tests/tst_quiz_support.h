#pragma once

// A main window over a word list, with the quiz windows at hand; shared by the quiz tests.

#include "app/Main.h"
#include "forms/ClickLabel.h"
#include "forms/Forms.h"
#include "forms/ReversedScrollBar.h"
#include "quiz/AkenVale.h"
#include "quiz/Test.h"
#include "quiz/Tulemus.h"
#include "state/ProgramState.h"
#include "support/FakePlatform.h"
#include "support/TestUtil.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <algorithm>
#include <initializer_list>

// A draw value that lands on slot q of 0..n.
inline double pick(int q, int n) {
    return n == 0 ? 0.0 : std::max(0.0, (q - 0.1) / n);
}

struct Quiz {
    ProgramState state;
    FakePlatform platform;
    Forms forms{state, platform};
    Main* main = nullptr;

    // Estonian and foreign words by pairs: {"koer", "dog", "kass", "cat"}.
    explicit Quiz(const QStringList& words) {
        for (int i = 0; 2 * i + 1 < words.size(); ++i) {
            state.EstonianWords[i] = words[2 * i];
            state.ForeignWords[i] = words[2 * i + 1];
        }
        state.WordCount = static_cast<qint16>(words.size() / 2 - 1);
        main = forms.show<Main>();
    }

    Test* test() const { return forms.find<Test>(); }
    AkenVale* notice() const { return forms.find<AkenVale>(); }
    Tulemus* results() const { return forms.find<Tulemus>(); }

    void draws(std::initializer_list<double> values) {
        for (double v : values)
            platform.randomValues.enqueue(v);
    }
    // Options as the user sets them in the main window.
    void estonianAnswers() { click(main->Option2); }
    void choices() { click(main->Option4); }
    void limit(int seconds) {
        if (!main->Check1->isChecked())
            click(main->Check1);
        main->VScroll1->setValue(seconds);
    }

    Test* open(std::initializer_list<double> values = {}) {
        draws(values);
        click(main->nupptest);
        return test();
    }
    // Types an answer and presses Enter.
    void answer(const QString& text) {
        typeText(test()->Text1, text);
        QTest::keyClick(test()->Text1, Qt::Key_Return);
    }
    void dismissNotice() { click(notice()->Command1); }
    // The slot asked now, by its question word.
    QString expected() const {
        const bool foreign = main->Option1->isChecked();
        const int q = state.QuestionIndex;
        return foreign ? state.ForeignWords[q] : state.EstonianWords[q];
    }
};
