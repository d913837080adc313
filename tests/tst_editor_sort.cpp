#include "forms/Look.h"
#include "tst_editor_support.h"

#include <QApplication>
#include <QClipboard>
#include <QStyleFactory>
#include <QTemporaryDir>

namespace {

QList<QPushButton*> sortButtonsOf(Editor* e) {
    return {e->Command5, e->Command6, e->Command7, e->Command8};
}

// Which sort buttons carry the active colour, as "5", "7" ..
QString active(Editor* e) {
    QString marked;
    for (QPushButton* b : sortButtonsOf(e))
        if (Editor::BackColor(b) == Editor::activeSortColor())
            marked += b->objectName().back();
    return marked;
}

} // namespace

class TestEditorSort : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion"))); }

    void sortButtons_data() {
        QTest::addColumn<QString>("buttons"); // pressed in turn
        QTest::addColumn<QStringList>("after");
        QTest::newRow("foreign A-Z")
            << "5" << QStringList{"Apple=õun", "banana=banaan", "cherry=kirss"};
        QTest::newRow("foreign A-Z then Z-A")
            << "56" << QStringList{"cherry=kirss", "banana=banaan", "Apple=õun"};
        QTest::newRow("foreign Z-A then Estonian A-Z")
            << "67" << QStringList{"banana=banaan", "cherry=kirss", "Apple=õun"};
        QTest::newRow("Estonian Z-A")
            << "8" << QStringList{"Apple=õun", "cherry=kirss", "banana=banaan"};
    }
    void sortButtons() {
        QFETCH(QString, buttons);
        QFETCH(QStringList, after);
        EditorProgram p;
        p.store({"cherry=kirss", "Apple=õun", "banana=banaan"});
        Editor* e = p.open();
        QCOMPARE(active(e), QString());
        for (const QChar b : buttons)
            click(e->findChild<QPushButton*>(QStringLiteral("Command") + b));
        QCOMPARE(shown(e), after);
        QCOMPARE(active(e), QString(buttons.back()));
        QCOMPARE(p.stored(), after);
        QCOMPARE(p.state.Changed, qint16(0));
        QCOMPARE(e->Label1->text(), QStringLiteral("Sõnu:  3"));
    }

    // The colour is what the user sees: the style draws the button in it.
    void activeSortIsDrawn() {
        EditorProgram p;
        Editor* e = p.open();
        QVERIFY(Editor::activeSortColor() != buttonFaceColor());
        click(e->Command6);
        QCOMPARE(e->Label1->text(), QStringLiteral("Sõnu:  0"));
        for (QPushButton* b : sortButtonsOf(e)) {
            const QImage image = b->grab().toImage();
            const QColor drawn = image.pixelColor(image.width() / 5, image.height() / 2);
            QCOMPARE(drawn, b == e->Command6 ? Editor::activeSortColor() : buttonFaceColor());
        }
    }

    void reappliedAfterAdditions_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("Lisa") << "Command1";
        QTest::newRow("Enter") << "Enter";
        QTest::newRow("Asenda") << "Command3";
    }
    void reappliedAfterAdditions() {
        QFETCH(QString, how);
        EditorProgram p;
        p.store({"c=3", "a=1", "x=8"});
        Editor* e = p.open();
        click(e->Command5);
        if (how == QLatin1String("Asenda"))
            clickEntry(e->List2, 2); // x=8 is replaced
        e->Text2->setText(QStringLiteral("B"));
        e->Text1->setText(QStringLiteral("2"));
        if (how == QLatin1String("Enter"))
            enter(e->Text1);
        else
            click(e->findChild<QPushButton*>(how));
        QStringList expected{"a=1", "B=2", "c=3"};
        if (how != QLatin1String("Asenda"))
            expected << "x=8";
        QCOMPARE(shown(e), expected);
        QCOMPARE(active(e), QStringLiteral("5"));
        // Refilled by the sort, so the count is in its long form even after Enter.
        QCOMPARE(e->Label1->text(), QStringLiteral("Sõnu:  %1").arg(expected.size()));
        QCOMPARE(p.state.Changed, qint16(1));
    }

    void reopenedWithNoSortActive() {
        EditorProgram p;
        p.store({"b=2", "a=1"});
        Editor* e = p.open();
        click(e->Command8);
        click(e->Command7);
        e->close();
        settle();
        e = p.open();
        QCOMPARE(active(e), QString());
        QCOMPARE(shown(e), (QStringList{"a=1", "b=2"}));
        // With no sort active an addition goes to the end.
        typePair(e, QStringLiteral("0"), QStringLiteral("0"));
        QCOMPARE(shown(e).back(), QStringLiteral("0=0"));
    }

    // Twenty pairs typed, sorted, saved and opened again come back whole and in order.
    void throughAFile() {
        EditorProgram p;
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("sõnad.dic"));
        Editor* e = p.open();
        for (int k = 0; k < 20; ++k)
            typePair(e, QStringLiteral("W%1ord").arg(k), QStringLiteral("%1 šõäöüž").arg(k));
        click(e->Command6);
        const QStringList sorted = shown(e);
        QCOMPARE(sorted.first(), QStringLiteral("W9ord=9 šõäöüž"));
        click(e->Command4);
        Main* main = p.forms.find<Main>();
        p.platform.dialogAnswers << FakePlatform::chosen(path) << FakePlatform::chosen(path);
        main->MFSaveAs->trigger();
        main->MFOpen->trigger();
        click(p.forms.find<Kassav>()->Command2); // "No": the list is on disk already
        settle();
        QCOMPARE(shown(p.open()), sorted);
    }

    // A file holds 1000 pairs: a further addition is refused with a message and the typed words
    // stay; replacing a selected pair still works.
    void thousandPairLimit() {
        EditorProgram p;
        QStringList full;
        for (int k = 0; k < Editor::MaxPairs; ++k)
            full << QStringLiteral("f%1=e%1").arg(k);
        p.store(full);
        Editor* e = p.open();
        typeText(e->Text2, QStringLiteral("one"));
        typeText(e->Text1, QStringLiteral("more"));
        click(e->Command1);
        enter(e->Text1);
        click(e->Command3);
        QCOMPARE(p.platform.messages.size(), 3);
        QCOMPARE(p.platform.messages[0].title, QStringLiteral("Sonarix"));
        QVERIFY(p.platform.messages[0].text.contains(QStringLiteral("1000")));
        QCOMPARE(e->List1->ListCount(), 1000);
        QCOMPARE(e->Text2->text() + e->Text1->text(), QStringLiteral("onemore"));
        QCOMPARE(p.state.Changed, qint16(0));

        clickEntry(e->List1, 0);
        e->Text2->setText(QStringLiteral("new"));
        click(e->Command3);
        QCOMPARE(e->List1->ListCount(), 1000);
        QCOMPARE(e->List2->List(999), QStringLiteral("new"));
        QCOMPARE(p.platform.messages.size(), 3);
        click(e->Command4);
        QCOMPARE(p.state.WordCount, qint16(999));
    }

    void characterOutsideTheCodePage_data() {
        QTest::addColumn<QString>("input");
        QTest::addColumn<bool>("paste");
        QTest::addColumn<QString>("kept");
        QTest::addColumn<QString>("refused");
        QTest::newRow("Estonian letters typed") << "šõäöüž€" << false << "šõäöüž€"
                                                << "";
        QTest::newRow("Cyrillic typed") << "kя" << false << "k"
                                        << "я";
        QTest::newRow("paste with a check mark") << "ok✓" << true << ""
                                                 << "✓";
        QTest::newRow("paste of an emoji") << "a😀" << true << ""
                                           << "😀";
    }
    void characterOutsideTheCodePage() {
        QFETCH(QString, input);
        QFETCH(bool, paste);
        QFETCH(QString, kept);
        QFETCH(QString, refused);
        EditorProgram p;
        Editor* e = p.open();
        if (paste) {
            QApplication::clipboard()->setText(input);
            QTest::keyClick(e->Text2, Qt::Key_V, Qt::ControlModifier);
        } else {
            typeText(e->Text2, input);
        }
        QCOMPARE(e->Text2->text(), kept);
        QCOMPARE(e->Label4->text().contains(u'„' + refused + u'“'), !refused.isEmpty());
        QCOMPARE(e->Label4->text().isEmpty(), refused.isEmpty());
    }
};

QTEST_MAIN(TestEditorSort)
#include "tst_editor_sort.moc"
