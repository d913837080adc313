// Windows unloaded while a dialog or message box is up: the quiz's time-out ends the test inside
// the dialog's own event loop, the results window unloads the quiz window, and the dialog (whose
// parent is that quiz window) must come through whole.
#include "app/MainWindow.h"
#include "forms/Forms.h"
#include "forms/ReversedScrollBar.h"
#include "platform/QtPlatform.h"
#include "quiz/QuizWindow.h"
#include "quiz/ResultsWindow.h"
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

// A quiz of one pair, so the first time-out ends the test, with a time limit of "seconds".
QuizWindow* startQuiz(ProgramState& state, Forms& forms, int seconds) {
    state.EstonianWords[0] = QStringLiteral("koer");
    state.ForeignWords[0] = QStringLiteral("dog");
    state.WordCount = 0;
    MainWindow* main = forms.show<MainWindow>();
    click(main->timeLimitCheck);
    main->timeLimitBar->setValue(seconds);
    click(main->testButton);
    return forms.find<QuizWindow>();
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
        QtPlatform platform;
        Forms forms(state, platform);
        QPointer<QuizWindow> test = startQuiz(state, forms, 1);
        QVERIFY(test);
        test->activateWindow(); // as the user leaves it
        QVERIFY(QTest::qWaitForWindowActive(test));
        QCOMPARE(QApplication::activeWindow(), test.data());

        // Closed once the time-out has ended the test behind it (after ten seconds: fails below).
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
            if (forms.find<ResultsWindow>() || waited.elapsed() > 10000) {
                quizAliveUnderDialog = !test.isNull();
                modal->close();
            }
        });
        closer.start(50);

        if (fileDialog)
            forms.find<MainWindow>()->openAction->trigger();
        else
            platform.message(QStringLiteral("Sonarix"), QStringLiteral("koer"), MessageIcon::None);
        closer.stop();

        QVERIFY(seenModal);
        QVERIFY(forms.find<ResultsWindow>());
        QVERIFY(!forms.find<QuizWindow>());
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
        QTest::addColumn<QString>("dialog");
        for (const char* dialog : {"open", "save as", "message", "nested"})
            QTest::newRow(dialog) << QString(dialog);
    }
    void timeOutUnderScriptedDialog() {
        QFETCH(QString, dialog);
        ProgramState state;
        FakePlatform platform;
        Forms forms(state, platform);
        QPointer<QuizWindow> test = startQuiz(state, forms, 3);
        QVERIFY(test);

        bool aliveInside = false;
        const std::function<void()> timeOut = [&] {
            platform.whileModal = nullptr;
            platform.advance(3000);
        };
        platform.whileModal = [&] {
            if (dialog == "nested") {
                // A message box inside the dialog: the test ends under both, and only the
                // outer one's return may let the quiz window go.
                platform.whileModal = timeOut;
                platform.message(QStringLiteral("Sonarix"), QString(), MessageIcon::None);
            } else {
                timeOut();
            }
            settle();
            aliveInside = !test.isNull() && !forms.find<QuizWindow>();
        };
        MainWindow* main = forms.find<MainWindow>();
        if (dialog == "open" || dialog == "nested")
            main->openAction->trigger();
        else if (dialog == "save as")
            main->saveAsAction->trigger();
        else
            platform.message(QStringLiteral("Sonarix"), QString(), MessageIcon::None);

        QVERIFY(aliveInside);
        QVERIFY(forms.find<ResultsWindow>());
        settle();
        QVERIFY(!test);
    }
};

QTEST_MAIN(TestModal)
#include "tst_modal.moc"
