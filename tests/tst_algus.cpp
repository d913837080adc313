#include "app/Algus.h"
#include "app/Main.h"
#include "forms/ClickLabel.h"
#include "forms/Forms.h"
#include "state/ProgramState.h"
#include "support/FakePlatform.h"
#include "support/TestUtil.h"

#include <QDir>
#include <QFile>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>

class TestAlgus : public QObject {
    Q_OBJECT
private slots:
    void bannerThenHandOver() {
        ProgramState state;
        FakePlatform platform;
        Forms forms(state, platform);
        QPointer<Algus> intro = forms.show<Algus>();
        // The texts arrive once the event loop has put the window on screen.
        QVERIFY(intro->Label1->text().isEmpty() && !intro->Label2->isVisible());
        settle();
        QVERIFY(intro->Label2->isVisible());
        QCOMPARE(intro->Label2->text(), QStringLiteral("Author:     Orvandel"));

        // The interval is the step counter: 500, 501, 502 and 503 ms, each restarting the count.
        const QStringList banner = {"Sonarix ver 1.3.9", "Made by", "Orvandel",
                                    "Click the window to continiue"};
        QCOMPARE(intro->Label1->text(), banner[0]);
        for (int step = 0; step < banner.size(); ++step) {
            QVERIFY(!forms.find<Main>());
            platform.advance(499 + step);
            QCOMPARE(intro->Label1->text(), banner[qMax(0, step - 1)]);
            platform.advance(1);
            QCOMPARE(intro->Label1->text(), banner[step]);
        }
        QVERIFY(!forms.find<Algus>() && !intro->isVisible());
        QVERIFY(forms.find<Main>() && forms.find<Main>()->isVisible());
        platform.advance(5000);
        QCOMPARE(platform.endCount, 0);
    }

    void earlyHandOver_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("handsOver");
        QTest::newRow("click on the window") << "window" << true;
        QTest::newRow("click on the author") << "label2" << true;
        QTest::newRow("character key") << "key" << true;
        QTest::newRow("Estonian letter key") << "letter" << true;
        QTest::newRow("Shift and F5") << "silent" << false;
    }
    void earlyHandOver() {
        QFETCH(QString, how);
        QFETCH(bool, handsOver);
        ProgramState state;
        FakePlatform platform;
        Forms forms(state, platform);
        QPointer<Algus> intro = forms.show<Algus>();
        settle();
        platform.advance(200);
        if (how == "window")
            QTest::mouseClick(intro, Qt::LeftButton, {}, QPoint(5, 5));
        else if (how == "label2")
            click(intro->Label2);
        else if (how == "key")
            QTest::keyClick(intro, Qt::Key_A);
        else if (how == "letter")
            typeText(intro, QStringLiteral("õ"));
        else
            for (Qt::Key key : {Qt::Key_Shift, Qt::Key_F5})
                QTest::keyClick(intro, key);
        QCOMPARE(!forms.find<Algus>(), handsOver);
        QCOMPARE(forms.find<Main>() != nullptr, handsOver);
        QCOMPARE(platform.endCount, 0);
    }

    // A file named on the command line opens once the main window is up, as Open does after its
    // dialog: no dialog, the reader's title, and a failure reported without retrying.
    void fileGivenOnCommandLine_data() {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("wordCount");
        QTest::addColumn<QString>("message");
        QTest::newRow("absolute path") << "DIR/sõnad.dic"
                                       << "Tolkrix - sõnad.dic" << 1 << "";
        QTest::newRow("relative path") << "sõnad.dic"
                                       << "Tolkrix - sõnad.dic" << 1 << "";
        QTest::newRow("missing file")
            << "DIR/puudub.dic"
            << "Sonarix - Untitled.dic" << 0 << "ERROR 53: Seda faili pole.DIR/puudub.dic";
        QTest::newRow("odd number of lines")
            << "DIR/paaritu.dic"
            << "Tolkrix - paaritu.dic" << 1 << "ERROR 62 occurred.";
    }
    void fileGivenOnCommandLine() {
        QFETCH(QString, argument);
        QFETCH(QString, title);
        QFETCH(int, wordCount);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const auto write = [&dir](const char* name, const QByteArray& bytes) {
            QFile file(dir.filePath(QString::fromUtf8(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bytes);
        };
        write("sõnad.dic", "maja\r\nhouse\r\n\xf5un\r\napple\r\n");
        write("paaritu.dic", "maja\r\nhouse\r\nkass\r\n");
        const QString previous = QDir::currentPath();
        QDir::setCurrent(dir.path());
        argument.replace(QStringLiteral("DIR"), dir.path());
        message.replace(QStringLiteral("DIR"), dir.path());

        ProgramState state;
        FakePlatform platform;
        Forms forms(state, platform);
        Algus* intro = forms.show<Algus>();
        intro->setFileToOpen(argument);
        QVERIFY(!forms.find<Main>());
        click(intro->Label1);
        QDir::setCurrent(previous);

        Main* main = forms.find<Main>();
        QVERIFY(main && main->isVisible());
        QCOMPARE(main->windowTitle(), title);
        QCOMPARE(state.WordCount, wordCount);
        QCOMPARE(state.CurrentFile,
                 QFileInfo(argument).isAbsolute() ? argument : dir.filePath(argument));
        if (message.isEmpty())
            QCOMPARE(state.EstonianWords[1], QStringLiteral("õun"));
        QVERIFY(platform.dialogs.isEmpty());
        QCOMPARE(platform.messages.size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty())
            QCOMPARE(platform.messages[0].text, message);
        QCOMPARE(state.Changed, 0);
    }
};

QTEST_MAIN(TestAlgus)
#include "tst_algus.moc"
