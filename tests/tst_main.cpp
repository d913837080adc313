// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AboutWindow.h"
#include "app/MainWindow.h"
#include "editor/EditorWindow.h"
#include "forms/Forms.h"
#include "forms/ReversedScrollBar.h"
#include "platform/QtPlatform.h"
#include "quiz/QuizWindow.h"
#include "state/ProgramState.h"
#include "support/FakePlatform.h"
#include "support/TestUtil.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFileDialog>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>

using namespace Qt::StringLiterals;

namespace {

// Runs `open`, which brings up a real dialog or message box, and works that box with `work` once
// it is up; what is still up after three seconds is rejected, so a failure cannot hang the test.
void whileUp(const std::function<void(QWidget*)>& work, const std::function<void()>& open) {
    QTimer timer;
    int ticks = 0;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        QWidget* box = QApplication::activeModalWidget();
        if (box && ticks++ == 0)
            QTimer::singleShot(0, box, [&work, box] { work(box); });
        else if (auto* dialog = qobject_cast<QDialog*>(box); dialog && ticks > 150)
            dialog->reject();
    });
    timer.start(20);
    open();
}

} // namespace

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
        row("0", {}, 0);
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

    // Every menu item, toolbar button and big button reaches its own command. The quiz asks for
    // an Estonian word; "untitled" rows start without a file.
    void buttons_data() {
        QTest::addColumn<QString>("effect");
        for (const QString& row :
             u"Toolbar1_New:new list,Toolbar1_Open:open dialog,Toolbar1_Save:saved,"
             "Toolbar1_Edit:editor,Toolbar1_Testime:refused,Toolbar1_Testime koer:quiz,"
             "Toolbar1_Exit:end,Command1:editor,nupptest:refused,nupptest koer:quiz,Command2:end,"
             "MFNew:new list,MFOpen:open dialog,MFSave untitled:save dialog,"
             "MFSaveAs:save dialog,MFExit koer:end,MAbout:about"_s.split(u','))
            QTest::newRow(qPrintable(row.section(u':', 0, 0))) << row.section(u':', 1);
    }
    void buttons() {
        QFETCH(QString, effect);
        const QStringList tag = QString(QTest::currentDataTag()).split(' ');
        Program f;
        QTemporaryDir dir;
        const QString file = dir.filePath(u"list.dic"_s);
        if (tag.value(1) != "untitled")
            f.state.CurrentFile = file;
        f.state.ForeignWords[0] = u"dog"_s;
        f.state.EstonianWords[0] = tag.value(1) == "koer" ? tag[1] : QString();
        const QString before = f.state.CurrentFile;
        if (auto* action = f.main->toolBar->findChild<QAction*>(tag[0]))
            click(f.main->toolBar->widgetForAction(action));
        else if (auto* button = f.main->findChild<QPushButton*>(tag[0]))
            click(button);
        else
            f.main->findChild<QAction*>(tag[0])->trigger();
        QStringList seen{f.state.CurrentFile != before ? "new list" : "",
                         QFile::exists(file) ? "saved" : "",
                         f.forms.find<EditorWindow>() ? "editor" : "",
                         f.forms.find<QuizWindow>() ? "quiz" : "",
                         f.platform.ended() ? "end" : "",
                         f.forms.find<AboutWindow>() && !f.main->isVisible() ? "about" : ""};
        for (const auto& dialog : f.platform.dialogs)
            seen << (dialog.save ? "save dialog" : "open dialog");
        for (const auto& message : f.platform.messages)
            seen << (message.text.startsWith("Pole, mida küsida!") ? "refused" : message.text);
        seen.removeAll(QString());
        QCOMPARE(seen.join(','), effect);
    }

    // The real Open dialog hands any typed name to the program, which tells the user itself what
    // is wrong with it; a name without an extension gets ".dic".
    void openDialogTakesTypedNames_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("path");
        QTest::newRow("missing folder") << "DIR/pole/puudub.dic"
                                        << "DIR/pole/puudub.dic";
        QTest::newRow("no extension") << "DIR/puudub"
                                      << "DIR/puudub.dic";
    }
    void openDialogTakesTypedNames() {
        QFETCH(QString, typed);
        QFETCH(QString, path);
        QTemporaryDir dir;
        typed.replace("DIR", dir.path());
        path = QDir::toNativeSeparators(path.replace("DIR", dir.path()));
        QtPlatform platform;
        FileDialogSettings settings{u"Sonarix's Files (*.dic) |*.dic|"_s, u".dic"_s, QString()};
        FileDialogResult result;
        whileUp(
            [&](QWidget* box) {
                auto* edit = box->findChild<QLineEdit*>(u"fileNameEdit"_s);
                QVERIFY(qobject_cast<QFileDialog*>(box) && edit);
                edit->setFocus();
                QTest::keyClicks(edit, typed);
                QTest::keyClick(edit, Qt::Key_Return);
            },
            [&] { result = platform.openFileDialog(settings); });
        QVERIFY(!result.cancelled);
        QCOMPARE(result.path, path);
        QCOMPARE(result.name, u"puudub.dic"_s);
        QCOMPARE(settings.fileName, path);
    }

    // The real message box shows its text as written, even a file name that looks like markup.
    void messageTextIsPlain() {
        const QString text = u"ERROR 53: Seda faili pole./a/<b>x</b>&lt;.dic"_s;
        QtPlatform platform;
        QString shown;
        whileUp(
            [&](QWidget* box) {
                auto* label = box->findChild<QLabel*>(u"qt_msgbox_label"_s);
                QVERIFY(qobject_cast<QMessageBox*>(box) && label);
                shown = QAccessible::queryAccessibleInterface(label)->text(QAccessible::Name);
                QTest::keyClick(box, Qt::Key_Return);
            },
            [&] { platform.message(u"Sonarix"_s, text, MessageIcon::Critical); });
        QCOMPARE(shown, text);
    }
};

QTEST_MAIN(TestMain)
#include "tst_main.moc"
