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
    // "real": the real dialogs, whose parent is the quiz window since it is the active window.
    // Otherwise the fake platform: time passes while the scripted dialog is up, and the dialog's
    // loop deletes what is due, as a real one does.
    void timeOutUnderDialog_data() {
        QTest::addColumn<QString>("dialog");
        for (const char* dialog :
             {"real open", "real message", "open", "save as", "message", "nested"})
            QTest::newRow(dialog) << QString(dialog);
    }
    void timeOutUnderDialog() {
        QFETCH(QString, dialog);
        const bool real = dialog.startsWith("real ");
        dialog.remove("real ");
        ProgramState state;
        QtPlatform qtPlatform;
        FakePlatform fake;
        Platform& platform = real ? static_cast<Platform&>(qtPlatform) : fake;
        Forms forms(state, platform);
        QPointer<QuizWindow> test = startQuiz(state, forms, real ? 1 : 3);
        QVERIFY(test);

        // The time-out unloads the quiz window inside the dialog's loop; it must live on until
        // the dialog is gone.
        bool aliveInside = false;
        const auto unloadedButAlive = [&] { return !test.isNull() && !forms.find<QuizWindow>(); };
        QWidget* seenModal = nullptr;
        const std::function<void()> timeOut = [&] {
            fake.whileModal = nullptr;
            fake.advance(3000);
        };
        QTimer closer;
        QElapsedTimer waited;
        if (real) {
            test->activateWindow(); // as the user leaves it
            QVERIFY(QTest::qWaitForWindowActive(test));
            QCOMPARE(QApplication::activeWindow(), test.data());
            // Closed once the time-out has ended the test behind it (after ten seconds: fails).
            waited.start();
            connect(&closer, &QTimer::timeout, this, [&] {
                QWidget* modal = QApplication::activeModalWidget();
                if (!modal)
                    return;
                seenModal = modal;
                if (forms.find<ResultsWindow>() || waited.elapsed() > 10000) {
                    aliveInside = unloadedButAlive();
                    modal->close();
                }
            });
            closer.start(50);
        } else {
            fake.whileModal = [&] {
                if (dialog == "nested") {
                    // A message box inside the dialog: the test ends under both, and only the
                    // outer one's return may let the quiz window go.
                    fake.whileModal = timeOut;
                    fake.message(QStringLiteral("Sonarix"), QString(), MessageIcon::None);
                } else {
                    timeOut();
                }
                settle();
                aliveInside = unloadedButAlive();
            };
        }
        MainWindow* main = forms.find<MainWindow>();
        if (dialog == "open" || dialog == "nested")
            main->openAction->trigger();
        else if (dialog == "save as")
            main->saveAsAction->trigger();
        else
            platform.message(QStringLiteral("Sonarix"), QStringLiteral("koer"), MessageIcon::None);
        closer.stop();

        QVERIFY(!real || seenModal);
        QVERIFY(aliveInside);
        QVERIFY(forms.find<ResultsWindow>());
        QVERIFY(!forms.find<QuizWindow>());
        settle();
        QVERIFY(!test);
        QCOMPARE(state.AnsweredCount, qint16(1));
        QCOMPARE(state.WrongCount, qint16(1));
    }
};

QTEST_MAIN(TestModal)
#include "tst_modal.moc"
