// SPDX-License-Identifier: GPL-3.0-or-later
// The windows' life cycle, and windows unloaded while a real dialog or message box is up.
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

// Counts its loads; its button unloads it.
class Probe : public Form {
public:
    explicit Probe(Forms& forms) : Form(forms), button(new QPushButton(this)) {
        connect(button, &QPushButton::clicked, this, [this] { this->forms.unload(this); });
    }
    void onLoad() override { ++loads; }
    QPushButton* button;
    int loads = 0;
};

class TestForms : public QObject {
    Q_OBJECT
private slots:
    // One instance, loaded once; unloaded from its own click handler, it lives on until the
    // event loop runs; the program ends with its last window.
    void lifeCycle() {
        ProgramState state;
        FakePlatform platform;
        Forms forms(state, platform);
        Probe* probe = forms.load<Probe>();
        QVERIFY(forms.show<Probe>() == probe && probe->isVisible() && probe->loads == 1);
        QPointer<Probe> alive(probe);
        click(probe->button);
        QVERIFY(!forms.find<Probe>() && alive && !alive->isVisible());
        QCOMPARE(platform.endCount, 1);
        settle();
        QVERIFY(!alive);
    }
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
        // One pair, so the first time-out ends the test.
        state.EstonianWords[0] = QStringLiteral("koer");
        state.ForeignWords[0] = QStringLiteral("dog");
        state.WordCount = 0;
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
};

QTEST_MAIN(TestForms)
#include "tst_forms.moc"
