// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MainWindow.h"
#include "editor/EditorWindow.h"
#include "forms/Forms.h"
#include "forms/ReversedScrollBar.h"
#include "quiz/QuizWindow.h"
#include "state/ProgramState.h"
#include "support/FakePlatform.h"
#include "support/TestUtil.h"

#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QKeySequence>
#include <QLabel>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

using namespace Qt::StringLiterals;

class TestMain : public QObject {
    Q_OBJECT
private slots:
    // The Up key and "increase" raise the limit, five minutes at most; the label says it in
    // minutes and seconds. Switched off, the limit shows nothing and takes no change; switched on
    // again, it shows the value kept meanwhile.
    void timeLimit_data() {
        QTest::addColumn<QStringList>("steps"); // "set N", an accessible action or a key
        QTest::addColumn<int>("seconds");
        QTest::addColumn<QString>("text");
        const auto row = [](const char* name, const QStringList& steps, int s, bool on = true) {
            const QString text("  %1 minutit ja  %2 sekundit.");
            QTest::newRow(name) << steps << s << (on ? text.arg(s / 60).arg(s % 60) : QString());
        };
        row("Up twice", {"Up", "Up"}, 2);
        row("61 by increase", QStringList(61, "increase"), 61);
        row("set past the top", {"set 301"}, 300);
        row("set past the bottom", {"set -5"}, 0);
        row("decrease", {"set 60", "decrease"}, 59);
        row("limit off", {"set 300", "Check1"}, 300, false);
        row("off and on", {"set 299", "Check1", "Check1"}, 299);
        row("no change while off", {"Check1", "set 59", "increase", "Up", "Check1"}, 0);
    }
    void timeLimit() {
        QFETCH(QStringList, steps);
        QFETCH(int, seconds);
        QFETCH(QString, text);
        Program f;
        MainWindow* m = f.main;
        QVERIFY(m->askForeignOption->isChecked() && m->typedAnswersOption->isChecked());
        QVERIFY(!m->timeLimitBar->isEnabled() && m->timeLimitLabel->text().isEmpty());
        click(m->timeLimitCheck);
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(m->timeLimitBar);
        for (const QString& step : steps) {
            if (step == u"Check1"_s)
                click(m->timeLimitCheck);
            else if (step.startsWith(u"set "_s))
                face->valueInterface()->setCurrentValue(step.mid(4).toInt());
            else if (step.endsWith(u"crease"_s))
                face->actionInterface()->doAction(
                    step == u"increase"_s ? QAccessibleActionInterface::increaseAction()
                                          : QAccessibleActionInterface::decreaseAction());
            else
                QTest::keyClick(m->timeLimitBar, QKeySequence(step)[0].key());
        }
        QCOMPARE(m->timeLimitLabel->text(), text);
        QCOMPARE(face->valueInterface()->currentValue().toInt(), seconds);
        QCOMPARE(m->timeLimitBar->isEnabled(), !text.isEmpty());
    }

    // Every toolbar button, and Exit in the menu, reaches its own command; the quiz asks for an
    // Estonian word. (The other menu items and the big buttons are worked by the suites of their
    // commands.)
    void buttons_data() {
        QTest::addColumn<QString>("effect");
        for (const QString& row :
             u"Toolbar1_New:new list,Toolbar1_Open:open dialog,Toolbar1_Save:saved,"
             "Toolbar1_Edit:editor,Toolbar1_Testime:refused,Toolbar1_Testime koer:quiz,"
             "Toolbar1_Exit:end,MFExit koer:end"_s.split(u','))
            QTest::newRow(qPrintable(row.section(u':', 0, 0))) << row.section(u':', 1);
    }
    void buttons() {
        QFETCH(QString, effect);
        const QStringList tag = QString(QTest::currentDataTag()).split(' ');
        Program f;
        const QString file = f.file(u"list.dic"_s);
        f.state.CurrentFile = file;
        f.state.ForeignWords[0] = u"dog"_s;
        f.state.EstonianWords[0] = tag.value(1);
        if (auto* action = f.main->toolBar->findChild<QAction*>(tag[0]))
            click(f.main->toolBar->widgetForAction(action));
        else
            f.main->findChild<QAction*>(tag[0])->trigger();
        QStringList seen{f.state.CurrentFile != file ? "new list" : "",
                         QFile::exists(file) ? "saved" : "",
                         f.forms.find<EditorWindow>() ? "editor" : "",
                         f.forms.find<QuizWindow>() ? "quiz" : "", f.platform.ended() ? "end" : ""};
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
