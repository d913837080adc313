// SPDX-License-Identifier: GPL-3.0-or-later
// Word lists from other formats: the readers, the list's rules, Export, and the import window.
#include "app/ImportWindow.h"
#include "app/MainWindow.h"
#include "app/SavePrompt.h"
#include "forms/Forms.h"
#include "state/ProgramState.h"
#include "support/FakePlatform.h"
#include "support/TestUtil.h"
#include "wordimport/WordImport.h"

#include <QComboBox>
#include <QLabel>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace wordimport;
using namespace Qt::StringLiterals;

namespace {

// The list a table makes with the header and column order its file suggests, as "est=foreign|…",
// and " -N" for the N pairs left out.
QString landed(const Table& table) {
    const Pairs pairs =
        takePairs(table, table.headerGuessed, table.estonianColumn, table.foreignColumn);
    ProgramState state;
    replaceList(state, pairs);
    const int left = pairs.leftOut + pairs.incomplete;
    return pairsOf(state, u'=').join(u'|') +
           (left > 0 ? QStringLiteral(" -%1").arg(left) : QString());
}

// The program with a list of one pair from list.dic, edited or not.
struct Session : Program {
    explicit Session(bool edited = true) {
        store(QStringLiteral("old=vana"));
        state.CurrentFile = file(QStringLiteral("list.dic"));
        state.Changed = edited;
    }
};

} // namespace

