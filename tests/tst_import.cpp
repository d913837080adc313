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

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

using namespace wordimport;

namespace {

// The list as "est=foreign|…".
QString listOf(const ProgramState& state) {
    QStringList out;
    for (int k = 0; k <= state.WordCount; ++k)
        out << state.EstonianWords[k] + u'=' + state.ForeignWords[k];
    return out.join(u'|');
}

// The list a table makes with the header and column order its file suggests, and " -N" for the
// N pairs left out.
QString landed(const Table& table) {
    const Pairs pairs = takePairs(table, table.headerGuessed, table.estonianColumn == 1);
    ProgramState state;
    replaceList(state, pairs);
    const int left = pairs.leftOut + pairs.incompleteEntries;
    return listOf(state) + (left > 0 ? QStringLiteral(" -%1").arg(left) : QString());
}

// A main window over a list of one pair, edited, from list.dic.
struct Session {
    QTemporaryDir dir;
    ProgramState state;
    FakePlatform platform;
    Forms forms{state, platform};
    MainWindow* main = forms.show<MainWindow>();

    Session() {
        platform.workingDir = QDir::toNativeSeparators(dir.path());
        state.EstonianWords[0] = QStringLiteral("vana");
        state.ForeignWords[0] = QStringLiteral("old");
        state.WordCount = 0;
        state.CurrentFile = file(QStringLiteral("list.dic"));
        state.Changed = 1;
    }
    QString file(const QString& name) const { return dir.filePath(name); }
    ImportWindow* window() const { return forms.find<ImportWindow>(); }
};

} // namespace

class TestImport : public QObject {
    Q_OBJECT
private slots:
    // What a file brings into the list, or "!" and part of the message that refuses it.
    void read_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<qint64>("size"); // the file made this long, sparse
        QTest::addColumn<QString>("list");
        const auto row = [](const char* tag, const char* name, const QByteArray& bytes,
                            const QString& list, qint64 size = 0) {
            QTest::newRow(tag) << QString(name) << bytes << size << list;
        };
        const auto utf16 = [](QStringConverter::Encoding encoding, const char* text) {
            return QByteArray(QStringEncoder(encoding, QStringConverter::Flag::WriteBom)
                                  .encode(QString::fromUtf8(text)));
        };
        row("tab", "a.tsv", "koer\tdog\nkass\tcat\n", "koer=dog|kass=cat");
        row("semicolon, commas in words", "a.csv", "koer;dog, hound\r\nkass;cat",
            "koer=dog, hound|kass=cat");
        row("quoting", "a.csv", "\"a, b\",\"say \"\"hi\"\"\"\r\n\"x\r\ny\",  \"z\" \r\n",
            "a, b=say \"hi\"|x y=z");
        row("comments, blank lines, extra columns", "a.txt", "# list\nkoer,dog,x,y\n\n#c\nkass,cat",
            "koer=dog|kass=cat");
        row("Anki, HTML left", "a.txt", "#separator:semicolon\n#html:false\nko\ter;<b>x</b>\n",
            "ko\ter=<b>x</b>");
        row("Anki, HTML read", "a.txt",
            "#separator:Tab\n#html:true\nkoer<br>suur\t<i>A</i> &amp; B", "koer suur=A & B");
        row("header guessed", "a.csv", "Eesti;Inglise\nkoer;dog\n", "koer=dog");
        row("header names Estonian second", "a.csv", "English,Estonian\ndog,koer\n", "koer=dog");
        row("UTF-8 with BOM", "a.csv", "\xEF\xBB\xBFõun;apple", "õun=apple");
        row("UTF-16 LE", "a.csv", utf16(QStringConverter::Utf16LE, "õun;apple"), "õun=apple");
        row("UTF-16 BE", "a.csv", utf16(QStringConverter::Utf16BE, "šokk\tshock"), "šokk=shock");
        row("Windows-1257", "a.csv", "\xF5un;apple\n\xD0okk;shock", "õun=apple|Šokk=shock");
        row("empty word, unencodable, blanks", "a.csv", " naïve ;x\n;y\n  koer ; dog ",
            "koer=dog -2");
        const QByteArray kvtml =
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?><kvtml version=\"2.0\"><information/>"
            "<identifiers><identifier id=\"0\"><name>A</name>%1</identifier>"
            "<identifier id=\"1\"><name>B</name>%2</identifier></identifiers><entries>"
            "<entry id=\"0\"><translation id=\"0\"><text>dog</text><grade/></translation>"
            "<translation id=\"1\"><comment>c</comment><text>koer</text></translation></entry>"
            "<entry id=\"1\"><translation id=\"0\"><text>cat</text></translation></entry>"
            "<entry id=\"2\"><translation id=\"1\"><text>õun</text></translation>"
            "<translation id=\"0\"><text>apple</text></translation></entry>"
            "</entries><lessons><container><entry id=\"0\"/></container></lessons></kvtml>";
        const auto locales = [&kvtml](const char* first, const char* second) {
            return QByteArray(kvtml).replace("%1", first).replace("%2", second);
        };
        row("kvtml, Estonian second", "a.kvtml",
            locales("<locale>en</locale>", "<locale>et</locale>"), "koer=dog|õun=apple -1");
        row("kvtml, Estonian first", "a.kvtml", locales("<locale>et_EE</locale>", ""),
            "dog=koer|apple=õun -1");

