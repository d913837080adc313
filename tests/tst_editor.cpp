#include "forms/Look.h"
#include "tst_editor_support.h"

#include <QSignalSpy>

class TestEditor : public QObject {
    Q_OBJECT
private slots:
    void opensWithItsLayout() {
        EditorProgram p;
        Editor* e = p.open();
        QVERIFY(e);
        QCOMPARE(e->windowTitle(), QStringLiteral("Editor"));
        QCOMPARE(e->size(), QSize(twips(7410), twips(5040)));
        QCOMPARE(e->List1->geometry(), twipsRect(3720, 960, 3375, 2580));
        QCOMPARE(e->Command4->geometry(), twipsRect(240, 4560, 3612, 372));
        QCOMPARE(e->Label1->text(), QStringLiteral("Sõnu:  0"));
        QCOMPARE(e->Text1->font().pointSizeF(), 8.25);
        QVERIFY(e->Text1->font().bold());
        QCOMPARE(e->Label1->font().pointSizeF(), 9.75);
        QCOMPARE(e->focusWidget(), e->Text2);
        QStringList order;
        QWidget* w = e->Text2;
        do {
            if (w->focusPolicy() & Qt::TabFocus)
                order << w->objectName();
            w = w->nextInFocusChain();
        } while (w != e->Text2);
        QCOMPARE(order,
                 (QStringList{"Text2", "Text1", "Command1", "Command2", "Command3", "Command4",
                              "List2", "List1", "Command5", "Command6", "Command7", "Command8"}));
    }

    void enterFlows_data() {
        QTest::addColumn<QString>("foreign");
        QTest::addColumn<QString>("estonian");
        QTest::addColumn<bool>("inText1");
        QTest::addColumn<QString>("pairs"); // shown afterwards
        QTest::addColumn<QString>("focus");
        QTest::addColumn<bool>("swallowed");
        QTest::newRow("both, Enter in Text2") << "dog"
                                              << "koer" << false << "dog=koer"
                                              << "Text2" << true;
        QTest::newRow("both, Enter in Text1") << "dog"
                                              << "koer" << true << "dog=koer"
                                              << "Text2" << true;
        QTest::newRow("foreign only, Text2") << "dog"
                                             << "" << false << ""
                                             << "Text1" << true;
        QTest::newRow("Estonian only, Text2") << ""
                                              << "koer" << false << ""
                                              << "Text2" << false;
        QTest::newRow("foreign only, Text1") << "dog"
                                             << "" << true << ""
                                             << "Text2" << true;
        QTest::newRow("none, Text1") << ""
                                     << "" << true << ""
                                     << "Text2" << true;
        QTest::newRow("blanks count as words") << " "
                                               << " " << false << " = "
                                               << "Text2" << true;
    }
    void enterFlows() {
        QFETCH(QString, foreign);
        QFETCH(QString, estonian);
        QFETCH(bool, inText1);
        QFETCH(QString, pairs);
        QFETCH(QString, focus);
        QFETCH(bool, swallowed);
        EditorProgram p;
        Editor* e = p.open();
        typeText(e->Text2, foreign);
        typeText(e->Text1, estonian);
        QLineEdit* box = inText1 ? e->Text1 : e->Text2;
        box->setFocus();
        QSignalSpy returns(box, &QLineEdit::returnPressed);
        enter(box);
        const bool added = !pairs.isEmpty();
        QCOMPARE(shown(e).join(u'|'), pairs);
        QCOMPARE(e->focusWidget()->objectName(), focus);
        QCOMPARE(returns.count(), swallowed ? 0 : 1);
        QCOMPARE(p.state.Changed, qint16(added));
        // The short form after an addition with Enter.
        QCOMPARE(e->Label1->text(), added ? QStringLiteral("Sõnu: 1") : QStringLiteral("Sõnu:  0"));
        QCOMPARE(e->Text1->text(), added ? QString() : estonian);
        QCOMPARE(e->Text2->text(), added ? QString() : foreign);
    }

