#include "forms/Forms.h"
#include "platform/UiTimer.h"
#include "state/ProgramState.h"
#include "support/FakePlatform.h"
#include "support/TestUtil.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>

namespace {

QStringList journal;

// A window that records its load and unload and can unload itself from its own button.
class Probe : public Form {
public:
    explicit Probe(Forms& forms) : Form(forms) {
        caption = new QLabel(QStringLiteral("design"), this);
        closeButton = new QPushButton(QStringLiteral("Close"), this);
        closeButton->move(0, 30);
        connect(closeButton, &QPushButton::clicked, this, [this] { this->forms.unload(this); });
        timer = platform.createTimer(this);
        timer->setInterval(100);
    }
    void Form_Load() override { journal << QStringLiteral("load Probe"); }
    void Form_Unload() override {
        journal << QStringLiteral("unload Probe");
        // Unloading again from inside the unload routine must not run it twice.
        forms.unload(this);
    }
    QLabel* caption;
    QPushButton* closeButton;
    UiTimer* timer;
};

class Other : public Form {
public:
    using Form::Form;
    void Form_Load() override { journal << QStringLiteral("load Other"); }
    void Form_Unload() override { journal << QStringLiteral("unload Other"); }
};

// Unloads itself while it is being loaded.
class Vanishing : public Form {
public:
    using Form::Form;
    void Form_Load() override { forms.unload(this); }
};

} // namespace

class TestForms : public QObject {
    Q_OBJECT
private slots:
    void init() { journal.clear(); }

    void loadIsIdempotentAndShowLoads() {
        ProgramState state;
        FakePlatform platform;
        Forms forms(state, platform);
        QVERIFY(!forms.find<Probe>());

        Probe* first = forms.load<Probe>();
        QVERIFY(first);
        QVERIFY(!first->isVisible());
        QCOMPARE(forms.load<Probe>(), first);
        QCOMPARE(forms.show<Probe>(), first);
        QVERIFY(first->isVisible());
        QCOMPARE(journal, QStringList{"load Probe"});

        forms.hide<Probe>();
        QVERIFY(!first->isVisible());
        QCOMPARE(forms.find<Probe>(), first);
        QCOMPARE(platform.endCount, 0);
    }

    void unloadRunsOnceAndDiscardsLater() {
        ProgramState state;
        FakePlatform platform;
        Forms forms(state, platform);
        forms.show<Other>();
        QPointer<Probe> probe = forms.show<Probe>();

        // Unloaded from inside its own click handler: still alive until the event loop runs.
        click(probe->closeButton);
        QCOMPARE(journal, (QStringList{"load Other", "load Probe", "unload Probe"}));
        QVERIFY(!forms.find<Probe>());
        QVERIFY(probe);
        QVERIFY(!probe->isVisible());
        QVERIFY(!probe->timer->isEnabled());
        settle();
        QVERIFY(!probe);

        // Unloading what is not loaded does nothing.
        forms.unload<Probe>();
        QCOMPARE(journal.size(), 3);
        QCOMPARE(platform.endCount, 0);
    }

    void freshWindowAfterUnload() {
        ProgramState state;
        FakePlatform platform;
        Forms forms(state, platform);
        forms.show<Other>();
        Probe* probe = forms.show<Probe>();
        probe->caption->setText(QStringLiteral("changed"));
        forms.unload<Probe>();

        Probe* again = forms.load<Probe>();
        QCOMPARE(again->caption->text(), QStringLiteral("design"));
        QCOMPARE(journal.count(QStringLiteral("load Probe")), 2);
    }

    void closeBoxUnloads() {
        ProgramState state;
        FakePlatform platform;
        Forms forms(state, platform);
        forms.show<Other>();
        Probe* probe = forms.show<Probe>();
        QVERIFY(probe->close() || !probe->isVisible());
        QVERIFY(!forms.find<Probe>());
        QCOMPARE(journal.last(), QStringLiteral("unload Probe"));
    }

    void programEndsWithTheLastWindow() {
        ProgramState state;
        FakePlatform platform;
        Forms forms(state, platform);
        forms.show<Probe>();
        forms.show<Other>();
        forms.unload<Other>();
        QCOMPARE(platform.endCount, 0);
        QVERIFY(forms.anyLoaded());
        forms.unload<Probe>();
        QCOMPARE(platform.endCount, 1);
        QVERIFY(!forms.anyLoaded());
    }

    void windowThatUnloadsWhileLoadingIsNotShown() {
        ProgramState state;
        FakePlatform platform;
        Forms forms(state, platform);
        forms.show<Other>();
        QCOMPARE(forms.show<Vanishing>(), nullptr);
        QVERIFY(!forms.find<Vanishing>());
        settle();
        for (QWidget* w : QApplication::topLevelWidgets())
            QVERIFY2(!w->isVisible() || w == forms.find<Other>(), qPrintable(w->objectName()));
    }
};

QTEST_MAIN(TestForms)
#include "tst_forms.moc"
