// Every window can be worked by keyboard alone, and every control a screen reader reaches has a
// name it can speak.
#include "app/About.h"
#include "app/Algus.h"
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
    {"Algus", [](Forms& forms) -> QWidget* { return forms.show<Algus>(); }},
};

} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT
private slots:
    // Labels start at the top of their boxes; a stretched picture fills its box anyway.
    void controlsNamedInTabChainLabelsAtTop_data() {
        QTest::addColumn<int>("window");
        for (int i = 0; i < int(std::size(windows)); ++i)
            QTest::newRow(windows[i].name) << i;
    }
    void controlsNamedInTabChainLabelsAtTop() {
        QFETCH(int, window);
        Program program;
        QWidget* shown = windows[window].open(program.forms);
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

    // Boxes and lists take the caption of the label beside them; choices speak their word.
    void namesFromLabelsAndWords() {
        Program program;
        click(program.main->Option4);
        auto* editor = program.forms.show<Editor>();
        QCOMPARE((QStringList{spokenName(editor->Text2), spokenName(editor->Text1),
                              spokenName(editor->List2), spokenName(editor->List1)}),
                 (QStringList{"Võõrkeeles:", "Eesti keeles:", "Võõrkeeles:", "Eesti keeles:"}));
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
