// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MainWindow.h"
#include "app/SavePrompt.h"
#include "editor/EditorWindow.h"
#include "editor/WordList.h"
#include "forms/Forms.h"
#include "state/ProgramState.h"
#include "support/FakePlatform.h"
#include "support/TestUtil.h"

#include <QApplication>
#include <QClipboard>
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

// Which sort buttons are drawn in the active colour, by the last digit of their names.
QString active(EditorWindow* e) {
    QString marked;
    for (QPushButton* b : {e->foreignAscendingButton, e->foreignDescendingButton,
                           e->estonianAscendingButton, e->estonianDescendingButton}) {
        const QImage image = b->grab().toImage();
        if (image.pixelColor(image.width() / 5, image.height() / 2) ==
            EditorWindow::activeSortColor())
            marked += b->objectName().back();
    }
    return marked;
}

// Works the editor by the steps of Program::run and these, by commas: "sort N" (Command5/6:
// foreign A-Z/Z-A, 7/8: Estonian), "pick LIST ROW", "type FOREIGN=ESTONIAN", "paste FOREIGN",
// "Return BOX", "Delete LIST". True if anything but a sort changed the list.
bool act(Program& p, const QString& actions) {
    EditorWindow* e = p.forms.find<EditorWindow>();
    bool changed = false;
    for (const QString& action : actions.split(u',', Qt::SkipEmptyParts)) {
        const QString ahead = shown(e);
        const QStringList w = action.split(u' ');
        QWidget* target = e->findChild<QWidget*>(w.value(1));
        p.run(action, [&](const QString&) {
            if (w[0] == u"sort"_s) {
                click(e->findChild<QPushButton*>(u"Command"_s + w[1]));
            } else if (w[0] == u"pick"_s) {
                auto* list = static_cast<WordList*>(target);
                const QRect row = list->visualItemRect(list->item(w[2].toInt()));
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
            } else if (w[0] == u"type"_s) {
                typeText(e->foreignEdit, w[1].section(u'=', 0, 0));
                typeText(e->estonianEdit, w[1].section(u'=', 1));
            } else if (w[0] == u"paste"_s) {
                QApplication::clipboard()->setText(w[1]);
                QTest::keyClick(e->foreignEdit, Qt::Key_V, Qt::ControlModifier);
            } else if (w[0] == u"Return"_s || w[0] == u"Delete"_s) {
                target->setFocus();
                QTest::keyClick(target, w[0] == u"Return"_s ? Qt::Key_Return : Qt::Key_Delete);
            }
            return w.size() > 1;
        });
        changed = changed || (w[0] != u"sort"_s && shown(e) != ahead);
    }
    return changed;
}

} // namespace

