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

#include <QTemporaryDir>
#include <QTest>

using namespace wordimport;

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

        // An exported list reads back as the same list.
        const QStringList pairs =
            QString("koer=dog, hound|#1=say \"hi\"|õun;x=a\tb|Šokk=x-y|eesti=võõrkeel").split(u'|');
        ProgramState exported;
        setPairs(exported, pairs, u'=');
        row("export read back", exportList(exported, ExportFormat::CommaUtf8), pairs.join(u'|'));

        row("empty", "", "!fail on tühi");
        row("binary", QByteArray("koer\0dog\n", 9), "!ei ole tekstifail");
        row("bad UTF-8 after a BOM", "\xEF\xBB\xBFkoer;\xFF", "!ei ole tekstifail");
        row("one column", "koer\nkass\n", "!ainult üks veerg");
        row("only comments", "#separator:tab\n# x\n", "!pole ühtegi sõnapaari");
        row("line of 1 MB", QByteArray(1 << 20, 'a') + ";b", "!pikem kui 1 MB");
        row("file over 50 MB", QByteArray((50 << 20) + 1, ' '), "!suurem kui 50 MB");
        row("XML not well-formed", "<kvtml version=\"2.0\"><entries>", "!XML");
        row("kvtml version 1", "<kvtml><e><o>a</o><t>b</t></e></kvtml>", "!versiooni 2");
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

    // Export writes the CSV and leaves the list's file, its unsaved mark and the title alone; a
    // write that fails says so.
    void exportCommand() {
        Session s;
        s.platform.dialogAnswers << FakePlatform::chosen(s.file("out.csv"))
                                 << FakePlatform::chosen(s.file("no/out.csv"));
        s.run("menu:Export");
        QCOMPARE(s.dialogs(), "save:DIR/list.csv");
        QCOMPARE(fileBytes(s.file("out.csv")),
                 QByteArray("\xEF\xBB\xBF" "eesti,võõrkeel\r\nvana,old\r\n"));
        s.run("menu:Export");
        QCOMPARE(s.platform.messages.size(), 1);
        QCOMPARE(s.state.CurrentFile + QString::number(s.state.Changed) + s.main->windowTitle(),
                 s.file("list.dic") + "1Sonarix - Untitled.dic");
    }
};

QTEST_MAIN(TestImport)
#include "tst_import.moc"
