// SPDX-License-Identifier: GPL-3.0-or-later
// The windows' life cycle, and the dialogs and message boxes they open: the real ones of
// QtPlatform under the offscreen platform, answered from inside their own event loop, and the
// fake platform's.
#include "app/MainWindow.h"
#include "forms/Forms.h"
#include "forms/ReversedScrollBar.h"
#include "platform/QtPlatform.h"
#include "quiz/QuizWindow.h"
#include "quiz/ResultsWindow.h"
#include "state/ProgramState.h"
#include "support/FakePlatform.h"
#include "support/TestUtil.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

class TestDialogs : public QObject {
    Q_OBJECT
private slots:
    // The quiz's time-out ends the test inside the dialog's own event loop, the results window
    // unloads the quiz window, and the dialog (whose parent is that quiz window, the active
    // window) must come through whole.
    void timeOutUnderDialog_data() {
        QTest::addColumn<bool>("open"); // else a message box
        QTest::newRow("open dialog") << true;
        QTest::newRow("message box") << false;
    }
    void timeOutUnderDialog() {
        QFETCH(bool, open);
        ProgramState state;
        QtPlatform platform;
        Forms forms(state, platform);
        setPairs(state, {QStringLiteral("koer|dog")}); // one pair: the first time-out ends the test
        MainWindow* main = forms.show<MainWindow>();
        click(main->timeLimitCheck);
        main->timeLimitBar->setValue(1);
        click(main->testButton);
        QPointer<QuizWindow> test = forms.find<QuizWindow>();
        QVERIFY(test);
        test->activateWindow(); // as the user leaves it
        QVERIFY(QTest::qWaitForWindowActive(test));

        // Closed once the time-out has ended the test behind it (after ten seconds: fails).
        // Unloaded inside the dialog's loop, the quiz window must live on until it is gone.
        bool aliveInside = false;
        QElapsedTimer waited;
        waited.start();
        QTimer closer;
        connect(&closer, &QTimer::timeout, this, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal && (forms.find<ResultsWindow>() || waited.elapsed() > 10000)) {
                aliveInside = !test.isNull() && !forms.find<QuizWindow>();
                modal->close();
            }
        });
        closer.start(50);
        if (open)
            main->openAction->trigger();
        else
            platform.message(QStringLiteral("Sonarix"), QStringLiteral("koer"), MessageIcon::None);
        closer.stop();
        QVERIFY(aliveInside);
        QVERIFY(forms.find<ResultsWindow>() && !forms.find<QuizWindow>());
        settle();
        QVERIFY(!test);
        QVERIFY(state.AnsweredCount == 1 && state.WrongCount == 1);
    }

    // A box inside a box: only the outer one's return hands the unloaded windows over.
    void nestedBoxes() {
        FakePlatform platform;
        int handedOver = 0;
        platform.setModalEndedHandler([&] { ++handedOver; });
        platform.whileModal = [&] {
            platform.whileModal = nullptr;
            platform.message(QString(), QString(), MessageIcon::None);
            QCOMPARE(handedOver, 0);
        };
        platform.message(QString(), QString(), MessageIcon::None);
        QCOMPARE(handedOver, 1);
    }

    // The real dialogs and message box of QtPlatform under the offscreen platform, answered by a
    // timer from inside their own event loop, as a user would answer them.
    // A file dialog starts in a fresh folder DIR with the name vana.dic preset. typed: what the
    // user types into the name box before Enter (a missing file is taken: the program tells the
    // user itself what is wrong with it); "<keep>" presses Enter on the preset name,
    // "<cancel>" presses Esc. An empty path means cancelled. A message shows its text as written,
    // even a file name that looks like markup.
    void dialogs_data() {
        QTest::addColumn<QString>("kind"); // open, save or message
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("typed");   // a message: its text
        QTest::addColumn<QString>("offered"); // the filters, by ";"
        QTest::addColumn<QString>("chosen");  // a message: the text read out
        const QString dic = "Sonarix's Files (*.dic) |*.dic|",
                      dicOffered = "Sonarix's Files (*.dic)";
        row("open a missing file", "open", dic, "sõnad.dic", dicOffered, "DIR/sõnad.dic");
        row("open, two filters", "open", "Sõnastikud|*.dic|Tekst (*.txt)|*.txt|", "a.txt",
            "Sõnastikud (*.dic);Tekst (*.txt)", "DIR/a.txt");
        row("open a name without extension", "open", dic, "uus", dicOffered, "DIR/uus.dic");
        row("save the preset name", "save", dic, "<keep>", dicOffered, "DIR/vana.dic");
        row("cancelled", "open", dic, "<cancel>", "", "");
        const QString markup = "ERROR 53: Seda faili pole./a/<b>x</b>&lt;.dic";
        row("message", "message", "", markup, "", markup);
    }
    void dialogs() {
        QFETCH(QString, kind);
        QFETCH(QString, filter);
        QFETCH(QString, typed);
        QFETCH(QString, offered);
        QFETCH(QString, chosen);
        QTemporaryDir dir;
        const QString preset = dir.filePath(u"vana.dic"_s);
        const QString path = chosen.replace(u"DIR"_s, dir.path());
        FileDialogSettings settings{filter, u".dic"_s, preset};

        QWidget* seen = nullptr;
        int ticks = 0;
        QStringList filters;
        QString shown;
        QFileDialog::AcceptMode mode = QFileDialog::AcceptOpen;
        QTimer answer;
        connect(&answer, &QTimer::timeout, this, [&] {
            QWidget* box = QApplication::activeModalWidget();
            if (!box || (box == seen && ++ticks < 200))
                return;
            if (box == seen) // still up long after its answer: the test fails, but ends
                return void(box->close());
            seen = box;
            if (auto* label = box->findChild<QLabel*>(u"qt_msgbox_label"_s)) {
                shown = QAccessible::queryAccessibleInterface(label)->text(QAccessible::Name);
                return QTest::keyClick(box, Qt::Key_Return);
            }
            auto* dialog = qobject_cast<QFileDialog*>(box);
            auto* edit = box->findChild<QLineEdit*>(u"fileNameEdit"_s);
            if (typed == u"<cancel>"_s || !dialog || !edit)
                return QTest::keyClick(box, Qt::Key_Escape);
            filters = dialog->nameFilters();
            mode = dialog->acceptMode();
            if (typed != u"<keep>"_s) {
                edit->selectAll();
                typeText(edit, typed);
            }
            QTest::keyClick(edit, Qt::Key_Return);
        });
        answer.start(20);
        QtPlatform platform;
        if (kind == u"message"_s) {
            platform.message(u"Sonarix"_s, typed, MessageIcon::Critical);
            QCOMPARE(shown, path);
            return;
        }
        const FileDialogResult result = kind == u"save"_s ? platform.saveFileDialog(settings)
                                                          : platform.openFileDialog(settings);

        QVERIFY(seen);
        QCOMPARE(mode, kind == u"save"_s ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        QCOMPARE(filters.join(u';'), offered);
        QCOMPARE(result.cancelled, path.isEmpty());
        QCOMPARE(result.path, QDir::toNativeSeparators(path));
        QCOMPARE(result.name, QFileInfo(path).fileName());
        // The next dialog starts from the last choice; a cancel leaves the preset as it was.
        QCOMPARE(settings.fileName, path.isEmpty() ? preset : QDir::toNativeSeparators(path));
    }
};

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