    void buttonsWithOneBoxEmpty_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("foreign");
        QTest::addColumn<QString>("focus");
        QTest::newRow("Lisa, foreign only") << "Command1"
                                            << "dog"
                                            << "Text1";
        QTest::newRow("Lisa, Estonian only") << "Command1"
                                             << ""
                                             << "Text2";
        QTest::newRow("Asenda, foreign only") << "Command3"
                                              << "dog"
                                              << "Text1";
        QTest::newRow("Asenda, Estonian only") << "Command3"
                                               << ""
                                               << "Text2";
    }
    void buttonsWithOneBoxEmpty() {
        QFETCH(QString, button);
        QFETCH(QString, foreign);
        QFETCH(QString, focus);
        EditorProgram p;
        p.store({"cat=kass"});
        Editor* e = p.open();
        clickEntry(e->List1, 0);
        (foreign.isEmpty() ? e->Text2 : e->Text1)->clear();
        e->Command4->setFocus();
        click(e->findChild<QPushButton*>(button));
        QCOMPARE(shown(e), QStringList{"cat=kass"});
        QCOMPARE(e->focusWidget()->objectName(), focus);
        QCOMPARE(p.state.Changed, qint16(0));
    }

    // Twenty pairs by keyboard alone, a duplicate kept, and the store gets them on "Lõpeta".
    void keyboardOnly() {
        EditorProgram p;
        Editor* e = p.open();
        QStringList expected;
        for (int k = 0; k < 19; ++k) {
            typePair(e, QStringLiteral("word%1").arg(k), QStringLiteral("sõna%1").arg(k));
            expected << QStringLiteral("word%1=sõna%1").arg(k);
        }
        typePair(e, QStringLiteral("word0"), QStringLiteral("sõna0"));
        expected << QStringLiteral("word0=sõna0");
        QCOMPARE(e->Label1->text(), QStringLiteral("Sõnu: 20"));
        click(e->Command4);
        settle();
        QVERIFY(!p.forms.find<Editor>());
        QCOMPARE(p.stored(), expected);
        QCOMPARE(p.state.Changed, qint16(1));
    }

    void selectingMirrors() {
        EditorProgram p;
        p.store({"a=1", "b=2", "c=3"});
        Editor* e = p.open();
        clickEntry(e->List2, 1);
        QCOMPARE(e->List1->ListIndex(), 1);
        QCOMPARE(e->Text2->text() + e->Text1->text(), QStringLiteral("b2"));
        QTest::keyClick(e->List1, Qt::Key_Down);
        QCOMPARE(e->List2->ListIndex(), 2);
        QCOMPARE(e->Text2->text() + e->Text1->text(), QStringLiteral("c3"));
        // Neither Ctrl+click nor a click below the entries takes the selection away.
        QTest::mouseClick(e->List1->viewport(), Qt::LeftButton, Qt::ControlModifier,
                          e->List1->visualItemRect(e->List1->item(2)).center());
        QTest::mouseClick(e->List1->viewport(), Qt::LeftButton, Qt::NoModifier,
                          QPoint(5, e->List1->viewport()->height() - 3));
        QCOMPARE(e->List1->ListIndex(), 2);
        QCOMPARE(e->List1->selectedItems().size(), 1);
        QCOMPARE(p.state.Changed, qint16(0));
    }

    void replacing_data() {
        QTest::addColumn<int>("row"); // -1: nothing selected
        QTest::addColumn<QStringList>("after");
        QTest::newRow("selected pair goes, new one at the end") << 0 << QStringList{"b=2", "x=9"};
        QTest::newRow("no selection acts as Lisa") << -1 << QStringList{"a=1", "b=2", "x=9"};
    }
    void replacing() {
        QFETCH(int, row);
        QFETCH(QStringList, after);
        EditorProgram p;
        p.store({"a=1", "b=2"});
        Editor* e = p.open();
        if (row >= 0)
            clickEntry(e->List1, row);
        e->Text2->setText(QStringLiteral("x"));
        e->Text1->setText(QStringLiteral("9"));
        click(e->Command3);
        QCOMPARE(shown(e), after);
        QCOMPARE(e->Text1->text() + e->Text2->text(), QString());
        QCOMPARE(e->Label1->text(), QStringLiteral("Sõnu:  %1").arg(after.size()));
        QCOMPARE(p.state.Changed, qint16(1));
    }

    void deleting_data() {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QString>("list");
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("key");      // the Delete key instead of "Kustuta"
        QTest::addColumn<QString>("boxes"); // foreign=Estonian shown afterwards
        const QStringList three{"a=1", "b=2", "c=3"};
        QTest::newRow("middle: the pair before") << three << "List1" << 1 << false << "a=1";
        QTest::newRow("last, Delete in List2") << three << "List2" << 2 << true << "b=2";
        QTest::newRow("first: the new first pair") << three << "List2" << 0 << false << "b=2";
        QTest::newRow("the only pair, Delete in List1")
            << QStringList{"a=1"} << "List1" << 0 << true << "=";
        // Nothing selected: nothing removed, and what the user typed stays.
        QTest::newRow("no selection") << three << "List2" << -1 << true << "typed=";
    }
    void deleting() {
        QFETCH(QStringList, before);
        QFETCH(QString, list);
        QFETCH(int, row);
        QFETCH(bool, key);
        QFETCH(QString, boxes);
        EditorProgram p;
        p.store(before);
        Editor* e = p.open();
        WordList* l = list == QLatin1String("List1") ? e->List1 : e->List2;
        typeText(e->Text2, QStringLiteral("typed"));
        if (row >= 0)
            clickEntry(l, row);
        if (key)
            QTest::keyClick(l, Qt::Key_Delete);
        else
            click(e->Command2);
        QStringList after = before;
        if (row >= 0)
            after.removeAt(row);
        QCOMPARE(shown(e), after);
        QCOMPARE(e->Text2->text() + u'=' + e->Text1->text(), boxes);
        QCOMPARE(e->Label1->text(), QStringLiteral("Sõnu:  %1").arg(after.size()));
        QCOMPARE(e->List1->ListIndex(), -1);
        QCOMPARE(e->List2->ListIndex(), -1);
        QVERIFY(e->List1->selectedItems().isEmpty() && e->List2->selectedItems().isEmpty());
        QCOMPARE(p.state.Changed, qint16(row >= 0));
    }

    void writingBack_data() {
        QTest::addColumn<bool>("closeBox");
        QTest::newRow("Lõpeta") << false;
        QTest::newRow("close box") << true;
    }
    void writingBack() {
        QFETCH(bool, closeBox);
        EditorProgram p;
        p.store({"a=1", "b=2", "c=3", "d=4"});
        Editor* e = p.open();
        clickEntry(e->List1, 1);
        click(e->Command2);
        clickEntry(e->List1, 0);
        QTest::keyClick(e->List1, Qt::Key_Delete);
        if (closeBox)
            e->close();
        else
            click(e->Command4);
        settle();
        QVERIFY(!p.forms.find<Editor>());
        QVERIFY(p.forms.find<Main>()->isVisible());
        QCOMPARE(p.stored(), (QStringList{"c=3", "d=4"}));
        for (int k = 2; k < ProgramState::Slots; ++k)
            QVERIFY(p.state.EstonianWords[k].isEmpty() && p.state.ForeignWords[k].isEmpty());
    }

    // An empty Estonian word ends the list the editor shows and writes back.
    void emptyEstonianWordEndsTheList() {
        EditorProgram p;
        p.store({"a=1", "b=2", "c=", "d=4"});
        Editor* e = p.open();
        QCOMPARE(shown(e), (QStringList{"a=1", "b=2"}));
        click(e->Command4);
        QCOMPARE(p.state.WordCount, qint16(1));
        QVERIFY(p.state.ForeignWords[3].isEmpty());
    }

    void openAgainBringsTheSameWindow() {
        EditorProgram p;
        Editor* e = p.open();
        typeText(e->Text2, QStringLiteral("half"));
        p.store({"a=1"});
        QCOMPARE(p.open(), e);
        QCOMPARE(e->Text2->text(), QStringLiteral("half"));
        QCOMPARE(e->List1->ListCount(), 0);
    }
};

QTEST_MAIN(TestEditor)
#include "tst_editor.moc"
