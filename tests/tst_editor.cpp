#include "app/Main.h"
#include "editor/Editor.h"
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

namespace {

// Pairs "foreign=estonian", separated by spaces.
QStringList pairs(const char* text) {
    return QString::fromUtf8(text).split(u' ', Qt::SkipEmptyParts);
}

// The program on the fake platform with the given pairs in its store.
struct Program {
    ProgramState state;
    FakePlatform platform;
    Forms forms{state, platform};

    explicit Program(const QStringList& given = {}) {
        state.WordCount = qint16(given.size() - 1);
        for (int k = 0; k < given.size(); ++k) {
            state.ForeignWords[k] = given[k].section(u'=', 0, 0);
            state.EstonianWords[k] = given[k].section(u'=', 1);
        }
    }
    // Through the main window's "Editor" button, as the user opens it.
    Editor* open() {
        click(forms.show<Main>()->Command1);
        return forms.find<Editor>();
    }
};

QStringList shown(const Editor* e) {
    QStringList shown;
    for (int k = 0; k < e->List1->ListCount(); ++k)
        shown << e->List2->List(k) + u'=' + e->List1->List(k);
    return shown;
}

QString boxes(const Editor* e) {
    return e->Text2->text() + u'=' + e->Text1->text();
}

// findChild() with no name would take any child.
template <typename T> T* named(Editor* e, const char* name) {
    return *name ? e->findChild<T*>(QLatin1String(name)) : nullptr;
}

// Which sort buttons are drawn in the active colour, as "5", "7" ..
QString active(Editor* e) {
    QString marked;
    for (QPushButton* b : {e->Command5, e->Command6, e->Command7, e->Command8}) {
        const QImage image = b->grab().toImage();
        if (image.pixelColor(image.width() / 5, image.height() / 2) == Editor::activeSortColor())
            marked += b->objectName().back();
    }
    return marked;
}

// One visit to the editor: it opens on "before" in "locale", the sort buttons are pressed, words
// are typed or pasted, a list entry is clicked, then "act" is Enter in a box, a click on a button
// or Delete in a list. The close box writes the list back, and the editor is opened again.
struct Visit {
    const char* locale = "C";
    const char* before = "a=1 b=2 c=3";
    const char* buttons = ""; // 5/6: foreign A-Z/Z-A, 7/8: Estonian A-Z/Z-A
    const char* typed = "";   // foreign=Estonian
    bool paste = false;       // the foreign word from the clipboard
    const char* list = "";
    int row = -1;
    const char* act = "";
    const char* after = nullptr; // nullptr: as before
    const char* boxes = "=";     // foreign=Estonian afterwards
    const char* focus = "";      // "": not checked
    const char* refused = "";    // a character named as not taken
};

} // namespace

