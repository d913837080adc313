// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MainWindow.h"
#include "app/SavePrompt.h"
#include "editor/EditorWindow.h"
#include "editor/WordList.h"
#include "forms/Forms.h"
#include "state/ProgramState.h"
#include "support/FakePlatform.h"
#include "support/TestUtil.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QString stored(const ProgramState& state) {
    QStringList stored;
    for (int k = 0; k < ProgramState::Slots; ++k)
        if (!state.EstonianWords[k].isEmpty() || !state.ForeignWords[k].isEmpty())
            stored << state.ForeignWords[k] + u'=' + state.EstonianWords[k];
    return stored.join(u' ');
}

QString shown(const EditorWindow* e) {
    QStringList shown;
    for (int k = 0; k < e->estonianList->count(); ++k)
        shown << e->foreignList->word(k) + u'=' + e->estonianList->word(k);
    return shown.join(u' ');
}

// The sort button drawn in the active colour, by its designer name; "" for none.
QString activeSort(EditorWindow* e) {
    QStringList marked;
    for (QPushButton* b : {e->foreignAscendingButton, e->foreignDescendingButton,
                           e->estonianAscendingButton, e->estonianDescendingButton}) {
        const QImage image = b->grab().toImage();
        if (image.pixelColor(image.width() / 5, image.height() / 2) ==
            EditorWindow::activeSortColor())
            marked << b->objectName();
    }
    return marked.join(u' ');
}

} // namespace

