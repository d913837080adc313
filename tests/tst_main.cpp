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
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <functional>

struct Fixture {
    ProgramState state;
    FakePlatform platform;
    Forms forms{state, platform};
    MainWindow* main = forms.show<MainWindow>();
};

namespace {

QPoint arrow(ReversedScrollBar* bar, QStyle::SubControl which) {
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.orientation = Qt::Vertical;
    return bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, which, bar).center();
}

// Runs `open`, which brings up a real dialog or message box, and works that box with `work` once
// it is up. Whatever is still up after a while is closed, so a failure cannot hang the test.
void whileUp(const std::function<void(QWidget*)>& work, const std::function<void()>& open) {
    QTimer timer;
    timer.setInterval(20);
    bool worked = false;
    int ticks = 0;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        QWidget* box = QApplication::activeModalWidget();
        if (!box)
            return;
        if (!worked) {
            worked = true;
            // Apart from this timer, which must go on ticking should the work open a box.
            QTimer::singleShot(0, box, [&work, box] { work(box); });
        } else if (++ticks > 150) {
            if (auto* dialog = qobject_cast<QDialog*>(box))
                dialog->reject();
        }
    });
    timer.start();
    open();
}

} // namespace

class TestMain : public QObject {
    Q_OBJECT
private slots:
    // The upper arrow, the Up key and "increase" raise the limit: five minutes at the top, none at
    // the bottom, and a screen reader hears it in seconds. Switched off, the limit shows nothing
    // and takes no change; switched on again, it shows the value kept meanwhile.
    void startAndTimeLimit_data() {
        QTest::addColumn<QStringList>("steps"); // "up/down arrow", "set N", an action or a key
        QTest::addColumn<int>("seconds");
        QTest::addColumn<QString>("text");
        // The label: minutes and seconds, each after two blanks; nothing while the limit is off.
        const auto row = [](const char* name, const QStringList& steps, int s, bool on = true) {
            const QString text("  %1 minutit ja  %2 sekundit.");
            QTest::newRow(name) << steps << s << (on ? text.arg(s / 60).arg(s % 60) : QString());
        };
        row("0", {}, 0);
        row("1", {"up arrow"}, 1);
        row("arrow, Up", {"up arrow", "Up"}, 2);
        row("59", QStringList(59, "up arrow"), 59);
        row("60 by Up", QStringList(60, "Up"), 60);
        row("61", QStringList(61, "up arrow"), 61);
        row("Home", {"Home"}, 300);
        row("down arrow from the top", {"Home", "down arrow"}, 299);
        row("arrow, Up, End", {"up arrow", "Up", "End"}, 0);
        row("limit off", {"Home", "Check1"}, 300, false);
        row("Home, Down, off, on", {"Home", "Down", "Check1", "Check1"}, 299);
        row("no change while off", {"Check1", "set 59", "increase", "Check1"}, 0);
        row("set to 59", {"set 59"}, 59);
        row("set past the bottom", {"set -5"}, 0);
        row("set past the top", {"set 301"}, 300);
        row("increase", {"increase", "increase"}, 2);
        row("decrease", {"set 60", "decrease"}, 59);
        row("decrease at the bottom", {"decrease"}, 0);
    }
    void startAndTimeLimit() {
        QFETCH(QStringList, steps);
        QFETCH(int, seconds);
        QFETCH(QString, text);
        Fixture f;
        MainWindow* m = f.main;
        ReversedScrollBar* bar = m->timeLimitBar;
        QCOMPARE(m->windowTitle(), QStringLiteral("Sonarix - Untitled.dic"));
        QCOMPARE(f.state.CurrentFile, untitledPath(QStringLiteral("/work/dir")));
        QVERIFY(m->askForeignOption->isChecked() && m->typedAnswersOption->isChecked() &&
                !m->timeLimitCheck->isChecked());
        QVERIFY(!bar->isEnabled() && m->timeLimitLabel->text().isEmpty());
        // The menu bar keeps the system's menu font.
        QCOMPARE(m->menuBar->font(), QApplication::font("QMenuBar"));
        QVERIFY(!m->fileMenu->font().bold());
        click(m->timeLimitCheck);
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(bar);
        QVERIFY(face && face->valueInterface() && face->actionInterface());
        QAccessibleValueInterface* value = face->valueInterface();
        QCOMPARE(face->role(), QAccessible::ScrollBar);
        QCOMPARE(
            (QVariantList{value->minimumValue(), value->maximumValue(), value->minimumStepSize()}),
            (QVariantList{0, 300, 1}));
        const QStringList actions = face->actionInterface()->actionNames();
        QVERIFY(actions.contains(QAccessibleActionInterface::increaseAction()));
        QVERIFY(actions.contains(QAccessibleActionInterface::decreaseAction()));
        for (const QString& step : steps) {
            if (step.endsWith(" arrow"))
                QTest::mouseClick(bar, Qt::LeftButton, {},
                                  arrow(bar, step == "up arrow" ? QStyle::SC_ScrollBarSubLine
                                                                : QStyle::SC_ScrollBarAddLine));
            else if (step == "Check1")
                click(m->timeLimitCheck);
            else if (step.startsWith("set "))
                value->setCurrentValue(step.mid(4).toInt());
            else if (step.endsWith("crease"))
                face->actionInterface()->doAction(
                    step == "increase" ? QAccessibleActionInterface::increaseAction()
                                       : QAccessibleActionInterface::decreaseAction());
            else
                QTest::keyClick(bar, QKeySequence(step)[0].key());
        }
        QCOMPARE(m->timeLimitLabel->text(), text);
        QCOMPARE(bar->value(), seconds);
        QCOMPARE(value->currentValue().toInt(), seconds);
        QCOMPARE(bar->isEnabled(), !text.isEmpty());
    }

