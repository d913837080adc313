#include "app/Main.h"
#include "editor/Editor.h"
#include "forms/Forms.h"
#include "forms/ReversedScrollBar.h"
#include "quiz/Test.h"
#include "state/ProgramState.h"
#include "support/FakePlatform.h"
#include "support/TestUtil.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

struct Fixture {
    ProgramState state;
    FakePlatform platform;
    Forms forms{state, platform};
    Main* main = forms.show<Main>();
};

class TestMain : public QObject {
    Q_OBJECT
private slots:
    // The upper arrow and the Up key raise the limit: five minutes at the top, none at the bottom.
    void startAndTimeLimit() {
        Fixture f;
        Main* m = f.main;
        ReversedScrollBar* bar = m->VScroll1;
        QCOMPARE(m->windowTitle(), QStringLiteral("Sonarix - Untitled.dic"));
        QCOMPARE(f.state.CurrentFile, untitledPath(QStringLiteral("/work/dir")));
        QVERIFY(m->Option1->isChecked() && m->Option3->isChecked() && !m->Check1->isChecked());
        QVERIFY(!bar->isEnabled() && m->Label2->text().isEmpty());
        click(m->Check1);
        QCOMPARE(m->Label2->text(), QStringLiteral("  0 minutit ja  0 sekundit."));
        QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() / 2, 2));
        QTest::keyClick(bar, Qt::Key_Up);
        QCOMPARE(m->Label2->text(), QStringLiteral("  0 minutit ja  2 sekundit."));
        QTest::keyClick(bar, Qt::Key_End);
        QCOMPARE(bar->value(), 0);
        QTest::keyClick(bar, Qt::Key_Home); // 300, less one by the Down key
        QTest::keyClick(bar, Qt::Key_Down);
        click(m->Check1);
        QVERIFY(!bar->isEnabled() && m->Label2->text().isEmpty());
        click(m->Check1); // the value kept meanwhile shows again
        QCOMPARE(m->Label2->text(), QStringLiteral("  4 minutit ja  59 sekundit."));
    }

    // Toolbar and big buttons do what the menu commands do. The quiz asks for an Estonian word.
    void buttons_data() {
        QTest::addColumn<QString>("effect");
        const char* rows[][2] = {{"Toolbar1_New", "new list"},    {"Toolbar1_Open", "open dialog"},
                                 {"Toolbar1_Save", "saved"},      {"Toolbar1_Edit", "editor"},
                                 {"Toolbar1_Testime", "refused"}, {"Toolbar1_Exit", "end"},
                                 {"Command1", "editor"},          {"nupptest", "refused"},
                                 {"nupptest koer", "quiz"},       {"Command2", "end"}};
        for (const auto& row : rows)
            QTest::newRow(row[0]) << QString(row[1]);
    }
    void buttons() {
        QFETCH(QString, effect);
        const QStringList tag = QString(QTest::currentDataTag()).split(' ');
        Fixture f;
        QTemporaryDir dir;
        const QString file = f.state.CurrentFile = dir.filePath(QStringLiteral("list.dic"));
        f.state.ForeignWords[0] = QStringLiteral("dog");
        f.state.EstonianWords[0] = tag.value(1);
        auto* action = f.main->Toolbar1->findChild<QAction*>(tag[0]);
        click(action ? f.main->Toolbar1->widgetForAction(action)
                     : f.main->findChild<QPushButton*>(tag[0]));

        QStringList seen{f.state.CurrentFile != file ? "new list" : "",
                         QFile::exists(file) ? "saved" : "", f.forms.find<Editor>() ? "editor" : "",
                         f.forms.find<Test>() ? "quiz" : "", f.platform.ended() ? "end" : ""};
        for (const auto& dialog : f.platform.dialogs)
            seen << (dialog.save ? "save dialog" : "open dialog");
        for (const auto& message : f.platform.messages)
            seen << (message.text.startsWith("Pole, mida küsida!") ? "refused" : message.text);
        seen.removeAll(QString());
        QCOMPARE(seen.join(','), effect);
    }
};

QTEST_MAIN(TestMain)
#include "tst_main.moc"
