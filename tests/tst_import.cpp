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

// A main window over a list of one pair, edited, from list.dic.
struct Session : Program {
    Session() {
        store(QStringLiteral("old=vana"));
        state.CurrentFile = file(QStringLiteral("list.dic"));
        state.Changed = 1;
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
        row("Anki HTML", "#separator:Tab\n#html:true\na<br>b\t<i>A</i> &amp; B", "a b=A & B");
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
        row("definition over two lines", "koer\tdog\nkass\tcat that\nmeows",
            "koer=dog|kass=cat that meows", "1 rida jätkas eelmise rea viimast välja");
        const QString kvtml = QStringLiteral(
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?><kvtml version=\"2.0\"><information/>"
            "<identifiers><identifier id=\"0\"><name>A</name>%1</identifier>"
            "<identifier id=\"1\"><name>B</name>%2</identifier></identifiers><entries>"
            "<entry id=\"0\"><translation id=\"0\"><text>dog</text><grade/></translation>"
            "<translation id=\"1\"><comment>c</comment><text>koer</text></translation></entry>"
            "<entry id=\"1\"><translation id=\"0\"><text>cat</text></translation></entry>"
            "<entry id=\"2\"><translation id=\"1\"><text>õun</text></translation>"
            "<translation id=\"0\"><text>apple</text></translation></entry>"
            "</entries><lessons><container><entry id=\"0\"/></container></lessons></kvtml>");
        row("kvtml, et second", kvtml.arg("<locale>en</locale>", "<locale>et</locale>").toUtf8(),
            "koer=dog|õun=apple -1");
        row("kvtml, et_EE second", kvtml.arg("", "<locale>et_EE</locale>").toUtf8(),
            "koer=dog|õun=apple -1");
        row("kvtml, et first", kvtml.arg("<locale>et</locale>", "").toUtf8(),
            "dog=koer|apple=õun -1");
        const auto id = [](const char* n, const char* locale) {
            return QString("<identifier id=\"%1\"><locale>%2</locale></identifier>").arg(n, locale);
        };
        const auto tr = [](const char* n, const char* text) {
            return QString("<translation id=\"%1\"><text>%2</text></translation>").arg(n, text);
        };
        const QString v2 =
            "<kvtml version=\"2.0\"><identifiers>%1</identifiers><entries>%2</entries>"
            "</kvtml>";
        row("kvtml, ids en, de, et",
            v2.arg(id("0", "en") + id("1", "de") + id("2", "et"),
                   "<entry>" + tr("0", "dog") + tr("1", "Hund") + tr("2", "koer") + "</entry>")
                .toUtf8(),
            "koer=dog");
        row("kvtml, translations 0 and 2 only",
            v2.arg(id("0", "en") + id("2", "et"), "<entry>" + tr("2", "koer") + tr("0", "dog") +
                                                      "</entry><entry>" + tr("2", "kass") +
                                                      "</entry>")
                .toUtf8(),
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

    // A .txt opens as a dictionary unless most of its rows are split in two.
    void looksDelimited_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("delimited");
        QTest::newRow("dictionary, commas")
            << QByteArray("suur, pikk\nbig, tall\nkoer\ndog, x\n") << false;
        QTest::newRow("comma list") << QByteArray("# x\na,b\nc,d\ne,f\ng,h\ni\n") << true;
    }
    void looksDelimited() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, delimited);
        QCOMPARE(wordimport::looksDelimited(bytes), delimited);
    }

    // The 1000 cap counts the rest; unusable pairs are counted and only the first few named.
    void limitAndNotice() {
        Table table;
        for (int k = 0; k < 1003; ++k)
            table.rows.appendRow({QString::number(k), QStringLiteral("x")});
        for (const char* bad : {"naïve", "", "ŋ", "ǅ"})
            table.rows.appendRow({QString::fromUtf8(bad), QStringLiteral("y")});
        const QString text = notice(takePairs(table, false, 0, 1));
        for (const char* part : {"Imporditi 1000 ", "Välja jäi 3 ", "\"naïve\" – \"y\"",
                                 "\"ǅ\" – \"y\".", "Välja jäi 1 rida", "ülejäänud 3 "})
            QVERIFY2(text.contains(QString::fromUtf8(part)), qPrintable(text));
    }

    // One pair under the list's rules: what lands, or how the notice names what was left out.
    void listRules_data() {
        QTest::addColumn<QString>("estonian");
        QTest::addColumn<QString>("foreign");
        QTest::addColumn<QString>("landed");
        QTest::addColumn<QString>("named");
        QTest::newRow("decomposed õ composed") << u"o\u0303un"_s << "apple" << u"õun=apple"_s << "";
        QTest::newRow("C1 control") << u"\u008Aun"_s << "x"
                                    << "" << u"\"\u008Aun\" – \"x\""_s;
        QTest::newRow("} reads back as -") << "a}b"
                                           << "x"
                                           << ""
                                           << "\"a}b\" – \"x\"";
        QTest::newRow("long word cut in the notice")
            << QString(251, u'a') << "x"
            << "" << u"\""_s + QString(39, u'a') + u"…\" – \"x\""_s;
        QTest::newRow("250 letters fit") << QString(250, u'a') << "x" << QString(250, u'a') + "=x"
                                         << "";
    }
    void listRules() {
        QFETCH(QString, estonian);
        QFETCH(QString, foreign);
        QFETCH(QString, landed);
        QFETCH(QString, named);
        Table table;
        table.rows.appendRow({estonian, foreign});
        const Pairs pairs = takePairs(table, false, 0, 1);
        QCOMPARE(pairs.taken.isEmpty() ? QString() : pairs.taken[0][0] + u'=' + pairs.taken[0][1],
                 landed);
        QCOMPARE(pairs.firstLeftOut.value(0), named);
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
        QTest::newRow("two columns, as guessed")
            << two << QStringList{} << QStringList{"koer=dog", "kass=cat"}
            << "Imporditakse 2 sõnapaari. Välja jääb 1."
            << "";
        QTest::newRow("swapped") << two << QStringList{"Vaheta veerud"}
                                 << QStringList{"dog=koer", "cat=kass"}
                                 << "Imporditakse 2 sõnapaari. Välja jääb 1."
                                 << "";
        QTest::newRow("header taken as a pair")
            << two << QStringList{"Esimene rida on päis"}
            << QStringList{"Eesti=English", "koer=dog", "kass=cat"}
            << "Imporditakse 3 sõnapaari. Välja jääb 1."
            << "";
        const QByteArray four = "nr;eesti;inglise;märkus\n1;õun;apple;puuvili\n2;jõgi;river;\n";
        QTest::newRow("four columns, Estonian by its heading")
            << four << QStringList{} << QStringList{"õun=apple", "jõgi=river"}
            << "Imporditakse 2 sõnapaari."
            << "2. veerg: eesti / 3. veerg: inglise";
        QTest::newRow("foreign word from the note column")
            << four << QStringList{"key:Alt+R", "key:Down"} << QStringList{"õun=puuvili"}
            << "Imporditakse 1 sõnapaari. Välja jääb 1."
            << "2. veerg: eesti / 4. veerg: märkus";
        QTest::newRow("Estonian chosen from the foreign column swaps the two")
            << four << QStringList{"key:Alt+S", "key:Down"}
            << QStringList{"apple=õun", "river=jõgi"} << "Imporditakse 2 sõnapaari."
            << "3. veerg: inglise / 2. veerg: eesti";
    }
    void preview() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, steps);
        QFETCH(QStringList, preview);
        QFETCH(QString, count);
        QFETCH(QString, choosers);
        Program s;
        QVERIFY(writeFile(s.file("words.csv"), bytes));
        s.main->openGivenFile(s.file("words.csv"));
        s.run(steps.join(u','));
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

    // A .txt named on the command line goes to the import window only when its rows hold two
    // columns; a dictionary saved under a .txt name opens as one.
    void commandLineTxt_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("imported");
        QTest::addColumn<QString>("list");
        QTest::newRow("dictionary") << QByteArray("koer\r\n\"dog, hound\"\r\n\xF5un\r\napple\r\n")
                                    << false << "koer|dog, hound|õun|apple";
        QTest::newRow("tab-separated list")
            << QByteArray("koer\tdog\r\n\xF5un\tapple\r\n") << true << "";
    }
    void commandLineTxt() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, imported);
        QFETCH(QString, list);
        Program s;
        QVERIFY(writeFile(s.file("list.txt"), bytes));
        s.main->openGivenFile(s.file("list.txt"));
        QCOMPARE(bool(s.forms.find<ImportWindow>()), imported);
        QCOMPARE(imported ? QString() : pairsOf(s.state).join(u'|'), list);
    }

    // The import window through its controls, reached from the command line (no question) and
    // from the menu after the prompt: swap and header as the list takes them, Enter takes, Esc and
    // Cancel leave the list as it was, a bad file is reported; Save then asks for a name.
    void window_data() {
        Rows row; // steps | the list afterwards, " *" when unsaved | part of the message, if any
        const QString notice = QStringLiteral(" | Välja jäi 1 ");
        row("as guessed", "open:words.csv,Impordi | koer=dog|kass=cat *" + notice);
        row("swapped",
            "open:words.csv,Vaheta veerud,key:Tab,key:Return | dog=koer|cat=kass *" + notice);
        row("header taken as a pair",
            "open:words.csv,Esimene rida on päis,Vaheta veerud,Vaheta veerud,Impordi | "
            "Eesti=English|koer=dog|kass=cat *" +
                notice);
        row("not a word list", "open:bad.csv | vana=old | ainult üks veerg");
        row("prompt Yes", "import:words.csv,Yes,key:Enter | koer=dog|kass=cat *" + notice);
        row("prompt No, Esc", "import:words.csv,No,Vaheta veerud,key:Esc | vana=old | ");
        row("prompt No, Cancel", "import:words.csv,No,Loobu | vana=old | ");
        row("prompt Cancel", "import:words.csv,Cancel | vana=old * | ");
        // Words added while the window was up are not replaced without a question.
        row("edited meanwhile", "import:words.csv,No,Editor,type:new,key:Tab,type:uus,Lisa,Lõpeta,"
                                "Impordi,No | vana=old|uus=new | ");
    }
    void window() {
        const QStringList c = cells();
        Session s;
        QVERIFY(writeFile(s.file("words.csv"), "Eesti;English\nkoer;dog\nkass;cat\nŋ;x\n"));
        QVERIFY(writeFile(s.file("bad.csv"), "koer\n"));
        s.run(c[0], [&](const QString& step) {
            const QString file = s.file(step.section(u':', 1));
            if (step.startsWith("import:")) {
                s.platform.dialogAnswers << FakePlatform::chosen(file);
                s.run("menu:Import");
            } else if (step.startsWith("open:")) {
                s.state.Changed = 0; // the command line comes before any edit
                s.main->openGivenFile(file);
            }
            return step.contains(".csv");
        });
        settle();
        QVERIFY(!s.forms.find<ImportWindow>() && !s.forms.find<SavePrompt>());
        QCOMPARE(pairsOf(s.state, u'=').join(u'|') + (s.state.Changed ? " *" : ""), c[1]);
        const bool taken = !c[1].startsWith("vana=old");
        QCOMPARE(s.main->windowTitle(), taken ? "Sonarix - words.csv" : "Sonarix - Untitled.dic");
        QCOMPARE(s.platform.messages.size(), int(!c[2].isEmpty()));
        QVERIFY2(s.platform.messages.value(0).text.contains(c[2]), qPrintable(c[2]));
        s.platform.dialogs.clear();
        s.run("menu:Save");
        QCOMPARE(s.dialogs(), taken ? "save:DIR/words.dic" : "");
    }

    // The format chosen in Export's dialog is the one written, each with a byte-order mark, and
    // the next Export comes up with its extension. The list's file, its unsaved mark and the
    // title stay as they were.
    void exportCommand_data() {
        QTest::addColumn<int>("filter");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("nextPreset");
        QTest::newRow("comma") << 0
                               << QByteArray("\xEF\xBB\xBF"
                                             "eesti,võõrkeel\r\nvana,old\r\n")
                               << "DIR/list.csv";
        QTest::newRow("semicolon") << 1
                                   << QByteArray("\xEF\xBB\xBF"
                                                 "eesti;võõrkeel\r\nvana;old\r\n")
                                   << "DIR/list.csv";
        QTest::newRow("tab") << 2
                             << QByteArray("\xEF\xBB\xBF"
                                           "eesti\tvõõrkeel\r\nvana\told\r\n")
                             << "DIR/list.txt";
    }
    void exportCommand() {
        QFETCH(int, filter);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, nextPreset);
        Session s;
        s.platform.dialogAnswers << FakePlatform::chosen(s.file("out"), filter);
        s.run("menu:Export");
        QCOMPARE(fileBytes(s.file("out")), bytes);
        s.run("menu:Export");
        QCOMPARE(s.dialogs(), "save:DIR/list.csv,save:" + nextPreset);
        QCOMPARE(s.state.CurrentFile + QString::number(s.state.Changed) + s.main->windowTitle(),
                 s.file("list.dic") + "1Sonarix - Untitled.dic");
    }

    // A write that fails says so.
    void exportFails() {
        Session s;
        s.platform.dialogAnswers << FakePlatform::chosen(s.file("no/out.csv"));
        s.run("menu:Export");
        QCOMPARE(s.platform.messages.size(), 1);
    }

    // No dialog comes up preset to the file the list was imported from: a hasty Enter must
    // never write over the user's own sheet or dictionary.
    void presetsBesideSource_data() {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("preset");
        QTest::newRow("Export after a CSV") << "words.csv"
                                            << "menu:Export"
                                            << "save:DIR/words-sonarix.csv";
        QTest::newRow("Save after a .dic") << "words.dic"
                                           << "menu:Save"
                                           << "save:DIR/words-sonarix.dic";
    }
    void presetsBesideSource() {
        QFETCH(QString, source);
        QFETCH(QString, command);
        QFETCH(QString, preset);
        Session s;
        s.state.Changed = 0;
        QVERIFY(writeFile(s.file(source), "koer;dog\nkass;cat\n"));
        s.main->importGivenFile(s.file(source));
        s.run("Impordi," + command);
        QCOMPARE(s.dialogs(), preset);
    }
};

QTEST_MAIN(TestImport)
#include "tst_import.moc"