class TestEditor : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    // One visit: the editor opens on "before", the actions run, and the list and boxes are as
    // "after" says; the close box (or "Lõpeta", last) writes the list back, which the editor
    // shows again with no sort active. The sort is the old exchange sort, case ignored: equal
    // keys are never exchanged, and in A-Z an empty key never comes forward. A full list takes
    // no more pairs; what Windows-1257 cannot hold is not taken.
    void editing_data() {
        Rows row; // before | actions | after ("same": as before) | the boxes ("=" if not given) |
                  // notes: "short" count, "focus=BOX", "refused=CHAR"
        const QString abc = QStringLiteral("a=1 b=2 c=3 | ");
        row("Enter in the foreign box",
            abc + "type šõ€=žä,Return Text2 | a=1 b=2 c=3 šõ€=žä | = | short focus=Text2");
        row("Enter in the Estonian box, sorted",
            abc + "sort 6,type x=9,Return Text1 | x=9 c=3 b=2 a=1");
        row("Lisa, sorted", abc + "sort 6,type x=9,Lisa | x=9 c=3 b=2 a=1");
        row("Asenda on a selected pair: the new one last",
            abc + "pick List2 0,type x=9,Asenda,Lõpeta | b=2 c=3 ax=19");
        row("Asenda, nothing selected", abc + "type x=9,Asenda | a=1 b=2 c=3 x=9");
        row("no Estonian, Enter", abc + "type x=,Return Text2 | same | x= | focus=Text1");
        row("no foreign, Enter", abc + "type =9,Return Text1 | same | =9 | focus=Text2");
        row("no Estonian, Lisa", abc + "type x=,Lisa | same | x= | focus=Text1");
        row("no foreign, Asenda", abc + "type =9,Asenda | same | =9 | focus=Text2");
        row("Delete in List1: the pair before shown",
            abc + "pick List1 1,Delete List1,Lõpeta | a=1 c=3 | a=1");
        row("Kustuta the first: the new first shown", abc + "pick List2 0,Kustuta | b=2 c=3 | b=2");
        row("Delete the only pair", "a=1 | pick List2 0,Delete List2 | ");
        row("Delete, nothing selected", abc + "type t=,Delete List2 | same | t=");
        row("full: Lisa", "full | type x=9,Lisa | same | x=9");
        row("full: Enter", "full | type x=9,Return Text1 | same | x=9");
        row("full: Asenda", "full | type x=9,Asenda | same | x=9");
        row("Cyrillic typed", abc + "type я= | same | = | refused=я");
        row("emoji pasted", abc + "paste a😀 | same | = | refused=😀");
        row("sorts in turn", "c=2 a=3 B=1 | sort 6,sort 5,sort 7,sort 8 | a=3 c=2 B=1");
        row("Estonian alphabet",
            "1=xenon 2=Õun 3=tee 4=zoo 5=üks 6=šokk 7=wc 8=öö 9=ähm 10=Sai | sort 7 | 10=Sai "
            "6=šokk 4=zoo 3=tee 7=wc 2=Õun 9=ähm 8=öö 5=üks 1=xenon");
        // Qt's sort keys in the C locale are the plain bytes and would tell case apart.
        row("C locale", "b=1 B=2 a=3 | sort 5 | a=3 B=2 b=1");
        row("A-Z: empty stays", "c=1 =2 a=3 | sort 5 | a=3 =2 c=1");
        row("Z-A: empty key last", "=1 a=2 b=3 | sort 6 | b=3 a=2 =1");
        row("empty Estonian word ends the list", "a=1 b=2 c= d=4 |  | a=1 b=2");
    }
    void editing() {
        const QStringList c = cells();
        const QString before = c[0], actions = c[1], boxes = c.value(3, u"="_s), notes = c.value(4);
        QString after = c[2];
        if (QString(QTest::currentDataTag()).startsWith("Estonian"))
            QLocale::setDefault(QLocale(u"et_EE"_s));
        Program p;
        p.store(before == u"full"_s ? QStringList(EditorWindow::MaxPairs, u"f=e"_s).join(u' ')
                                    : before);
        after = after == u"same"_s ? stored(p.state) : after;
        p.run(u"Editor"_s);
        EditorWindow* e = p.forms.find<EditorWindow>();
        const bool finish = actions.endsWith(u"Lõpeta"_s);
        const bool changed = act(p, actions.chopped(finish ? 6 : 0));
        QCOMPARE(shown(e), after);
        QCOMPARE(e->foreignEdit->text() + u'=' + e->estonianEdit->text(), boxes);
        const auto note = [&](const QString& key) {
            return notes.section(key + u'=', 1).section(u' ', 0, 0);
        };
        QCOMPARE(e->hintLabel->text().section(u'„', 1).section(u'“', 0, 0), note(u"refused"_s));
        QCOMPARE(e->countLabel->text(), u"Sõnu: "_s + (notes.contains(u"short"_s) ? "" : " ") +
                                            QString::number(after.count(u'=')));
        const QString lastSort = actions.section(u"sort "_s, -1).left(1);
        QCOMPARE(active(e), actions.contains(u"sort "_s) ? lastSort : QString());
        QCOMPARE(p.state.Changed, qint16(changed));
        QCOMPARE(p.platform.messages.size(), int(before == u"full"_s));
        if (!note(u"focus"_s).isEmpty())
            QCOMPARE(e->focusWidget()->objectName(), note(u"focus"_s));
        p.run(finish ? u"Lõpeta"_s : u"close:Editor"_s);
        settle();
        QCOMPARE(p.inSight(), u"Main"_s);
        // The store holds the pairs and nothing behind them, however long the list was.
        QCOMPARE(stored(p.state), after);
        QCOMPARE(p.state.WordCount, qint16(after.count(u'=') - 1));
        // Opened again, no sort is active.
        p.run(u"Editor"_s);
        QCOMPARE(active(p.forms.find<EditorWindow>()), QString());
    }

    // A save while the editor is open (the close box's prompt, Yes) writes the stored list, which
    // lacks the editor's pair, and ends the close: the program goes on, and a later save from the
    // main window "Lõpeta" brings back does not end it. Once "Lõpeta" brings the pair in, Exit
    // asks again; a list that comes back only sorted counts as saved.
    void savedWhileOpen_data() {
        Rows row; // steps in the editor | steps after "Lõpeta" | Exit asks
        row("edited, sort", "type x=9,Lisa,close:Main,Yes,sort 5 |  | 1");
        row("nothing edited, sort, Save As", "close:Main,Yes,sort 6 | menu:Save As | 0");
    }
    void savedWhileOpen() {
        const QStringList c = cells();
        Program p;
        p.state.CurrentFile = p.file(u"list.dic"_s);
        p.platform.dialogAnswers << FakePlatform::chosen(p.file(u"chosen.dic"_s));
        p.store(u"a=1 b=2 c=3"_s);
        p.run(u"Editor"_s);
        act(p, c[0]);
        QCOMPARE(p.inSight(), u"Editor"_s); // the close is over, the main window unloaded
        QCOMPARE(fileBytes(p.state.CurrentFile), QByteArray("1\r\na\r\n2\r\nb\r\n3\r\nc\r\n"));
        const QString edited = shown(p.forms.find<EditorWindow>());
        p.run(u"Lõpeta,"_s + c[1]);
        QCOMPARE(stored(p.state), edited);
        QVERIFY(!p.platform.ended());
        p.run(u"Exit"_s);
        const SavePrompt* prompt = p.forms.find<SavePrompt>();
        QCOMPARE(prompt && prompt->isVisible(), c[2] == u"1"_s);
        QCOMPARE(p.platform.ended(), c[2] == u"0"_s);
    }
};

QTEST_MAIN(TestEditor)
#include "tst_editor.moc"
