#include "app/MainWindow.h"
#include "app/SavePrompt.h"
#include "editor/EditorWindow.h"
#include "editor/WordList.h"
#include "forms/Forms.h"
#include "state/ProgramState.h"
#include "support/FakePlatform.h"
#include "support/TestUtil.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Pairs "foreign=estonian", separated by spaces.
QStringList pairs(const char* text) {
    return QString::fromUtf8(text).split(u' ', Qt::SkipEmptyParts);
}

void store(ProgramState& state, const QStringList& list) {
    state.WordCount = qint16(list.size() - 1);
    for (int k = 0; k < list.size(); ++k) {
        state.ForeignWords[k] = list[k].section(u'=', 0, 0);
        state.EstonianWords[k] = list[k].section(u'=', 1);
    }
}

QStringList stored(const ProgramState& state) {
    QStringList stored;
    for (int k = 0; !state.EstonianWords[k].isEmpty(); ++k)
        stored << state.ForeignWords[k] + u'=' + state.EstonianWords[k];
    return stored;
}

QStringList shown(const EditorWindow* e) {
    QStringList shown;
    for (int k = 0; k < e->estonianList->count(); ++k)
        shown << e->foreignList->word(k) + u'=' + e->estonianList->word(k);
    return shown;
}

// findChild() with no name would take any child.
template <typename T> T* named(EditorWindow* e, const char* name) {
    return *name ? e->findChild<T*>(QLatin1String(name)) : nullptr;
}

// Which sort buttons are drawn in the active colour, as "5", "7" ..
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

// A label's text starts at the top of its box: less room above the ink than below it.
bool startsAtTop(QLabel* label) {
    const QImage image = label->grab().toImage();
    int top = image.height();
    int bottom = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != image.pixel(0, 0)) {
                top = std::min(top, y);
                bottom = y;
            }
    return bottom >= 0 && top < image.height() - 1 - bottom;
}