    // Every menu item, toolbar button and big button reaches its own command. The quiz asks for
    // an Estonian word; "untitled" rows start without a file.
    void buttons_data() {
        QTest::addColumn<QString>("effect");
        const char* rows[][2] = {{"Toolbar1_New", "new list"},
                                 {"Toolbar1_Open", "open dialog"},
                                 {"Toolbar1_Save", "saved"},
                                 {"Toolbar1_Edit", "editor"},
                                 {"Toolbar1_Testime", "refused"},
                                 {"Toolbar1_Testime koer", "quiz"},
                                 {"Toolbar1_Exit", "end"},
                                 {"Command1", "editor"},
                                 {"nupptest", "refused"},
                                 {"nupptest koer", "quiz"},
                                 {"Command2", "end"},
                                 {"MFNew", "new list"},
                                 {"MFOpen", "open dialog"},
                                 {"MFSave untitled", "save dialog"},
                                 {"MFSaveAs", "save dialog"},
                                 {"MFExit koer", "end"},
                                 {"MAbout", "about"}};
        for (const auto& row : rows)
            QTest::newRow(row[0]) << QString(row[1]);
    }
    void buttons() {
        QFETCH(QString, effect);
        const QStringList tag = QString(QTest::currentDataTag()).split(' ');
        Fixture f;
        MainWindow* m = f.main;
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("list.dic"));
        if (tag.value(1) != "untitled")
            f.state.CurrentFile = file;
        f.state.ForeignWords[0] = QStringLiteral("dog");
        f.state.EstonianWords[0] = tag.value(1) == "koer" ? tag[1] : QString();
        const QString before = f.state.CurrentFile;
        if (auto* action = m->toolBar->findChild<QAction*>(tag[0])) {
            click(m->toolBar->widgetForAction(action));
        } else if (auto* button = m->findChild<QPushButton*>(tag[0])) {
            click(button);
        } else {
            // Through the menu bar with the mouse, as a user picks a menu item.
            QAction* item = m->findChild<QAction*>(tag[0]);
            QVERIFY(item);
            const bool inFile = m->fileMenu->actions().contains(item);
            QAction* top = inFile ? m->fileMenu->menuAction() : item;
            QTest::mouseClick(m->menuBar, Qt::LeftButton, {},
                              m->menuBar->actionGeometry(top).center());
            if (inFile) {
                QTRY_VERIFY(m->fileMenu->isVisible());
                QTest::mouseClick(m->fileMenu, Qt::LeftButton, {},
                                  m->fileMenu->actionGeometry(item).center());
            }
        }

        QStringList seen{f.state.CurrentFile != before ? "new list" : "",
                         QFile::exists(file) ? "saved" : "",
                         f.forms.find<EditorWindow>() ? "editor" : "",
                         f.forms.find<QuizWindow>() ? "quiz" : "",
                         f.platform.ended() ? "end" : "",
                         f.forms.find<AboutWindow>() && !m->isVisible() ? "about" : ""};
        for (const auto& dialog : f.platform.dialogs)
            seen << (dialog.save ? "save dialog" : "open dialog");
        for (const auto& message : f.platform.messages)
            seen << (message.text.startsWith("Pole, mida küsida!") ? "refused" : message.text);
        seen.removeAll(QString());
        QCOMPARE(seen.join(','), effect);
    }

    // The Open dialog hands any typed name to the program, which tells the user itself what is
    // wrong with it, and starts again.
    void openDialogTakesTypedNames_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("path");
        const auto row = [](const char* name, const char* typed, const char* path = nullptr) {
            QTest::newRow(name) << QString(typed) << QString(path ? path : typed);
        };
        row("missing file", "DIR/puudub.dic");
        row("missing folder", "DIR/pole/puudub.dic");
        row("no extension", "DIR/puudub", "DIR/puudub.dic");
    }
    void openDialogTakesTypedNames() {
        QFETCH(QString, typed);
        QFETCH(QString, path);
        QTemporaryDir dir;
        typed.replace("DIR", dir.path());
        path = QDir::toNativeSeparators(path.replace("DIR", dir.path()));
        QtPlatform platform;
        FileDialogSettings settings{QStringLiteral("Sonarix's Files (*.dic) |*.dic|"),
                                    QStringLiteral(".dic"), QString()};
        FileDialogResult result;
        whileUp(
            [&](QWidget* box) {
                auto* edit = box->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
                QVERIFY(qobject_cast<QFileDialog*>(box) && edit);
                edit->setFocus();
                QTest::keyClicks(edit, typed);
                QTest::keyClick(edit, Qt::Key_Return);
            },
            [&] { result = platform.openFileDialog(settings); });
        QVERIFY(!result.cancelled);
        QCOMPARE(result.path, path);
        QCOMPARE(result.name, QStringLiteral("puudub.dic"));
        QCOMPARE(settings.fileName, path);
    }

    // A message is shown as written, even when a file name in it looks like markup.
    void messageTextIsPlain() {
        const QString text = QStringLiteral("ERROR 53: Seda faili pole./a/<b>x</b>&lt;.dic");
        QtPlatform platform;
        QString shown;
        whileUp(
            [&](QWidget* box) {
                auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
                QVERIFY(qobject_cast<QMessageBox*>(box) && label);
                shown = QAccessible::queryAccessibleInterface(label)->text(QAccessible::Name);
                QTest::keyClick(box, Qt::Key_Return);
            },
            [&] { platform.message(QStringLiteral("Sonarix"), text, MessageIcon::Critical); });
        QCOMPARE(shown, text);
    }
};

QTEST_MAIN(TestMain)
#include "tst_main.moc"
