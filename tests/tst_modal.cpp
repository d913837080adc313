// SPDX-License-Identifier: GPL-3.0-or-later
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

class TestModal : public QObject {
    Q_OBJECT
private slots:
    // "real": the real dialogs, whose parent is the quiz window since it is the active window.
    // Otherwise the fake platform: time passes while the scripted dialog is up.
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
        // One pair, so the first time-out ends the test.
        state.EstonianWords[0] = QStringLiteral("koer");
        state.ForeignWords[0] = QStringLiteral("dog");
        state.WordCount = 0;
        MainWindow* main = forms.show<MainWindow>();
        click(main->timeLimitCheck);
        main->timeLimitBar->setValue(real ? 1 : 3);
        click(main->testButton);
        QPointer<QuizWindow> test = forms.find<QuizWindow>();
        QVERIFY(test);

        // Unloaded inside the dialog's loop, the quiz window must live on until it is gone.
        bool aliveInside = false;
        const auto unloadedButAlive = [&] { return !test.isNull() && !forms.find<QuizWindow>(); };
        const auto timeOut = [&] {
            fake.whileModal = nullptr;
            fake.advance(3000);
        };
        QTimer closer;
        QElapsedTimer waited;
        if (real) {
            test->activateWindow(); // as the user leaves it
            QVERIFY(QTest::qWaitForWindowActive(test));
            // Closed once the time-out has ended the test behind it (after ten seconds: fails).
            waited.start();
            connect(&closer, &QTimer::timeout, this, [&] {
                QWidget* modal = QApplication::activeModalWidget();
                if (modal && (forms.find<ResultsWindow>() || waited.elapsed() > 10000)) {
                    aliveInside = unloadedButAlive();
                    modal->close();
                }
            });
            closer.start(50);
        } else {
            fake.whileModal = [&] {
                // "nested": a message box inside the dialog; the test ends under both, and only
                // the outer one's return may let the quiz window go.
                if (dialog == "nested") {
                    fake.whileModal = timeOut;
                    fake.message(QStringLiteral("Sonarix"), QString(), MessageIcon::None);
                } else {
                    timeOut();
                }
                settle();
                aliveInside = unloadedButAlive();
            };
        }
        if (dialog == "open" || dialog == "nested")
            main->openAction->trigger();
        else if (dialog == "save as")
            main->saveAsAction->trigger();
        else
            platform.message(QStringLiteral("Sonarix"), QStringLiteral("koer"), MessageIcon::None);
        closer.stop();
        QVERIFY(aliveInside);
        QVERIFY(forms.find<ResultsWindow>() && !forms.find<QuizWindow>());
        settle();
        QVERIFY(!test);
        QVERIFY(state.AnsweredCount == 1 && state.WrongCount == 1);
    }
};

QTEST_MAIN(TestModal)
#include "tst_modal.moc"