class TestEditor : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    // One visit: the editor opens on "before" (pairs foreign=Estonian), the steps run, and the
    // list and the boxes are as given; the close box writes the list back, which the editor
    // shows again with no sort active. The sort is the old exchange sort, case ignored: equal
    // keys are never exchanged, and in A-Z an empty key never comes forward. A full list takes
    // no more pairs; what Windows-1257 cannot hold is not taken.
    void editing_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("after"); // the list shown, and stored after the close
        QTest::addColumn<QString>("boxes"); // foreign=Estonian
        QTest::addColumn<QString>("count");
        QTest::addColumn<QString>("refused"); // the character the hint names
        QTest::addColumn<QString>("focus");   // "": not looked at
        QTest::addColumn<QString>("sort");    // the active sort's button
        QTest::addColumn<int>("changed");
        QTest::addColumn<int>("messages");
        const QString c = "C", abc = "a=1 b=2 c=3", full = QStringList(1000, "f=e").join(u' ');
        const QStringList x9{"focus:Text2", "type:x", "focus:Text1", "type:9"};
        const QStringList x{"focus:Text2", "type:x"}, nine{"focus:Text1", "type:9"};
        row("Enter in the foreign box", c, abc,
            QStringList{"focus:Text2", "type:šõ€", "focus:Text1", "type:žä", "focus:Text2",
                        "key:Return"},
            "a=1 b=2 c=3 šõ€=žä", "=", "Sõnu: 4", "", "Text2", "", 1, 0);
        row("Enter in the Estonian box, sorted", c, abc,
            QStringList{"click:Command6"} + x9 + QStringList{"key:Return"}, "x=9 c=3 b=2 a=1", "=",
            "Sõnu:  4", "", "", "Command6", 1, 0);
        row("Lisa, sorted", c, abc, QStringList{"click:Command6"} + x9 + QStringList{"click:Lisa"},
            "x=9 c=3 b=2 a=1", "=", "Sõnu:  4", "", "", "Command6", 1, 0);
        // Picking fills the boxes, and typing adds to them.
        row("Asenda on a selected pair: the new one last", c, abc,
            QStringList{"pick:List2:0"} + x9 + QStringList{"click:Asenda"}, "b=2 c=3 ax=19", "=",
            "Sõnu:  3", "", "", "", 1, 0);
        row("Asenda, nothing selected", c, abc, x9 + QStringList{"click:Asenda"}, "a=1 b=2 c=3 x=9",
            "=", "Sõnu:  4", "", "", "", 1, 0);
        row("no Estonian, Enter", c, abc, x + QStringList{"focus:Text2", "key:Return"}, abc,
            "x=", "Sõnu:  3", "", "Text1", "", 0, 0);
        row("no foreign, Enter", c, abc, nine + QStringList{"key:Return"}, abc, "=9", "Sõnu:  3",
            "", "Text2", "", 0, 0);
        row("no Estonian, Lisa", c, abc, x + QStringList{"click:Lisa"}, abc, "x=", "Sõnu:  3", "",
            "Text1", "", 0, 0);
        row("no foreign, Asenda", c, abc, nine + QStringList{"click:Asenda"}, abc, "=9", "Sõnu:  3",
            "", "Text2", "", 0, 0);
        row("Delete in List1: the pair before shown", c, abc,
            QStringList{"pick:List1:1", "focus:List1", "key:Del"}, "a=1 c=3", "a=1", "Sõnu:  2", "",
            "", "", 1, 0);
        row("Kustuta the first: the new first shown", c, abc,
            QStringList{"pick:List2:0", "click:Kustuta"}, "b=2 c=3", "b=2", "Sõnu:  2", "", "", "",
            1, 0);
        row("Delete the only pair", c, "a=1", QStringList{"pick:List2:0", "focus:List2", "key:Del"},
            "", "=", "Sõnu:  0", "", "", "", 1, 0);
        row("Delete, nothing selected", c, abc,
            QStringList{"focus:Text2", "type:t", "focus:List2", "key:Del"}, abc, "t=", "Sõnu:  3",
            "", "", "", 0, 0);
        row("full: Lisa, Enter and Asenda each refused", c, full,
            x9 + QStringList{"click:Lisa", "focus:Text1", "key:Return", "click:Asenda"}, full,
            "x=9", "Sõnu:  1000", "", "", "", 0, 3);
        row("Cyrillic typed", c, abc, QStringList{"focus:Text2", "type:я"}, abc, "=", "Sõnu:  3",
            "я", "", "", 0, 0);
        row("emoji pasted", c, abc, QStringList{"focus:Text2", "paste:a😀"}, abc, "=", "Sõnu:  3",
            "😀", "", "", 0, 0);
        row("sorts in turn", c, "c=2 a=3 B=1",
            QStringList{"click:Command6", "click:Command5", "click:Command7", "click:Command8"},
            "a=3 c=2 B=1", "=", "Sõnu:  3", "", "", "Command8", 0, 0);
        row("Estonian alphabet", "et_EE",
            "1=xenon 2=Õun 3=tee 4=zoo 5=üks 6=šokk 7=wc 8=öö 9=ähm 10=Sai",
            QStringList{"click:Command7"},
            "10=Sai 6=šokk 4=zoo 3=tee 7=wc 2=Õun 9=ähm 8=öö 5=üks 1=xenon", "=", "Sõnu:  10", "",
            "", "Command7", 0, 0);
        // Qt's sort keys in the C locale are the plain bytes and would tell case apart.
        row("C locale", c, "b=1 B=2 a=3", QStringList{"click:Command5"}, "a=3 B=2 b=1", "=",
            "Sõnu:  3", "", "", "Command5", 0, 0);
        row("A-Z: empty stays", c, "c=1 =2 a=3", QStringList{"click:Command5"}, "a=3 =2 c=1", "=",
            "Sõnu:  3", "", "", "Command5", 0, 0);
        row("Z-A: empty key last", c, "=1 a=2 b=3", QStringList{"click:Command6"}, "b=3 a=2 =1",
            "=", "Sõnu:  3", "", "", "Command6", 0, 0);
        row("empty Estonian word ends the list", c, "a=1 b=2 c= d=4", QStringList(), "a=1 b=2", "=",
            "Sõnu:  2", "", "", "", 0, 0);
    }
    void editing() {
        QFETCH(QString, locale);
        QFETCH(QString, before);
        QFETCH(QStringList, steps);
        QFETCH(QString, after);
        QFETCH(QString, boxes);
        QFETCH(QString, count);
        QFETCH(QString, refused);
        QFETCH(QString, focus);
        QFETCH(QString, sort);
        QFETCH(int, changed);
        QFETCH(int, messages);
        QLocale::setDefault(QLocale(locale));
        Program p;
        p.store(before);
        p.run(QStringList{"click:Editor"} + steps);
        EditorWindow* e = p.forms.find<EditorWindow>();
        QVERIFY(e);
        QCOMPARE(shown(e), after);
        QCOMPARE(e->foreignEdit->text() + u'=' + e->estonianEdit->text(), boxes);
        QCOMPARE(e->hintLabel->text().section(u'„', 1).section(u'“', 0, 0), refused);
        QCOMPARE(e->countLabel->text(), count);
        QCOMPARE(activeSort(e), sort);
        QCOMPARE(int(p.state.Changed), changed);
        QCOMPARE(p.platform.messages.size(), messages);
        if (!focus.isEmpty())
            QCOMPARE(e->focusWidget() ? e->focusWidget()->objectName() : QString(), focus);
        p.run(QStringList{"close:Editor"});
        settle();
        QCOMPARE(p.inSight(), u"Main"_s);
        // The store holds the pairs and nothing behind them, however long the list was.
        QCOMPARE(stored(p.state), after);
        QCOMPARE(pairsOf(p.state).size(), after.count(u'='));
        // Opened again, no sort is active.
        p.run(QStringList{"click:Editor"});
        QVERIFY(p.forms.find<EditorWindow>());
        QCOMPARE(activeSort(p.forms.find<EditorWindow>()), QString());
    }

    // A save while the editor is open (the close box's prompt, Yes) writes the stored list, which
    // lacks the editor's pair, and ends the close: the program goes on, and a later save from the
    // main window "Lõpeta" brings back does not end it. Once "Lõpeta" brings the pair in, Exit
    // asks again; a list that comes back only sorted counts as saved.
    void savedWhileOpen_data() {
        QTest::addColumn<QStringList>("inEditor");
        QTest::addColumn<QStringList>("afterwards"); // after "Lõpeta"
        QTest::addColumn<bool>("exitAsks");
        row("edited, sort",
            QStringList{"focus:Text2", "type:x", "focus:Text1", "type:9", "click:Lisa",
                        "close:Main", "click:Yes", "click:Command5"},
            QStringList(), true);
        row("nothing edited, sort, Save As",
            QStringList{"close:Main", "click:Yes", "click:Command6"},
            QStringList{"choose:chosen.dic", "menu:Save As"}, false);
    }
    void savedWhileOpen() {
        QFETCH(QStringList, inEditor);
        QFETCH(QStringList, afterwards);
        QFETCH(bool, exitAsks);
        Program p;
        p.state.CurrentFile = p.file(u"list.dic"_s);
        p.store(u"a=1 b=2 c=3"_s);
        p.run(QStringList{"click:Editor"} + inEditor);
        QCOMPARE(p.inSight(), u"Editor"_s); // the close is over, the main window unloaded
        QCOMPARE(fileBytes(p.state.CurrentFile), QByteArray("1\r\na\r\n2\r\nb\r\n3\r\nc\r\n"));
        QVERIFY(p.forms.find<EditorWindow>());
        const QString edited = shown(p.forms.find<EditorWindow>());
        p.run(QStringList{"click:Lõpeta"} + afterwards);
        QCOMPARE(stored(p.state), edited);
        QVERIFY(!p.platform.ended());
        p.run(QStringList{"click:Exit"});
        const SavePrompt* prompt = p.forms.find<SavePrompt>();
        QCOMPARE(prompt && prompt->isVisible(), exitAsks);
        QCOMPARE(p.platform.ended(), !exitAsks);
    }
};

QTEST_MAIN(TestEditor)
#include "tst_editor.moc"
