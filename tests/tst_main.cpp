#include "app/About.h"
#include "app/Algus.h"
#include "app/Kassav.h"
#include "app/Main.h"
#include "editor/Editor.h"
#include "forms/Forms.h"
#include "forms/ReversedScrollBar.h"
#include "platform/QtPlatform.h"
#include "quiz/Test.h"
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
    Main* main = forms.show<Main>();
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
        QTest::mouseClick(bar, Qt::LeftButton, {}, arrow(bar, QStyle::SC_ScrollBarSubLine));
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

    // Up to 61 seconds by clicks on the up arrow (odd) or the Up key (even), five minutes by Home.
    void timeLimitText_data() {
        QTest::addColumn<int>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("0") << 0 << "  0 minutit ja  0 sekundit.";
        QTest::newRow("1") << 1 << "  0 minutit ja  1 sekundit.";
        QTest::newRow("59") << 59 << "  0 minutit ja  59 sekundit.";
        QTest::newRow("60") << 60 << "  1 minutit ja  0 sekundit.";
        QTest::newRow("61") << 61 << "  1 minutit ja  1 sekundit.";
        QTest::newRow("300") << 300 << "  5 minutit ja  0 sekundit.";
    }
    void timeLimitText() {
        QFETCH(int, seconds);
        QFETCH(QString, text);
        Fixture f;
        ReversedScrollBar* bar = f.main->VScroll1;
        click(f.main->Check1);
        if (seconds == 300)
            QTest::keyClick(bar, Qt::Key_Home);
        for (int k = 0; k < seconds && seconds < 300; ++k) {
            if (seconds % 2)
                QTest::mouseClick(bar, Qt::LeftButton, {}, arrow(bar, QStyle::SC_ScrollBarSubLine));
            else
                QTest::keyClick(bar, Qt::Key_Up);
        }
        QCOMPARE(f.main->Label2->text(), text);
        QCOMPARE(bar->value(), seconds);
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
        Main* m = f.main;
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("list.dic"));
        if (tag.value(1) != "untitled")
            f.state.CurrentFile = file;
        f.state.ForeignWords[0] = QStringLiteral("dog");
        f.state.EstonianWords[0] = tag.value(1) == "koer" ? tag[1] : QString();
        const QString before = f.state.CurrentFile;
        if (auto* action = m->Toolbar1->findChild<QAction*>(tag[0])) {
            click(m->Toolbar1->widgetForAction(action));
        } else if (auto* button = m->findChild<QPushButton*>(tag[0])) {
            click(button);
        } else {
            // Through the menu bar with the mouse, as a user picks a menu item.
            QAction* item = m->findChild<QAction*>(tag[0]);
            QVERIFY(item);
            const bool inFile = m->MFile->actions().contains(item);
            QAction* top = inFile ? m->MFile->menuAction() : item;
            QTest::mouseClick(m->menuBar, Qt::LeftButton, {},
                              m->menuBar->actionGeometry(top).center());
            if (inFile) {
                QTRY_VERIFY(m->MFile->isVisible());
                QTest::mouseClick(m->MFile, Qt::LeftButton, {},
                                  m->MFile->actionGeometry(item).center());
            }
        }

        QStringList seen{f.state.CurrentFile != before ? "new list" : "",
                         QFile::exists(file) ? "saved" : "",
                         f.forms.find<Editor>() ? "editor" : "",
                         f.forms.find<Test>() ? "quiz" : "",
                         f.platform.ended() ? "end" : "",
                         f.forms.find<About>() && !m->isVisible() ? "about" : ""};
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
        QTest::newRow("missing file") << "DIR/puudub.dic"
                                      << "DIR/puudub.dic";
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

    // Labels start at the top of their boxes; the menu bar keeps the system's menu font.
    void look_data() {
        QTest::addColumn<QString>("window");
        for (const char* window : {"Main", "Algus", "About", "Kassav"})
            QTest::newRow(window) << QString(window);
    }
    void look() {
        QFETCH(QString, window);
        Fixture f;
        QWidget* shown = window == "Algus"    ? static_cast<QWidget*>(f.forms.show<Algus>())
                         : window == "About"  ? static_cast<QWidget*>(f.forms.show<About>())
                         : window == "Kassav" ? static_cast<QWidget*>(f.forms.show<Kassav>())
                                              : f.main;
        settle();
        const auto labels = shown->findChildren<QLabel*>();
        QVERIFY(!labels.isEmpty());
        for (QLabel* label : labels)
            QVERIFY2((label->alignment() & Qt::AlignVertical_Mask) == Qt::AlignTop,
                     qPrintable(label->objectName()));
        if (window == "Main") {
            QCOMPARE(f.main->menuBar->font(), QApplication::font("QMenuBar"));
            QVERIFY(!f.main->MFile->font().bold());
        }
    }
};

QTEST_MAIN(TestMain)
#include "tst_main.moc"