        // An exported list reads back as the same list.
        ProgramState exported;
        const QStringList words = {"koer", "dog, hound", "say \"hi\"", "#1",    "õun;x",
                                   "a\tb", "Šokk",       "x-y",        "eesti", "võõrkeel"};
        for (int k = 0; k < words.size(); k += 2) {
            exported.EstonianWords[k / 2] = words[k];
            exported.ForeignWords[k / 2] = words[k + 1];
        }
        exported.WordCount = qint16(words.size() / 2 - 1);
        row("export read back", "a.csv", exportCsv(exported), listOf(exported));

        row("empty", "a.csv", "", "!fail on tühi");
        row("binary", "a.csv", QByteArray("koer\0dog\n", 9), "!ei ole tekstifail");
        row("bad UTF-8 after a BOM", "a.csv", "\xEF\xBB\xBFkoer;\xFF", "!ei ole tekstifail");
        row("one column", "a.txt", "koer\nkass\n", "!ainult üks veerg");
        row("only comments", "a.csv", "#separator:tab\n# x\n", "!pole ühtegi sõnapaari");
        row("line of 1 MB", "a.csv", QByteArray(1 << 20, 'a') + ";b", "!pikem kui 1 MB");
        row("file of 50 MB", "a.csv", "a;b\n", "!suurem kui 10 MB", qint64(50) << 20);
        row("XML not well-formed", "a.kvtml", "<kvtml version=\"2.0\"><entries>", "!XML");
        row("kvtml version 1", "a.kvtml", "<kvtml><e><o>a</o><t>b</t></e></kvtml>", "!versiooni 2");
        row("not kvtml", "a.kvtml", "<html/>", "!sõnavarafail");
    }
    void read() {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(qint64, size);
        QFETCH(QString, list);
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath(name), bytes));
        if (size > 0)
            QVERIFY(QFile::resize(dir.filePath(name), size));
        const ReadResult read = readImportFile(dir.filePath(name));
        const QString got = read.table ? landed(*read.table) : u'!' + read.error;
        if (list.startsWith(u'!'))
            QVERIFY2(got.startsWith(u'!') && got.contains(list.mid(1)), qPrintable(got));
        else
            QCOMPARE(got, list);
    }

    // The 1000 cap counts the rest; unusable pairs are counted and the first few named.
    void limitAndNotice() {
        Table table;
        for (int k = 0; k < 1003; ++k)
            table.rows.append({QString::number(k), QStringLiteral("x")});
        for (const char* bad : {"naïve", "", "ŋ", "ǅ"})
            table.rows.append({QString::fromUtf8(bad), QStringLiteral("y")});
        const Pairs pairs = takePairs(table, false, false);
        QCOMPARE(pairs.taken.last()[0], QStringLiteral("999"));
        const QString text = notice(pairs);
        for (const char* part : {"Imporditi 1000 ", "Välja jäi 4 ", "\"naïve\" – \"y\"",
                                 "\"ŋ\" – \"y\" …", "ülejäänud 3 "})
            QVERIFY2(text.contains(QString::fromUtf8(part)), qPrintable(text));
        QVERIFY(!text.contains(QString::fromUtf8("ǅ"))); // only the first few are named
    }

    // A file given to the main window, through the import window's controls: swap and header as
    // the list takes them, Enter takes, Esc and Cancel leave the list as it was; a file that
    // cannot be imported is reported and changes nothing.
    void window_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("actions");
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("message"); // part of it; empty for none
        const auto row = [](const char* tag, const char* file, const char* actions,
                            const char* list, const char* message) {
            QTest::newRow(tag) << QString(file) << QString(actions) << QString::fromUtf8(list)
                               << QString::fromUtf8(message);
        };
        row("as guessed", "words.csv", "import", "koer=dog|kass=cat", "Välja jäi 1 ");
        row("swapped", "words.csv", "swap enter", "dog=koer|cat=kass", "Välja jäi 1 ");
        row("header taken as a pair", "words.csv", "header swap swap import",
            "Eesti=English|koer=dog|kass=cat", "Välja jäi 1 ");
        row("Esc", "words.csv", "swap esc", "vana=old", "");
        row("Cancel", "words.csv", "cancel", "vana=old", "");
        row("one column", "bad.csv", "", "vana=old", "ainult üks veerg");
    }
    void window() {
        QFETCH(QString, file);
        QFETCH(QString, actions);
        QFETCH(QString, list);
        QFETCH(QString, message);
        Session s;
        s.state.Changed = 0;
        QVERIFY(writeFile(s.file("words.csv"), "Eesti;English\nkoer;dog\nkass;cat\nŋ;x\n"));
        QVERIFY(writeFile(s.file("bad.csv"), "koer\n"));
        s.main->openGivenFile(s.file(file));
        for (const QString& a : actions.split(u' ', Qt::SkipEmptyParts)) {
            ImportWindow* w = s.window();
            QVERIFY(w);
            if (a == "enter" || a == "esc")
                QTest::keyClick(w, a == "enter" ? Qt::Key_Return : Qt::Key_Escape);
            else
                click(a == "swap"     ? w->swapButton
                      : a == "header" ? static_cast<QWidget*>(w->headerCheck)
                      : a == "import" ? w->importButton
                                      : w->cancelButton);
        }
        settle();
        QVERIFY(!s.window());
        QCOMPARE(listOf(s.state), list);
        const bool taken = list != "vana=old";
        QCOMPARE(s.state.Changed, qint16(taken));
        QCOMPARE(s.main->windowTitle(), taken ? "Sonarix - words.csv" : "Sonarix - Untitled.dic");
        QCOMPARE(s.platform.messages.size(), int(!message.isEmpty()));
        if (!message.isEmpty())
            QVERIFY2(s.platform.messages[0].text.contains(message),
                     qPrintable(s.platform.messages[0].text));
    }

    // Import asks first as Open does; Save afterwards asks for a name, offering words.dic.
    void promptThenSave_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QByteArray>("listFile"); // list.dic afterwards
        QTest::newRow("Yes") << "yes" << QByteArray("vana\r\nold\r\n");
        QTest::newRow("No") << "no" << QByteArray("<missing>");
        QTest::newRow("Cancel") << "cancel" << QByteArray("<missing>");
    }
    void promptThenSave() {
        QFETCH(QString, answer);
        QFETCH(QByteArray, listFile);
        Session s;
        QVERIFY(writeFile(s.file("words.csv"), "koer;dog\n"));
        s.platform.dialogAnswers << FakePlatform::chosen(s.file("words.csv"));
        s.main->importAction->trigger();
        SavePrompt* prompt = s.forms.find<SavePrompt>();
        QVERIFY(prompt);
        click(answer == "yes"  ? prompt->yesButton
              : answer == "no" ? prompt->noButton
                               : prompt->cancelButton);
        QCOMPARE(fileBytes(s.file("list.dic")), listFile);
        QCOMPARE(bool(s.window()), answer != "cancel");
        if (!s.window())
            return;
        QTest::keyClick(s.window(), Qt::Key_Enter);
        s.platform.dialogAnswers << FakePlatform::chosen(s.file("mine.dic"));
        s.main->saveAction->trigger();
        QCOMPARE(s.platform.dialogs.size(), 2);
        QCOMPARE(s.platform.dialogs[1].settings.fileName,
                 QDir::toNativeSeparators(s.file("words.dic")));
        QCOMPARE(fileBytes(s.file("mine.dic")), "koer\r\ndog\r\n");
    }

    // Export writes the CSV and leaves the list's file, its unsaved mark and the title alone; a
    // write that fails says so.
    void exportCommand() {
        Session s;
        s.state.ForeignWords[0] = QStringLiteral("old, older");
        const QString title = s.main->windowTitle();
        s.platform.dialogAnswers << FakePlatform::chosen(s.file("out.csv"))
                                 << FakePlatform::chosen(s.file("no/out.csv"));
        s.main->exportAction->trigger();
        QCOMPARE(s.platform.dialogs[0].settings.fileName,
                 QDir::toNativeSeparators(s.file("list.csv")));
        QCOMPARE(fileBytes(s.file("out.csv")),
                 QByteArray("\"eesti\",\"võõrkeel\"\r\nvana,\"old, older\"\r\n"));
        s.main->exportAction->trigger();
        QCOMPARE(s.platform.messages.size(), 1);
        QCOMPARE(s.state.CurrentFile + QString::number(s.state.Changed) + s.main->windowTitle(),
                 s.file("list.dic") + "1" + title);
    }
};

QTEST_MAIN(TestImport)
#include "tst_import.moc"
