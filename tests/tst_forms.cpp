// SPDX-License-Identifier: GPL-3.0-or-later
#include "forms/Forms.h"
#include "state/ProgramState.h"
#include "support/FakePlatform.h"
#include "support/TestUtil.h"

#include <QPointer>
#include <QPushButton>
#include <QTest>

// Counts its loads and unloads; its button unloads it, and so does its own unload routine again.
class Probe : public Form {
public:
    explicit Probe(Forms& forms) : Form(forms), button(new QPushButton(this)) {
        connect(button, &QPushButton::clicked, this, [this] { this->forms.unload(this); });
    }
    void onLoad() override { ++loads; }
    void onUnload() override { ++unloads, forms.unload(this); }
    QPushButton* button;
    static inline int loads = 0, unloads = 0;
};

// Unloads itself while it is being loaded.
class Vanishing : public Form {
public:
    using Form::Form;
    void onLoad() override { forms.unload(this); }
};

class TestForms : public QObject {
    Q_OBJECT
private slots:
    void lifeCycle() {
        ProgramState state;
        FakePlatform platform;
        Forms forms(state, platform);
        Probe* probe = forms.load<Probe>();
        QVERIFY(forms.show<Probe>() == probe && probe->isVisible() && Probe::loads == 1);
        QVERIFY(!forms.show<Vanishing>() && !forms.find<Vanishing>());
        QVERIFY(!platform.ended()); // Probe is still loaded
        // Unloaded from its own click handler: it lives on until the event loop runs.
        QPointer<Probe> alive(probe);
        click(probe->button);
        QVERIFY(Probe::unloads == 1 && !forms.find<Probe>() && alive && !alive->isVisible());
        QCOMPARE(platform.endCount, 1); // no window is left
        settle();
        QVERIFY(!alive);
    }
};

QTEST_MAIN(TestForms)
#include "tst_forms.moc"
