#include "app/Main.h"
#include "editor/Editor.h"
#include "forms/Forms.h"
#include "quiz/Test.h"
#include "state/ProgramState.h"
#include "support/FakePlatform.h"
#include "support/TestUtil.h"

#include "forms/ReversedScrollBar.h"
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

namespace {

const QString refusal = QStringLiteral(
    "Pole, mida küsida! Sisesta EDITORiga eelnevalt sõnad või ava eelnevalt salvestatud fail.");

void clickToolbar(Main* main, const QString& key) {
    QAction* action = main->Toolbar1->findChild<QAction*>(QStringLiteral("Toolbar1_") + key);
    QVERIFY(action);
    QWidget* button = main->Toolbar1->widgetForAction(action);
    QVERIFY(button);
    click(button);
}

struct Fixture {
    ProgramState state;
    FakePlatform platform;
    Forms forms{state, platform};
    Main* main = forms.show<Main>();
};

} // namespace

class TestMain : public QObject {
    Q_OBJECT
private slots:
    void startState() {
        Fixture f;
        Main* m = f.main;
        QCOMPARE(m->windowTitle(), QStringLiteral("Sonarix - Untitled.dic"));
        QCOMPARE(f.state.CurrentFile, untitledPath(QStringLiteral("/work/dir")));
        QVERIFY(m->Option1->isChecked() && !m->Option2->isChecked());
        QVERIFY(m->Option3->isChecked() && !m->Option4->isChecked());
        QVERIFY(!m->Check1->isChecked());
        QVERIFY(!m->VScroll1->isEnabled());
        QCOMPARE(m->VScroll1->value(), 0);
        QCOMPARE(m->Label2->text(), QString());
        QCOMPARE(m->Command1->text(), QStringLiteral("Editor"));
        QCOMPARE(m->nupptest->text(), QStringLiteral("Test"));
        QCOMPARE(m->Command2->text(), QStringLiteral("Exit"));
        QCOMPARE(m->Option1->text(), QStringLiteral("Võõrkeelt"));
        QCOMPARE(m->Label3->text(), QStringLiteral("Testi tüüp"));
    }

    void optionGroupsAreIndependent() {
        Fixture f;
        click(f.main->Option2);
        QVERIFY(f.main->Option2->isChecked() && !f.main->Option1->isChecked());
        QVERIFY(f.main->Option3->isChecked());
        click(f.main->Option4);
        QVERIFY(f.main->Option4->isChecked() && !f.main->Option3->isChecked());
        QVERIFY(f.main->Option2->isChecked());
    }

    void timeLimitFollowsTheScrollBar() {
        Fixture f;
        Main* m = f.main;
        // Disabled: clicks on the arrows change nothing.
        QTest::mouseClick(m->VScroll1, Qt::LeftButton, {}, QPoint(m->VScroll1->width() / 2, 2));
        QCOMPARE(m->VScroll1->value(), 0);

        click(m->Check1);
        QVERIFY(m->VScroll1->isEnabled());
        QCOMPARE(m->Label2->text(), QStringLiteral("  0 minutit ja  0 sekundit."));

        // The upper arrow raises the limit by one second, the lower one lowers it.
        const int x = m->VScroll1->width() / 2;
        QTest::mouseClick(m->VScroll1, Qt::LeftButton, {}, QPoint(x, 2));
        QCOMPARE(m->VScroll1->value(), 1);
        QCOMPARE(m->Label2->text(), QStringLiteral("  0 minutit ja  1 sekundit."));
        QTest::mouseClick(m->VScroll1, Qt::LeftButton, {}, QPoint(x, 2));
        QTest::mouseClick(m->VScroll1, Qt::LeftButton, {}, QPoint(x, m->VScroll1->height() - 3));
        QCOMPARE(m->VScroll1->value(), 1);

        // The up key raises the limit too; the top end is five minutes.
        QTest::keyClick(m->VScroll1, Qt::Key_Up);
        QCOMPARE(m->VScroll1->value(), 2);
        QTest::keyClick(m->VScroll1, Qt::Key_Home);
        QCOMPARE(m->VScroll1->value(), 300);
        QCOMPARE(m->Label2->text(), QStringLiteral("  5 minutit ja  0 sekundit."));

        click(m->Check1);
        QVERIFY(!m->VScroll1->isEnabled());
        QCOMPARE(m->Label2->text(), QString());
        // Ticking again shows the value kept meanwhile.
        click(m->Check1);
        QCOMPARE(m->Label2->text(), QStringLiteral("  5 minutit ja  0 sekundit."));
    }