class TestEditor : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    // The sort is the old exchange sort, case ignored: equal keys are never exchanged (so it is
    // not stable), and in A-Z an empty key never comes forward.
    void editing_data() {
        QTest::addColumn<Visit>("visit");
        auto row = [](const char* name, const Visit& visit) { QTest::newRow(name) << visit; };
        const char* mixed = "cherry=kirss apple=õun Banana=banaan";
        row("Enter in Text2",
            {.typed = "šõ€=žä", .act = "Text2", .after = "a=1 b=2 c=3 šõ€=žä", .focus = "Text2"});
        row("Enter in Text1, sorted",
            {.buttons = "6", .typed = "x=9", .act = "Text1", .after = "x=9 c=3 b=2 a=1"});
        row("Lisa, sorted",
            {.buttons = "6", .typed = "x=9", .act = "Command1", .after = "x=9 c=3 b=2 a=1"});
        row("Asenda, nothing selected",
            {.typed = "x=9", .act = "Command3", .after = "a=1 b=2 c=3 x=9"});
        row("Enter in Text2, no Estonian",
            {.typed = "x=", .act = "Text2", .boxes = "x=", .focus = "Text1"});
        row("Enter in Text1, no foreign",
            {.typed = "=9", .act = "Text1", .boxes = "=9", .focus = "Text2"});
        row("Lisa, no Estonian",
            {.typed = "x=", .act = "Command1", .boxes = "x=", .focus = "Text1"});
        row("Asenda, no foreign",
            {.typed = "=9", .act = "Command3", .boxes = "=9", .focus = "Text2"});
        row("Kustuta the middle: the pair before shown",
            {.list = "List1", .row = 1, .act = "Command2", .after = "a=1 c=3", .boxes = "a=1"});
        row("Delete the last in List2",
            {.list = "List2", .row = 2, .act = "List2", .after = "a=1 b=2", .boxes = "b=2"});
        row("Kustuta the first: the new first shown",
            {.list = "List2", .row = 0, .act = "Command2", .after = "b=2 c=3", .boxes = "b=2"});
        row("Delete the only pair",
            {.before = "a=1", .list = "List1", .row = 0, .act = "List1", .after = ""});
        row("Delete, nothing selected", {.typed = "t=", .act = "List2", .boxes = "t="});
        // A dictionary file is in Windows-1257; what it cannot hold is not taken.
        row("Cyrillic typed", {.typed = "kя=", .boxes = "k=", .refused = "я"});
        row("emoji pasted", {.typed = "a😀=", .paste = true, .refused = "😀"});
        row("foreign Z-A, A-Z",
            {.before = mixed, .buttons = "65", .after = "apple=õun Banana=banaan cherry=kirss"});
        row("Estonian A-Z, Z-A",
            {.before = mixed, .buttons = "78", .after = "apple=õun cherry=kirss Banana=banaan"});
        row("Estonian alphabet",
            {.locale = "et_EE",
             .before = "1=xenon 2=Õun 3=tee 4=zoo 5=üks 6=šokk 7=wc 8=öö 9=ähm 10=Sai",
             .buttons = "7",
             .after = "10=Sai 6=šokk 4=zoo 3=tee 7=wc 2=Õun 9=ähm 8=öö 5=üks 1=xenon"});
        // Qt's sort keys in the C locale are the plain bytes and would tell case apart.
        row("C locale, case apart", {.before = "apple=1 APPLE=2 Apple=3", .buttons = "5"});
        row("not stable", {.before = "b=1 b=2 a=3", .buttons = "5", .after = "a=3 b=2 b=1"});
        row("A-Z: empty key stays",
            {.before = "c=1 =2 b=3 a=4", .buttons = "5", .after = "a=4 =2 b=3 c=1"});
        row("Z-A: empty key last", {.before = "=1 a=2 b=3", .buttons = "6", .after = "b=3 a=2 =1"});
        row("empty Estonian word ends the list", {.before = "a=1 b=2 c= d=4", .after = "a=1 b=2"});
    }
    void editing() {
        QFETCH(Visit, visit);
        const QStringList after = pairs(visit.after ? visit.after : visit.before);
        QLocale::setDefault(QLocale(QString::fromLatin1(visit.locale)));
        Program p(pairs(visit.before));
        Editor* e = p.open();
        for (const char* b = visit.buttons; *b; ++b)
            click(named<QPushButton>(e, QByteArray("Command") + *b));
        const QString foreign = QString::fromUtf8(visit.typed).section(u'=', 0, 0);
        QApplication::clipboard()->setText(foreign);
        if (visit.paste)
            QTest::keyClick(e->Text2, Qt::Key_V, Qt::ControlModifier);
        else
            typeText(e->Text2, foreign);
        typeText(e->Text1, QString::fromUtf8(visit.typed).section(u'=', 1));
        if (auto* l = named<WordList>(e, visit.list)) { // selects the partner, shows the pair
            QTest::mouseClick(l->viewport(), Qt::LeftButton, {},
                              l->visualItemRect(l->item(visit.row)).center());
            QCOMPARE((l == e->List1 ? e->List2 : e->List1)->ListIndex(), visit.row);
            QCOMPARE(boxes(e), shown(e)[visit.row]);
        }
        const QStringList ahead = shown(e);
        if (auto* b = named<QPushButton>(e, visit.act)) {
            click(b);
        } else if (auto* w = named<QWidget>(e, visit.act)) {
            w->setFocus();
            QTest::keyClick(w, qobject_cast<QLineEdit*>(w) ? Qt::Key_Return : Qt::Key_Delete);
        }
        QCOMPARE(shown(e), after);
        QCOMPARE(boxes(e), QString::fromUtf8(visit.boxes));
        QCOMPARE(e->Label4->text().section(u'„', 1).section(u'“', 0, 0), visit.refused);
        QCOMPARE(e->Label1->text().simplified(), QStringLiteral("Sõnu: %1").arg(after.size()));
        QCOMPARE(active(e), QString::fromLatin1(visit.buttons).right(1));
        QCOMPARE(e->List1->ListIndex() + e->List2->ListIndex(), -2);
        QCOMPARE(p.state.Changed, qint16(shown(e) != ahead));
        if (*visit.focus)
            QCOMPARE(e->focusWidget()->objectName(), QString::fromLatin1(visit.focus));
        e->close();
        settle();
        e = p.open(); // with no sort active
        QCOMPARE(shown(e), after);
        QCOMPARE(active(e), QString());
    }

    // A file holds 1000 pairs: no addition goes beyond, and the typed words stay.
    void thousandPairLimit() {
        QStringList full;
        for (int k = 0; k < Editor::MaxPairs; ++k)
            full << QStringLiteral("f%1=e%1").arg(k);
        Program p(full);
        Editor* e = p.open();
        typeText(e->Text2, QStringLiteral("one"));
        typeText(e->Text1, QStringLiteral("more"));
        click(e->Command1);
        QTest::keyClick(e->Text1, Qt::Key_Return);
        click(e->Command3);
        QCOMPARE(p.platform.messages.size(), 3);
        QCOMPARE(boxes(e), QStringLiteral("one=more"));
        QCOMPARE(p.state.Changed, qint16(0));
        // Replacing a selected pair adds nothing.
        QTest::mouseClick(e->List1->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
        e->Text2->setText(QStringLiteral("new"));
        click(e->Command3);
        QCOMPARE(p.platform.messages.size(), 3);
        QCOMPARE(shown(e).back(), QStringLiteral("new=e0"));
        click(e->Command4);
        QCOMPARE(p.state.WordCount, qint16(999));
    }
};

QTEST_MAIN(TestEditor)
#include "tst_editor.moc"
