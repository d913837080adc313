// Every window can be worked by keyboard alone, and every control a screen reader reaches has a
// name it can speak.
#include "app/AboutWindow.h"
#include "app/IntroWindow.h"
#include "app/MainWindow.h"
#include "app/SavePrompt.h"
#include "editor/EditorWindow.h"
#include "editor/WordList.h"
#include "forms/ClickLabel.h"
#include "forms/Forms.h"
#include "forms/ReversedScrollBar.h"
#include "quiz/QuizWindow.h"
#include "quiz/ResultsWindow.h"
#include "quiz/WrongAnswerNotice.h"
#include "state/ProgramState.h"
#include "support/FakePlatform.h"
#include "support/TestUtil.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <iterator>

namespace {

QString spokenName(QWidget* widget) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(QAccessible::Name) : QString();
}

// The program with five pairs in its list and the main window up.
struct Program {
    ProgramState state;
    FakePlatform platform;
    Forms forms{state, platform};
    MainWindow* main;

    Program() {
        for (int k = 0; k < 5; ++k) {
            state.EstonianWords[k] = QStringLiteral("sõna%1").arg(k);
            state.ForeignWords[k] = QStringLiteral("word%1").arg(k);
        }
        state.WordCount = 4;
        main = forms.show<MainWindow>();
    }
};

// Shows a window and waits until it has the keyboard.
bool activate(QWidget* window) {
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

template <class W> QWidget* show(Forms& forms) {
    return forms.show<W>();
}
QWidget* showChoices(Forms& forms) {
    click(forms.find<MainWindow>()->multipleChoiceOption);
    return forms.show<QuizWindow>();
}
const std::pair<const char*, QWidget* (*)(Forms&)> windows[] = {
    {"Main", show<MainWindow>},
    {"Editor", show<EditorWindow>},
    {"Test", show<QuizWindow>},
    {"Test choices", showChoices},
    {"AkenVale", show<WrongAnswerNotice>},
    {"Tulemus", show<ResultsWindow>},
    {"About", show<AboutWindow>},
    {"Kassav", show<SavePrompt>},
    {"Algus", show<IntroWindow>}};

} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT
private slots:
    // Labels start at the top of their boxes; a stretched picture fills its box anyway.
    void controlsNamedInTabChainLabelsAtTop_data() {
        QTest::addColumn<int>("window");
        for (int i = 0; i < int(std::size(windows)); ++i)
            QTest::newRow(windows[i].first) << i;
    }
    void controlsNamedInTabChainLabelsAtTop() {
        QFETCH(int, window);
        Program program;
        QWidget* shown = windows[window].second(program.forms);
        QVERIFY(shown && shown->isVisible());

        // Tab from the focused control goes round every control that takes the focus.
        QSet<QWidget*> reached;
        for (QWidget* w = shown->nextInFocusChain(); w != shown; w = w->nextInFocusChain())
            if (w->isVisibleTo(shown) && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus))
                reached.insert(w);
        const auto labels = shown->findChildren<QLabel*>();
        QVERIFY(!labels.isEmpty());
        for (QLabel* label : labels)
            QVERIFY2(label->hasScaledContents() ||
                         (label->alignment() & Qt::AlignVertical_Mask) == Qt::AlignTop,
                     qPrintable(label->objectName()));
        for (QWidget* w : shown->findChildren<QWidget*>()) {
            if (!w->isVisibleTo(shown) || !(w->focusPolicy() & Qt::TabFocus))
                continue;
            QVERIFY2(!spokenName(w).trimmed().isEmpty(), qPrintable(w->objectName()));
            if (w->isEnabled())
                QVERIFY2(reached.contains(w), qPrintable(w->objectName()));
        }
    }

    // Tab walks the main window top to bottom, stopping once in each option group, whichever
    // button of the group is checked.
    void mainWindowTabOrder_data() {
        QTest::addColumn<bool>("estonian");
        QTest::addColumn<bool>("choices");
        QTest::newRow("first buttons checked") << false << false;
        QTest::newRow("second buttons checked") << true << true;
    }
    void mainWindowTabOrder() {
        QFETCH(bool, estonian);
        QFETCH(bool, choices);
        Program program;
        MainWindow* main = program.main;
        QVERIFY(activate(main));
        QRadioButton* language = estonian ? main->askEstonianOption : main->askForeignOption;
        QRadioButton* type = choices ? main->multipleChoiceOption : main->typedAnswersOption;
        click(language);
        click(type);
        click(main->timeLimitCheck); // the limit's scroll bar is a tab stop while it is enabled
        const QList<QWidget*> expected = {
            main->testButton,     main->exitButton,   language,          type,
            main->timeLimitCheck, main->timeLimitBar, main->editorButton};
        main->editorButton->setFocus();
        for (QWidget* next : expected) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), next);
        }
    }

    // Boxes and lists take the caption of the label beside them; choices speak their word.
    void namesFromLabelsAndWords() {
        Program program;
        click(program.main->multipleChoiceOption);
        auto* editor = program.forms.show<EditorWindow>();
        QCOMPARE((QStringList{spokenName(editor->foreignEdit), spokenName(editor->estonianEdit),
                              spokenName(editor->foreignList), spokenName(editor->estonianList)}),
                 (QStringList{"Võõrkeeles:", "Eesti keeles:", "Võõrkeeles:", "Eesti keeles:"}));
        program.forms.unload<EditorWindow>();

        auto* test = program.forms.show<QuizWindow>();
        for (ClickLabel* choice : test->choiceLabels) {
            QVERIFY(!choice->text().isEmpty());
            QCOMPARE(spokenName(choice), choice->text());
        }
        program.forms.unload<QuizWindow>();

        // A file name is read as it is, never as markup.
        program.state.CurrentFile = QStringLiteral("/home/<b>x</b>/a&lt;b.dic");
        auto* prompt = program.forms.show<SavePrompt>();
        QCOMPARE(spokenName(prompt->fileLabel), program.state.CurrentFile);
    }

    void accessKeyPressesItsButton() {
        Program program;
        auto* about = program.forms.show<AboutWindow>();
        QVERIFY(activate(about));
        QTest::keyClick(about, Qt::Key_S, Qt::AltModifier);
        // The button presses itself visibly; the fake registry holds no path, so it answers with
        // its message.
        QVERIFY(about->systemInfoButton->isDown());
        QTRY_COMPARE(program.platform.messages.size(), 1);
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
