// Every window can be worked by keyboard alone, and every control a screen reader reaches has a
// name it can speak.
#include "app/About.h"
#include "app/Kassav.h"
#include "app/Main.h"
#include "editor/Editor.h"
#include "editor/WordList.h"
#include "forms/ClickLabel.h"
#include "forms/Forms.h"
#include "forms/ReversedScrollBar.h"
#include "quiz/AkenVale.h"
#include "quiz/Test.h"
#include "quiz/Tulemus.h"
#include "state/Format.h"
#include "state/ProgramState.h"
#include "support/FakePlatform.h"
#include "support/TestUtil.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionSlider>
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
    Main* main;

    Program() {
        for (int k = 0; k < 5; ++k) {
            state.EstonianWords[k] = QStringLiteral("sõna%1").arg(k);
            state.ForeignWords[k] = QStringLiteral("word%1").arg(k);
        }
        state.WordCount = 4;
        main = forms.show<Main>();
    }
};

// Shows a window and waits until it has the keyboard.
bool activate(QWidget* window) {
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

struct Window {
    const char* name;
    QWidget* (*open)(Forms&);
};
const Window windows[] = {
    {"Main", [](Forms& forms) -> QWidget* { return forms.find<Main>(); }},
    {"Editor", [](Forms& forms) -> QWidget* { return forms.show<Editor>(); }},
    {"Test", [](Forms& forms) -> QWidget* { return forms.show<Test>(); }},
    {"Test choices",
     [](Forms& forms) -> QWidget* {
         click(forms.find<Main>()->Option4);
         return forms.show<Test>();
     }},
    {"AkenVale", [](Forms& forms) -> QWidget* { return forms.show<AkenVale>(); }},
    {"Tulemus", [](Forms& forms) -> QWidget* { return forms.show<Tulemus>(); }},
    {"About", [](Forms& forms) -> QWidget* { return forms.show<About>(); }},
    {"Kassav", [](Forms& forms) -> QWidget* { return forms.show<Kassav>(); }},
};

} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT
private slots:
    void everyControlIsNamedAndInTheTabChain_data() {
        QTest::addColumn<int>("window");
        for (int i = 0; i < int(std::size(windows)); ++i)
            QTest::newRow(windows[i].name) << i;
    }
    void everyControlIsNamedAndInTheTabChain() {
        QFETCH(int, window);
        Program program;
        QWidget* shown = windows[window].open(program.forms);
        QVERIFY(shown && shown->isVisible());

        // Tab from the focused control goes round every control that takes the focus.
        QSet<QWidget*> reached;
        for (QWidget* w = shown->nextInFocusChain(); w != shown; w = w->nextInFocusChain())
            if (w->isVisibleTo(shown) && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus))
                reached.insert(w);
        const auto controls = shown->findChildren<QWidget*>();
        for (QWidget* w : controls) {
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
        Main* main = program.main;
        QVERIFY(activate(main));
        QRadioButton* language = estonian ? main->Option2 : main->Option1;
        QRadioButton* type = choices ? main->Option4 : main->Option3;
        click(language);
        click(type);
        click(main->Check1); // the limit's scroll bar is a tab stop while it is enabled
        const QList<QWidget*> expected = {main->nupptest, main->Command2, language,      type,
                                          main->Check1,   main->VScroll1, main->Command1};
        main->Command1->setFocus();
        for (QWidget* next : expected) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), next);
        }
    }

    // The time-limit scroll bar speaks the limit in seconds, 0 at the bottom and 300 at the top,
    // and "increase" raises it, whichever way the limit was set.
    void timeLimitSpeaksSeconds_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<int>("seconds");
        QTest::newRow("at start") << QStringList{} << 0;
        QTest::newRow("up arrow") << QStringList{"up arrow"} << 1;
        QTest::newRow("Home") << QStringList{"Home"} << 300;
        QTest::newRow("down arrow from the top") << QStringList{"Home", "down arrow"} << 299;
        QTest::newRow("value set to 59") << QStringList{"set 59"} << 59;
        QTest::newRow("value set past the bottom") << QStringList{"set -5"} << 0;
        QTest::newRow("value set past the top") << QStringList{"set 301"} << 300;
        QTest::newRow("increase") << QStringList{"increase", "increase"} << 2;
        QTest::newRow("decrease") << QStringList{"set 60", "decrease"} << 59;
        QTest::newRow("decrease at the bottom") << QStringList{"decrease"} << 0;
        QTest::newRow("limit off") << QStringList{"Check1", "set 59", "increase", "Check1"} << 0;
    }
    void timeLimitSpeaksSeconds() {
        QFETCH(QStringList, steps);
        QFETCH(int, seconds);
        Program program;
        Main* main = program.main;
        ReversedScrollBar* bar = main->VScroll1;
        click(main->Check1);
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(bar);
        QVERIFY(face && face->valueInterface() && face->actionInterface());
        QAccessibleValueInterface* value = face->valueInterface();
        QCOMPARE(face->role(), QAccessible::ScrollBar);
        QCOMPARE(
            (QVariantList{value->minimumValue(), value->maximumValue(), value->minimumStepSize()}),
            (QVariantList{0, 300, 1}));

        QStyleOptionSlider option;
        option.initFrom(bar);
        option.orientation = Qt::Vertical;
        auto arrow = [&](QStyle::SubControl which) {
            return bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, which, bar).center();
        };
        for (const QString& step : steps) {
            if (step == "up arrow" || step == "down arrow")
                QTest::mouseClick(bar, Qt::LeftButton, {},
                                  arrow(step == "up arrow" ? QStyle::SC_ScrollBarSubLine
                                                           : QStyle::SC_ScrollBarAddLine));
            else if (step == "Home")
                QTest::keyClick(bar, Qt::Key_Home);
            else if (step == "Check1")
                click(main->Check1);
            else if (step.startsWith("set "))
                value->setCurrentValue(step.mid(4).toInt());
            else
                face->actionInterface()->doAction(
                    step == "increase" ? QAccessibleActionInterface::increaseAction()
                                       : QAccessibleActionInterface::decreaseAction());
        }
        QCOMPARE(value->currentValue().toInt(), seconds);
        QCOMPARE(bar->value(), seconds);
        QCOMPARE(main->Label2->text(), timeLimitText(seconds));
        const QStringList actions = face->actionInterface()->actionNames();
        QVERIFY(actions.contains(QAccessibleActionInterface::increaseAction()));
        QVERIFY(actions.contains(QAccessibleActionInterface::decreaseAction()));
    }

    // Boxes and lists take the caption of the label beside them; choices speak their word.
    void namesFromLabelsAndWords() {
        Program program;
        click(program.main->Option4);
        auto* editor = program.forms.show<Editor>();
        QCOMPARE(spokenName(editor->Text2), QStringLiteral("Võõrkeeles:"));
        QCOMPARE(spokenName(editor->Text1), QStringLiteral("Eesti keeles:"));
        QCOMPARE(spokenName(editor->List2), QStringLiteral("Võõrkeeles:"));
        QCOMPARE(spokenName(editor->List1), QStringLiteral("Eesti keeles:"));
        program.forms.unload<Editor>();

        auto* test = program.forms.show<Test>();
        for (ClickLabel* choice : test->Kyssa) {
            QVERIFY(!choice->text().isEmpty());
            QCOMPARE(spokenName(choice), choice->text());
        }
        program.forms.unload<Test>();

        // A file name is read as it is, never as markup.
        program.state.CurrentFile = QStringLiteral("/home/<b>x</b>/a&lt;b.dic");
        auto* prompt = program.forms.show<Kassav>();
        QCOMPARE(spokenName(prompt->Label1), program.state.CurrentFile);
    }

    void accessKeyPressesItsButton() {
        Program program;
        auto* about = program.forms.show<About>();
        QVERIFY(activate(about));
        QTest::keyClick(about, Qt::Key_S, Qt::AltModifier);
        // The button presses itself visibly; the fake registry holds no path, so it answers with
        // its message.
        QVERIFY(about->cmdSysInfo->isDown());
        QTRY_COMPARE(program.platform.messages.size(), 1);
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