class TestImport : public QObject {
    Q_OBJECT
private slots:
    // What a file brings into the list, or "!" and part of the message that refuses it; and the
    // notes the reader made on the way.
    void read_data() {
        QTest::addColumn<QByteArray>("bytes"); // read as .kvtml when it starts with "<"
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("notes"); // the reader's notes, joined by " / "
        const auto row = [](const char* tag, const QByteArray& bytes, const QString& list,
                            const QString& notes = {}) {
            QTest::newRow(tag) << bytes << list << notes;
        };
        row("semicolon over comma", "a;b, c\r\nkoer;dog, hound", "a=b, c|koer=dog, hound");
        row("quoting", "\"a, b\",\"\"\"hi\"\"\"\r\n\"x\r\ny\",  \"z\" \r\n", "a, b=\"hi\"|x y=z");
        row("comments at the top only", "# list\nkoer,dog,x,y\n\n#1,üks\nkass,cat",
            "koer=dog|#1=üks|kass=cat");
        row("Anki", "#separator:semicolon\n#html:false\nko\ter;<b>x</b>\n", "ko\ter=<b>x</b>");
        // Only #html:true makes markup of a ";" file's fields: nothing else guesses so.
        row("Anki HTML", "#separator:semicolon\n#html:true\na<br>b;<i>A</i> B", "a b=A B");
        row("header names Estonian second", "English,Estonian\ndog,koer\n", "koer=dog");
        row("UTF-8 with BOM", "\xEF\xBB\xBFõun;apple", "õun=apple");
        row("UTF-16 LE", QByteArray("\xFF\xFE\xF5\0;\0a\0", 8), "õ=a");
        row("UTF-16 BE, tab", QByteArray("\xFE\xFF\x01\x61\0\t\0x", 8), "š=x");
        row("Windows-1257", "\xF5un;apple\n\xD0okk;shock", "õun=apple|Šokk=shock");
        row("empty word, unencodable, blanks", " naïve ;x\n;y\n  koer ; dog ", "koer=dog -2");
        row("unclosed quote", "a;b\nkass;\"cat\nkoer;dog", "a=b|kass=\"cat|koer=dog",
            "rida 2: jutumärk jäi sulgemata");
        row("31 columns", "a;b" + QByteArray(28, ';') + ";x;y", "a=b",
            "rida 1: üle 30 veeru, ülejäänuid ei loetud");
        row("Anki metadata columns",
            "#separator:tab\n#notetype column:1\n#deck column:2\n"
            "Basic\tE\tkoer\tdog",
            "koer=dog");
        row("header, number column", "nr;eesti;inglise;märkus\n1;koer;dog;x", "koer=dog");
        row("Anki HTML, no #html line",
            "x&#x27;&eacute;&nbsp;\t<div>põld</div><div>ala</div>\n"
            "a < b\tc[sound:c.mp3]<img src=\"c.jpg\">",
            "x'é=põld ala|a < b=c");
        row("#html:false, tab", "#html:false\na\t<b>x</b>", "a=<b>x</b>");
        row("one Latin-1 byte", "õun;apple\nkõik;all\ncaf\xE9;kohvik",
            "õun=apple|kõik=all|café=kohvik", "1 rida loeti Windows-1257 kodeeringus");
        row("Mac Roman", "\x9Bun;apple\rl\x8Aks;went\r", "õun=apple|läks=went",
            "tekst loeti Mac Roman kodeeringus");
        // Words NFC-normalised before the check; a C1 control and "}" (read back as "-") left out.
        row("decomposed õ composed", "o\xCC\x83un;apple", "õun=apple");
        row("C1 control, }", "a;b\n\xC2\x8Aun;x\na}b;y", "a=b -2");
        row("250 letters fit, 251 not", QByteArray(250, 'a') + ";x\n" + QByteArray(251, 'a') + ";x",
            QString(250, u'a') + "=x -1");
        row("definition over two lines", "koer\tdog\nkass\tcat that\nmeows",
            "koer=dog|kass=cat that meows", "1 rida jätkas eelmise rea viimast välja");
        // kvtml 2: identifiers by id and locale, entries of translations by id.
        const auto id = [](const char* n, const char* locale) {
            return QString("<identifier id=\"%1\"><locale>%2</locale></identifier>").arg(n, locale);
        };
        const auto tr = [](const char* n, const char* text) {
            return QString("<translation id=\"%1\"><text>%2</text></translation>").arg(n, text);
        };
        const auto kvtml = [](const QString& identifiers, const QStringList& entries) {
            return ("<kvtml version=\"2.0\"><identifiers>" + identifiers +
                    "</identifiers><entries><entry>" + entries.join("</entry><entry>") +
                    "</entry></entries></kvtml>")
                .toUtf8();
        };
        // Parley's grades, comments and lessons are no words.
        row("kvtml, et_EE second",
            kvtml(id("0", "en") + id("1", "et_EE"),
                  {tr("0", "dog") + "<translation id=\"1\"><comment>c</comment><text>koer</text>"
                                    "<grade/></translation>",
                   tr("0", "cat")})
                .replace("</kvtml>", "<lessons><container><entry id=\"0\"/></container>"
                                     "</lessons></kvtml>"),
            "koer=dog -1");
        row("kvtml, et first",
            kvtml(id("0", "et") + id("1", "en"), {tr("0", "koer") + tr("1", "dog")}), "koer=dog");
        row("kvtml, ids en, de, et",
            kvtml(id("0", "en") + id("1", "de") + id("2", "et"),
                  {tr("0", "dog") + tr("1", "Hund") + tr("2", "koer")}),
            "koer=dog");
        row("kvtml, translations 0 and 2 only",
            kvtml(id("0", "en") + id("2", "et"),
                  {tr("2", "koer") + tr("0", "dog"), tr("2", "kass")}),
            "koer=dog -1");
        row("kvtml version 1, Estonian second of two translations",
            "<kvtml><e><o l=\"en\">dog</o><t l=\"de\">Hund</t><t l=\"et\">koer</t></e>"
            "<e><o> </o><t/></e><e><o>cat</o><t>Katze</t><t>kass</t></e></kvtml>",
            "koer=dog|kass=cat -1");
        row("kvtml version 1, 8-bit",
            "<kvtml encoding=\"8bit\"><e><o>\xF5un</o><t>apple</t></e></kvtml>", "õun=apple");

        // An exported list reads back as the same list, in each of Export's formats.
        const QStringList pairs = QString("koer=dog, hound|#1=say \"hi\"|õun;x=a\tb|Šokk=x-y|"
                                          "<b>x</b>=a &amp; b [sound:s.mp3]|eesti=võõrkeel")
                                      .split(u'|');
        ProgramState exported;
        setPairs(exported, pairs, u'=');
        row("export read back, comma", exportList(exported, ExportFormat::CommaUtf8),
            pairs.join(u'|'));
        row("export read back, semicolon", exportList(exported, ExportFormat::SemicolonExcel),
            pairs.join(u'|'));
        row("export read back, tab", exportList(exported, ExportFormat::TabText), pairs.join(u'|'));

        row("empty", "", "!fail on tühi");
        row("binary", QByteArray("koer\0dog\n", 9), "!ei ole tekstifail");
        row("bad UTF-8 after a BOM", "\xEF\xBB\xBFkoer;\xFF", "!ei ole tekstifail");
        row("one column", "koer\nkass\n", "!ainult üks veerg");
        row("only comments", "#separator:tab\n# x\n", "!pole ühtegi sõnapaari");
        row("line of 1 MB", QByteArray(1 << 20, 'a') + ";b", "!pikem kui 1 MB");
        row("file over 50 MB", QByteArray((50 << 20) + 1, ' '), "!suurem kui 50 MB");
        row("XML not well-formed", "<kvtml version=\"2.0\"><entries>", "!XML");
        row("not kvtml", "<html/>", "!sõnavarafail");
    }
    void read() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, list);
        QFETCH(QString, notes);
        QTemporaryDir dir;
        const QString path = dir.filePath(bytes.startsWith('<') ? "a.kvtml" : "a.csv");
        QVERIFY(writeFile(path, bytes));
        const ReadResult read = readImportFile(path);
        const QString got = read.table ? landed(*read.table) : u'!' + read.error;
        QVERIFY2(list.startsWith(u'!') ? got.startsWith(u'!') && got.contains(list.mid(1))
                                       : got == list,
                 qPrintable(got));
        QCOMPARE(read.table ? read.table->readNotes.join(" / ") : QString(), notes);
    }

    // The 1000 cap counts the rest; unusable pairs are counted and only the first few named.
    void limitAndNotice() {
        Table table;
        for (int k = 0; k < 1003; ++k)
            table.rows.appendRow({QString::number(k), QStringLiteral("x")});
        // A long word is named cut short.
        for (const QString& bad : {u"naïve"_s, QString(), QString(251, u'a'), u"ǅ"_s})
            table.rows.appendRow({bad, QStringLiteral("y")});
        const QString text = notice(takePairs(table, false, 0, 1));
        for (const QString& part : {u"Imporditi 1000 "_s, u"Välja jäi 3 "_s, u"\"naïve\" – \"y\""_s,
                                    u"\""_s + QString(39, u'a') + u"…\" – \"y\""_s,
                                    u"\"ǅ\" – \"y\"."_s, u"Välja jäi 1 rida"_s, u"ülejäänud 3 "_s})
            QVERIFY2(text.contains(part), qPrintable(text));
    }

    // What the import window shows as the user picks the columns: the first pairs as they will
    // land, the count line, and which columns the two choosers hold (hidden for two columns).
    void preview_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("preview");
        QTest::addColumn<QString>("count");
        QTest::addColumn<QString>("choosers");
        const QByteArray two = "Eesti;English\nkoer;dog\nkass;cat\nŋ;x\n";
        // Each as the two-column file was guessed: Eesti first, its first row a header.
        row("swapped", two, QStringList{"click:Vaheta veerud"}, QStringList{"dog=koer", "cat=kass"},
            u"Imporditakse 2 sõnapaari. Välja jääb 1."_s, QString());
        row("header taken as a pair", two, QStringList{"click:Esimene rida on päis"},
            QStringList{"Eesti=English", "koer=dog", "kass=cat"},
            u"Imporditakse 3 sõnapaari. Välja jääb 1."_s, QString());
        const QByteArray four = "nr;eesti;inglise;märkus\n1;õun;apple;puuvili\n2;jõgi;river;\n";
        row("four columns, Estonian by its heading", four, QStringList(),
            QStringList{"õun=apple", "jõgi=river"}, u"Imporditakse 2 sõnapaari."_s,
            u"2. veerg: eesti / 3. veerg: inglise"_s);
        row("foreign word from the note column", four, QStringList{"key:Alt+R", "key:Down"},
            QStringList{"õun=puuvili"}, u"Imporditakse 1 sõnapaari. Välja jääb 1."_s,
            u"2. veerg: eesti / 4. veerg: märkus"_s);
        row("Estonian chosen from the foreign column swaps the two", four,
            QStringList{"key:Alt+S", "key:Down"}, QStringList{"apple=õun", "river=jõgi"},
            u"Imporditakse 2 sõnapaari."_s, u"3. veerg: inglise / 2. veerg: eesti"_s);
    }
    void preview() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, steps);
        QFETCH(QStringList, preview);
        QFETCH(QString, count);
        QFETCH(QString, choosers);
        Program s;
        QVERIFY(writeFile(s.file("words.csv"), bytes));
        s.run(QStringList{"choose:words.csv", "menu:Import"} + steps);
        const auto* window = s.forms.find<ImportWindow>();
        QVERIFY(window);
        QStringList shown;
        for (int row = 0; row < window->previewTable->rowCount(); ++row)
            shown << window->previewTable->item(row, 0)->text() + u'=' +
                         window->previewTable->item(row, 1)->text();
        QCOMPARE(shown, preview);
        QCOMPARE(window->countLabel->text(), count);
        QCOMPARE(window->estonianColumnBox->isVisible()
                     ? window->estonianColumnBox->currentText() + " / " +
                           window->foreignColumnBox->currentText()
                     : QString(),
                 choosers);
    }

    // The import window reached by File → Import, after the save question when the list has
    // unsaved words: the list afterwards, whether it counts as unsaved, the message, the title,
    // and the file dialogs met, the last one Save's or Export's, never preset to the source.
    // Export that cannot write says so, and nothing else changes.
    void importing_data() {
        QTest::addColumn<bool>("edited");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("list");
        QTest::addColumn<bool>("unsaved");
        QTest::addColumn<QString>("message"); // part of it; empty: none shown
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("dialogs");
        const QString taken = "koer=dog|kass=cat", left = "Välja jäi 1 ";
        const QString imported = "Sonarix - words.csv", untitled = "Sonarix - Untitled.dic";
        row("Enter takes, Save asks for a name", false,
            QStringList{"choose:words.csv", "menu:Import", "key:Return", "menu:Save"}, taken, true,
            left, imported, u"open,save:DIR/words.dic"_s);
        row("Export beside the imported CSV", false,
            QStringList{"choose:words.csv", "menu:Import", "click:Impordi", "menu:Export"}, taken,
            true, left, imported, u"open,save:DIR/words-sonarix.csv"_s);
        row("Save beside an imported .dic", false,
            QStringList{"choose:words.dic", "menu:Import", "click:Impordi", "menu:Save"}, taken,
            true, left, u"Sonarix - words.dic"_s, u"open,save:DIR/words-sonarix.dic"_s);
        row("not a word list", false, QStringList{"choose:bad.csv", "menu:Import"}, u"vana=old"_s,
            false, u"ainult üks veerg"_s, untitled, u"open"_s);
        row("prompt Yes", true,
            QStringList{"choose:words.csv", "menu:Import", "click:Yes", "key:Enter"}, taken, true,
            left, imported, u"open"_s);
        row("prompt No, then Esc; again, Loobu", true,
            QStringList{"choose:words.csv", "menu:Import", "click:No", "key:Esc",
                        "choose:words.csv", "menu:Import", "click:Loobu"},
            u"vana=old"_s, false, QString(), untitled, u"open,open"_s);
        row("prompt Cancel", true, QStringList{"menu:Import", "click:Cancel"}, u"vana=old"_s, true,
            QString(), untitled, QString());
        // Words added while the window was up are not replaced without a question.
        row("edited meanwhile", true,
            QStringList{"choose:words.csv", "menu:Import", "click:No", "click:Editor", "type:new",
                        "key:Tab", "type:uus", "click:Lisa", "click:Lõpeta", "click:Impordi",
                        "click:No"},
            u"vana=old|uus=new"_s, false, QString(), untitled, u"open,open"_s);
        row("Export fails", true, QStringList{"choose:no/out.csv", "menu:Export"}, u"vana=old"_s,
            true, u"no/out.csv"_s, untitled, u"save:DIR/list.csv"_s);
    }
    void importing() {
        QFETCH(bool, edited);
        QFETCH(QStringList, steps);
        QFETCH(QString, list);
        QFETCH(bool, unsaved);
        QFETCH(QString, message);
        QFETCH(QString, title);
        QFETCH(QString, dialogs);
        Session s(edited);
        for (const char* name : {"words.csv", "words.dic"})
            QVERIFY(writeFile(s.file(name), "Eesti;English\nkoer;dog\nkass;cat\nŋ;x\n"));
        QVERIFY(writeFile(s.file("bad.csv"), "koer\n"));
        s.run(steps);
        settle();
        QVERIFY(!s.forms.find<ImportWindow>() && !s.forms.find<SavePrompt>());
        QCOMPARE(pairsOf(s.state, u'=').join(u'|'), list);
        QCOMPARE(bool(s.state.Changed), unsaved);
        QCOMPARE(s.platform.messages.size(), int(!message.isEmpty()));
        QVERIFY2(s.platform.messages.value(0).text.contains(message), qPrintable(message));
        QCOMPARE(s.main->windowTitle(), title);
        QCOMPARE(s.dialogs(), dialogs);
    }

    // Each format chosen in Export's dialog is the one written, with a byte-order mark, and the
    // next Export comes up with its extension. The list's file, its unsaved mark and the title
    // stay as they were.
    void exportFormats() {
        Session s;
        for (const int filter : {0, 1, 2})
            s.platform.dialogAnswers
                << FakePlatform::chosen(s.file(QString::number(filter)), filter);
        s.run(QStringList{"menu:Export", "menu:Export", "menu:Export", "menu:Export"});
        const QByteArray bom = "\xEF\xBB\xBF";
        QCOMPARE(fileBytes(s.file("0")), bom + "eesti,võõrkeel\r\nvana,old\r\n");
        QCOMPARE(fileBytes(s.file("1")), bom + "eesti;võõrkeel\r\nvana;old\r\n");
        QCOMPARE(fileBytes(s.file("2")), bom + "eesti\tvõõrkeel\r\nvana\told\r\n");
        QCOMPARE(s.dialogs(),
                 "save:DIR/list.csv,save:DIR/list.csv,save:DIR/list.csv,save:DIR/list.txt");
        QCOMPARE(s.state.CurrentFile + QString::number(s.state.Changed) + s.main->windowTitle(),
                 s.file("list.dic") + "1Sonarix - Untitled.dic");
    }
};

QTEST_MAIN(TestImport)
#include "tst_import.moc"