    void testRefusesAnEmptyList() {
        Fixture f;
        f.state.ForeignWords[0] = QStringLiteral("dog"); // only the Estonian word decides
        click(f.main->nupptest);
        QCOMPARE(f.platform.messages.size(), 1);
        QCOMPARE(f.platform.messages[0].text, refusal);
        QCOMPARE(f.platform.messages[0].title, QStringLiteral("Sonarix"));
        QVERIFY(f.platform.messages[0].icon == MessageIcon::Critical);
        QVERIFY(!f.forms.find<Test>());

        f.state.EstonianWords[0] = QStringLiteral("koer");
        click(f.main->nupptest);
        QCOMPARE(f.platform.messages.size(), 1);
        QVERIFY(f.forms.find<Test>());
        QVERIFY(f.main->isVisible());
    }

    void toolbarLayout() {
        Fixture f;
        QStringList keys;
        for (QAction* action : f.main->Toolbar1->actions()) {
            keys << (action->isSeparator() ? QStringLiteral("|") : action->data().toString());
            if (!action->isSeparator()) {
                QCOMPARE(action->toolTip(), action->data().toString());
                QCOMPARE(action->icon().actualSize(QSize(16, 16)), QSize(16, 16));
            }
        }
        QCOMPARE(keys, (QStringList{"New", "Open", "Save", "|", "Edit", "Testime", "|", "Exit"}));
    }

    void toolbarDispatch() {
        Fixture f;
        clickToolbar(f.main, QStringLiteral("Testime"));
        QCOMPARE(f.platform.messages.size(), 1);
        QCOMPARE(f.platform.messages[0].text, refusal);

        clickToolbar(f.main, QStringLiteral("Edit"));
        QVERIFY(f.forms.find<Editor>());

        f.state.CurrentFile = QStringLiteral("/somewhere/words.dic");
        clickToolbar(f.main, QStringLiteral("New"));
        QCOMPARE(f.state.CurrentFile, untitledPath(QStringLiteral("/work/dir")));

        // Keys compare exactly: anything else does nothing.
        f.main->Toolbar1_ButtonClick(QStringLiteral("testime"));
        f.main->Toolbar1_ButtonClick(QStringLiteral("Exit "));
        QCOMPARE(f.platform.messages.size(), 1);
        QCOMPARE(f.platform.endCount, 0);

        clickToolbar(f.main, QStringLiteral("Exit"));
        QCOMPARE(f.platform.endCount, 1);
    }

    void exitButtonEndsWithNothingToLose() {
        Fixture f;
        click(f.main->Command2);
        QCOMPARE(f.platform.endCount, 1);
    }

    void menuLayout() {
        Fixture f;
        QStringList items;
        for (QAction* action : f.main->MFile->actions())
            items << (action->isSeparator() ? QStringLiteral("|") : action->text());
        QCOMPARE(items,
                 (QStringList{"&New", "|", "&Open...", "|", "&Save", "Save &As...", "|", "&Exit"}));
        QCOMPARE(f.main->MFile->title(), QStringLiteral("&File"));
        QCOMPARE(f.main->MAbout->text(), QStringLiteral("&About!"));
        QVERIFY(!f.main->MAbout->menu());
        QCOMPARE(f.main->menuBar->actions().size(), 2);
    }

    void loadingAnewResetsTheOptions() {
        Fixture f;
        f.forms.show<Editor>(); // keeps the program alive while the main window is away
        click(f.main->Option2);
        click(f.main->Option4);
        click(f.main->Check1);
        QTest::keyClick(f.main->VScroll1, Qt::Key_Home);
        f.state.NoticeAcknowledged = True;
        f.state.CurrentFile = QStringLiteral("/x/y.dic");
        f.forms.unload<Main>();
        QCOMPARE(f.platform.endCount, 0);

        Main* again = f.forms.show<Main>();
        QVERIFY(again->Option1->isChecked() && again->Option3->isChecked());
        QVERIFY(!again->Check1->isChecked());
        QCOMPARE(again->VScroll1->value(), 0);
        QVERIFY(!again->VScroll1->isEnabled());
        QCOMPARE(f.state.NoticeAcknowledged, False);
        QCOMPARE(f.state.CurrentFile, untitledPath(QStringLiteral("/work/dir")));
        QCOMPARE(again->windowTitle(), QStringLiteral("Sonarix - Untitled.dic"));
    }
};

QTEST_MAIN(TestMain)
#include "tst_main.moc"
