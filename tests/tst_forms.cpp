// SPDX-License-Identifier: GPL-3.0-or-later
#include "forms/Forms.h"
#include "state/ProgramState.h"
#include "support/FakePlatform.h"
#include "support/TestUtil.h"

#include <QPointer>
#include <QPushButton>
#include <QTest>

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
};

QTEST_MAIN(TestForms)
#include "tst_forms.moc"
