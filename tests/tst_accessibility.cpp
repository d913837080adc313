// SPDX-License-Identifier: GPL-3.0-or-later
// Every window can be worked by keyboard alone, every control a screen reader reaches has a name
// it can speak, and words and file names are shown as stored, never as markup.
#include "app/AboutWindow.h"
#include "app/IntroWindow.h"
#include "app/MainWindow.h"
#include "app/SavePrompt.h"
#include "editor/EditorWindow.h"
#include "forms/Forms.h"
#include "quiz/QuizWindow.h"
#include "quiz/ResultsWindow.h"
#include "quiz/WrongAnswerNotice.h"
#include "state/ProgramState.h"
#include "support/FakePlatform.h"
#include "support/TestUtil.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QRadioButton>
#include <QTest>

using namespace Qt::StringLiterals;

class TestAccessibility : public QObject {
    Q_OBJECT
private slots:
    void reachedNamedAndPlain_data() {
        Rows row; // the window's object name | the steps that bring it up
        row("Main", "Main | ");
        row("Editor", "Editor | Editor");
        row("Test", "Test | Test");
        row("Test choices", "Test | Valikvastustega,Test");
        row("AkenVale", "AkenVale | Test,type:x,key:Return");
        row("Tulemus", "Tulemus | Test,type:x,key:Return,Jätkan,Tulemused");
        row("About", "About | menu:About!");
        row("Kassav", "Kassav | Exit");
        row("Algus", "Algus | intro");
    }
    void reachedNamedAndPlain() {
        const QStringList c = cells();
        Program p;
        p.store(u"x&lt;1=<b>sõna1</b> x&lt;2=<b>sõna2</b> 3=3 4=4 5=5"_s);
        p.state.CurrentFile = u"/home/<b>x</b>/a&lt;b.dic"_s;
        p.state.Changed = 1;
        p.run(c[1], [&](const QString& step) {
            return step == u"intro"_s && p.forms.show<IntroWindow>();
        });
        QWidget* shown = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            shown = w->isVisible() && w->objectName() == c[0] ? w : shown;
        QVERIFY(shown && shown->isVisible());
        settle();
        const auto spoken = [](QWidget* w) {
            QAccessibleInterface* face = QAccessible::queryAccessibleInterface(w);
            return face ? face->text(QAccessible::Name) : QString();
        };
        // Tab from the focused control goes round every control that takes the focus.
        QSet<QWidget*> reached;
        for (QWidget* w = shown->nextInFocusChain(); w != shown; w = w->nextInFocusChain())
            if (w->isVisibleTo(shown) && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus))
                reached.insert(w);
        for (QWidget* w : shown->findChildren<QWidget*>()) {
            if (auto* label = qobject_cast<QLabel*>(w); label && label->text().contains(u'<'))
                QCOMPARE(spoken(label), label->text());
            if (!w->isVisibleTo(shown) || !(w->focusPolicy() & Qt::TabFocus))
                continue;
            QVERIFY2(!spoken(w).trimmed().isEmpty(), qPrintable(w->objectName()));
            QVERIFY2(!w->isEnabled() || reached.contains(w), qPrintable(w->objectName()));
        }
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
