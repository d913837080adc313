// Windows unloaded while a dialog or message box is up: the quiz's time-out ends the test inside
// the dialog's own event loop, the results window unloads the quiz window, and the dialog (whose
// parent is that quiz window) must come through whole.
#include "app/Main.h"
#include "forms/Forms.h"
#include "forms/ReversedScrollBar.h"
#include "platform/QtPlatform.h"
#include "quiz/Test.h"
#include "quiz/Tulemus.h"
#include "state/ProgramState.h"
#include "support/FakePlatform.h"
#include "support/TestUtil.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

// One pair, so the first time-out ends the test.
void oneWord(ProgramState& state) {
    state.EstonianWords[0] = QStringLiteral("koer");
    state.ForeignWords[0] = QStringLiteral("dog");
    state.WordCount = 0;
}

// A quiz window with a time limit of one second, active, as the user leaves it.
Test* startTimedQuiz(Forms& forms) {
    Main* main = forms.show<Main>();
    click(main->Check1);
    main->VScroll1->setValue(1);
    click(main->nupptest);
    Test* test = forms.find<Test>();
    if (test) {
        test->activateWindow();
        if (!QTest::qWaitForWindowActive(test))
            return nullptr;
    }
    return test;
}

} // namespace

class TestModal : public QObject {
    Q_OBJECT
private slots:
    // The real dialogs: the quiz window is the active window, so it becomes their parent.
    void timeOutUnderRealDialog_data() {
        QTest::addColumn<bool>("fileDialog");
        QTest::newRow("file dialog") << true;
        QTest::newRow("message box") << false;
    }
    void timeOutUnderRealDialog() {
        QFETCH(bool, fileDialog);
        ProgramState state;
        oneWord(state);
        QtPlatform platform;
        Forms forms(state, platform);
        QPointer<Test> test = startTimedQuiz(forms);
        QVERIFY(test);
        QCOMPARE(QApplication::activeWindow(), test.data());

        // The dialog is closed once the time-out has ended the test behind it (or after ten
        // seconds, which then fails below).
        QWidget* seenModal = nullptr;
        bool quizAliveUnderDialog = false;
        QTimer closer;
        QElapsedTimer waited;
        waited.start();
        connect(&closer, &QTimer::timeout, this, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal)
                return;
            seenModal = modal;
            if (forms.find<Tulemus>() || waited.elapsed() > 10000) {
                quizAliveUnderDialog = !test.isNull();
                modal->close();
            }
        });
        closer.start(50);

        if (fileDialog)
            forms.find<Main>()->MFOpen->trigger();
        else
            platform.message(QStringLiteral("Sonarix"), QStringLiteral("koer"), MessageIcon::None);
        closer.stop();

        QVERIFY(seenModal);
        QVERIFY(forms.find<Tulemus>());
        QVERIFY(!forms.find<Test>());
        // Unloaded inside the dialog's loop, the quiz window lived until the dialog was gone.
        QVERIFY(quizAliveUnderDialog);
        settle();
        QVERIFY(!test);
        QCOMPARE(state.AnsweredCount, qint16(1));
        QCOMPARE(state.WrongCount, qint16(1));
    }

    // The same with the fake platform: time passes while the scripted dialog is up, and the
    // dialog's loop deletes what is due, as a real one does.
    void timeOutUnderScriptedDialog_data() {
        QTest::addColumn<int>("dialog");
        QTest::newRow("open") << 0;
        QTest::newRow("save as") << 1;
        QTest::newRow("message") << 2;
        QTest::newRow("nested") << 3;
    }
    void timeOutUnderScriptedDialog() {
        QFETCH(int, dialog);
        ProgramState state;
        oneWord(state);
        FakePlatform platform;
        Forms forms(state, platform);
        Main* main = forms.show<Main>();
        click(main->Check1);
        main->VScroll1->setValue(3);
        click(main->nupptest);
        QPointer<Test> test = forms.find<Test>();
        QVERIFY(test);

        bool aliveInside = false;
        platform.whileModal = [&] {
            platform.whileModal = nullptr;
            if (dialog == 3) {
                // A message box inside the dialog: the test ends under both, and only the
                // outer one's return may let the quiz window go.
                platform.whileModal = [&] {
                    platform.whileModal = nullptr;
                    platform.advance(3000);
                };
                platform.message(QStringLiteral("Sonarix"), QString(), MessageIcon::None);
            } else {
                platform.advance(3000);
            }
            settle();
            aliveInside = !test.isNull() && !forms.find<Test>();
        };
        if (dialog == 0 || dialog == 3)
            main->MFOpen->trigger();
        else if (dialog == 1)
            main->MFSaveAs->trigger();
        else
            platform.message(QStringLiteral("Sonarix"), QString(), MessageIcon::None);

        QVERIFY(aliveInside);
        QVERIFY(forms.find<Tulemus>());
        settle();
        QVERIFY(!test);
    }
};

QTEST_MAIN(TestModal)
#include "tst_modal.moc"