// One visit to the editor: it opens on "before" in "locale", the sort buttons are pressed, a list
// entry is clicked, words are typed or pasted, then "act" is Enter in a box, a click on a button
// or Delete in a list. The close box (or "Lõpeta") writes the list back, and the editor is
// opened again.
struct Visit {
    const char* locale = "C";
    const char* before = "a=1 b=2 c=3";
    bool full = false;        // "before" filled up to the 1000 pairs a file holds
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
    bool shortCount = false;     // the count written after an addition by Enter
    bool finish = false;         // "Lõpeta" rather than the close box
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
        row("Enter in the foreign box", {.typed = "šõ€=žä",
                                         .act = "Text2",
                                         .after = "a=1 b=2 c=3 šõ€=žä",
                                         .focus = "Text2",
                                         .shortCount = true});
        row("Enter in the Estonian box, sorted",
            {.buttons = "6", .typed = "x=9", .act = "Text1", .after = "x=9 c=3 b=2 a=1"});
        row("Lisa, sorted",
            {.buttons = "6", .typed = "x=9", .act = "Command1", .after = "x=9 c=3 b=2 a=1"});
        row("Asenda on a selected pair: the new one last", {.typed = "x=9",
                                                            .list = "List2",
                                                            .row = 0,
                                                            .act = "Command3",
                                                            .after = "b=2 c=3 ax=19",
                                                            .finish = true});
        row("Asenda, nothing selected",
            {.typed = "x=9", .act = "Command3", .after = "a=1 b=2 c=3 x=9"});
        row("no Estonian, Enter", {.typed = "x=", .act = "Text2", .boxes = "x=", .focus = "Text1"});
        row("no foreign, Enter", {.typed = "=9", .act = "Text1", .boxes = "=9", .focus = "Text2"});
        row("no Estonian, Lisa",
            {.typed = "x=", .act = "Command1", .boxes = "x=", .focus = "Text1"});
        row("no foreign, Asenda",
            {.typed = "=9", .act = "Command3", .boxes = "=9", .focus = "Text2"});
        row("Delete in List1: the pair before shown", {.list = "List1",
                                                       .row = 1,
                                                       .act = "List1",
                                                       .after = "a=1 c=3",
                                                       .boxes = "a=1",
                                                       .finish = true});
        row("Kustuta the first: the new first shown",
            {.list = "List2", .row = 0, .act = "Command2", .after = "b=2 c=3", .boxes = "b=2"});
        row("Delete the only pair in the foreign list",
            {.before = "a=1", .list = "List2", .row = 0, .act = "List2", .after = ""});
        // 1000 pairs fill a file: Lisa, Enter and Asenda (nothing selected) add no more.
        row("full: Lisa", {.full = true, .typed = "x=9", .act = "Command1", .boxes = "x=9"});
        row("full: Enter", {.full = true, .typed = "x=9", .act = "Text1", .boxes = "x=9"});
        row("full: Asenda", {.full = true, .typed = "x=9", .act = "Command3", .boxes = "x=9"});
        row("Delete, nothing selected", {.typed = "t=", .act = "List2", .boxes = "t="});
        // A dictionary file is in Windows-1257; what it cannot hold is not taken.
        row("Cyrillic typed", {.typed = "kя=", .boxes = "k=", .refused = "я"});
        row("emoji pasted", {.typed = "a😀=", .paste = true, .refused = "😀"});
        row("sorts in turn", {.before = "c=2 a=3 B=1", .buttons = "6578", .after = "a=3 c=2 B=1"});
        row("Estonian alphabet",
            {.locale = "et_EE",
             .before = "1=xenon 2=Õun 3=tee 4=zoo 5=üks 6=šokk 7=wc 8=öö 9=ähm 10=Sai",
             .buttons = "7",
             .after = "10=Sai 6=šokk 4=zoo 3=tee 7=wc 2=Õun 9=ähm 8=öö 5=üks 1=xenon"});
        // Qt's sort keys in the C locale are the plain bytes and would tell case apart.
        row("C locale", {.before = "b=1 B=2 a=3", .buttons = "5", .after = "a=3 B=2 b=1"});
        row("A-Z: empty stays", {.before = "c=1 =2 a=3", .buttons = "5", .after = "a=3 =2 c=1"});
        row("Z-A: empty key last", {.before = "=1 a=2 b=3", .buttons = "6", .after = "b=3 a=2 =1"});
        row("empty Estonian word ends the list", {.before = "a=1 b=2 c= d=4", .after = "a=1 b=2"});
    }
    void editing() {
        QFETCH(Visit, visit);
        QStringList before = pairs(visit.before);
        while (visit.full && before.size() < EditorWindow::MaxPairs)
            before << QStringLiteral("f%1=e").arg(before.size());
        const QStringList after = visit.after ? pairs(visit.after) : before;
        QLocale::setDefault(QLocale(QString::fromLatin1(visit.locale)));
        ProgramState state;
        FakePlatform platform;
        Forms forms(state, platform);
        store(state, before);
        MainWindow* main = forms.show<MainWindow>();
        click(main->editorButton); // "Editor"
        EditorWindow* e = forms.find<EditorWindow>();
        for (const char* b = visit.buttons; *b; ++b)
            click(named<QPushButton>(e, QByteArray("Command") + *b));
        if (auto* l = named<WordList>(e, visit.list)) { // shows the pair
            QTest::mouseClick(l->viewport(), Qt::LeftButton, {},
                              l->visualItemRect(l->item(visit.row)).center());
            QCOMPARE(e->foreignEdit->text() + u'=' + e->estonianEdit->text(), shown(e)[visit.row]);
        }
        const QString foreign = QString::fromUtf8(visit.typed).section(u'=', 0, 0);
        QApplication::clipboard()->setText(foreign);
        if (visit.paste)
            QTest::keyClick(e->foreignEdit, Qt::Key_V, Qt::ControlModifier);
        else
            typeText(e->foreignEdit, foreign);
        typeText(e->estonianEdit, QString::fromUtf8(visit.typed).section(u'=', 1));
        const QStringList ahead = shown(e);
        if (auto* b = named<QPushButton>(e, visit.act)) {
            click(b);
        } else if (auto* w = named<QWidget>(e, visit.act)) {
            w->setFocus();
            QTest::keyClick(w, qobject_cast<QLineEdit*>(w) ? Qt::Key_Return : Qt::Key_Delete);
        }
        QCOMPARE(shown(e), after);
        QCOMPARE(e->foreignEdit->text() + u'=' + e->estonianEdit->text(),
                 QString::fromUtf8(visit.boxes));
        QCOMPARE(e->hintLabel->text().section(u'„', 1).section(u'“', 0, 0), visit.refused);
        QVERIFY(startsAtTop(e->countLabel) && (!*visit.refused || startsAtTop(e->hintLabel)));
        QCOMPARE(e->countLabel->text(), QStringLiteral("Sõnu: ") + (visit.shortCount ? "" : " ") +
                                            QString::number(after.size()));
        QCOMPARE(active(e), QString::fromLatin1(visit.buttons).right(1));
        QCOMPARE(state.Changed, qint16(shown(e) != ahead));
        QCOMPARE(platform.messages.size(), int(visit.full));
        if (*visit.focus)
            QCOMPARE(e->focusWidget()->objectName(), QString::fromLatin1(visit.focus));
        if (visit.finish)
            click(e->finishButton);
        else
            e->close();
        settle();
        QVERIFY(!forms.find<EditorWindow>() && main->isVisible());
        // The store holds the pairs and nothing behind them, however long the list was.
        QCOMPARE(state.WordCount, qint16(after.size() - 1));
        for (int k = int(after.size()); k < ProgramState::Slots; ++k)
            QVERIFY2(state.EstonianWords[k].isEmpty() && state.ForeignWords[k].isEmpty(),
                     qPrintable(QString::number(k)));
        click(main->editorButton);
        e = forms.find<EditorWindow>(); // with no sort active
        QCOMPARE(shown(e), after);
        QCOMPARE(active(e), QString());
    }

    // A save while the editor is open writes the stored list, which lacks the editor's pair;
    // once "Lõpeta" brings the pair in, Exit asks again. A list that comes back only sorted
    // counts as saved.
    void savedWhileOpen_data() {
        QTest::addColumn<bool>("edit");          // a pair added before the save
        QTest::addColumn<QString>("save");       // "menu": File, Save; "close": close box, Yes
        QTest::addColumn<QByteArray>("buttons"); // sort buttons pressed after the save
        auto row = [](const char* name, bool edit, const char* save, const char* buttons) {
            QTest::newRow(name) << edit << QString::fromLatin1(save) << QByteArray(buttons);
        };
        row("no save", true, "", "");
        row("File, Save", true, "menu", "");
        row("close box, Yes", true, "close", "");
        row("close box, Yes, sort", true, "close", "5");
        row("nothing edited, sort", false, "close", "6");
    }
    void savedWhileOpen() {
        QFETCH(bool, edit);
        QFETCH(QString, save);
        QFETCH(QByteArray, buttons);
        QTemporaryDir dir;
        ProgramState state;
        FakePlatform platform;
        platform.workingDir = QDir::toNativeSeparators(dir.path());
        Forms forms(state, platform);
        MainWindow* main = forms.show<MainWindow>();
        state.CurrentFile = dir.filePath(QStringLiteral("list.dic"));
        store(state, pairs("a=1 b=2 c=3"));
        click(main->editorButton); // "Editor"
        EditorWindow* e = forms.find<EditorWindow>();
        if (edit) {
            typeText(e->foreignEdit, QStringLiteral("x"));
            typeText(e->estonianEdit, QStringLiteral("9"));
            click(e->addButton);
        }
        if (save == "menu") {
            main->saveAction->trigger();
        } else if (save == "close") {
            main->close();
            click(forms.find<SavePrompt>()->yesButton);
        }
        settle();
        for (const char b : buttons)
            click(named<QPushButton>(e, QByteArray("Command") + b));
        const QStringList edited = shown(e);
        click(e->finishButton); // "Lõpeta"
        settle();
        QCOMPARE(stored(state), edited);
        QVERIFY(!platform.ended());
        click(forms.find<MainWindow>()->exitButton); // Exit
        const SavePrompt* prompt = forms.find<SavePrompt>();
        QCOMPARE(prompt && prompt->isVisible(), edit);
        QCOMPARE(platform.ended(), !edit);
    }
};

QTEST_MAIN(TestEditor)
#include "tst_editor.moc"
