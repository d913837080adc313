#include "app/IntroWindow.h"
#include "app/MainWindow.h"
#include "forms/ClickLabel.h"
#include "forms/Forms.h"
#include "state/ProgramState.h"
#include "support/FakePlatform.h"
#include "support/TestUtil.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPointer>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

using namespace Qt::StringLiterals;

// The program started with the banner up.
struct Started {
    ProgramState state;
    FakePlatform platform;
    Forms forms{state, platform};
    QPointer<IntroWindow> intro = forms.show<IntroWindow>();
};

class TestIntro : public QObject {
    Q_OBJECT
private slots:
    // A thin raised frame, light at the top and left and dark at the bottom and right, runs round
    // the picture; there is no title bar and the size is fixed.
    void bannerInFrameThenHandOver() {
        Started s;
        auto& [state, platform, forms, intro] = s;
        // The texts arrive once the event loop has put the window on screen.
        QVERIFY(intro->bannerLabel->text().isEmpty() && !intro->authorLabel->isVisible());
        settle();
        QVERIFY(intro->authorLabel->isVisible());
        QCOMPARE(intro->authorLabel->text(), QStringLiteral("Author:     Orvandel"));
        QVERIFY(intro->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(intro->minimumSize(), intro->maximumSize());
        const QImage shot = intro->grab().toImage();
        const int right = shot.width() - 1, bottom = shot.height() - 1;
        QSet<QRgb> light, dark;
        for (int x = 0; x < right; ++x) {
            light << shot.pixel(x, 0);
            dark << shot.pixel(x + 1, bottom);
        }
        for (int y = 0; y < bottom; ++y) {
            light << shot.pixel(0, y);
            dark << shot.pixel(right, y + 1);
        }
        QCOMPARE(light.size() + dark.size(), 2);
        QVERIFY(qGray(*light.begin()) > qGray(*dark.begin()));

        // The interval is the step counter: 500, 501, 502 and 503 ms, each restarting the count.
        const QStringList banner = {"Sonarix ver 1.3.9", "Made by", "Orvandel",
                                    "Click the window to continiue"};
        QCOMPARE(intro->bannerLabel->text(), banner[0]);
        for (int step = 0; step < banner.size(); ++step) {
            QVERIFY(!forms.find<MainWindow>());
            platform.advance(499 + step);
            QCOMPARE(intro->bannerLabel->text(), banner[qMax(0, step - 1)]);
            platform.advance(1);
            QCOMPARE(intro->bannerLabel->text(), banner[step]);
        }
        QVERIFY(!forms.find<IntroWindow>() && !intro->isVisible());
        QVERIFY(forms.find<MainWindow>() && forms.find<MainWindow>()->isVisible());
        platform.advance(5000);
        QCOMPARE(platform.endCount, 0);
    }

    // A click, or any key that produces a character (control characters too), hands over at once;
    // keys without a character do not. Texts are those the keyboard sends with each key.
    void earlyHandOver_data() {
        QTest::addColumn<int>("key"); // 0: a click on the window, 1: a click on the author
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("handsOver");
        QTest::newRow("click on the window") << 0 << "" << 0 << true;
        QTest::newRow("click on the author") << 1 << "" << 0 << true;
        QTest::newRow("character key") << int(Qt::Key_A) << "a" << 0 << true;
        QTest::newRow("Estonian letter key") << int(Qt::Key_unknown) << "õ" << 0 << true;
        QTest::newRow("Ctrl+A") << int(Qt::Key_A) << "\x01" << int(Qt::ControlModifier) << true;
        QTest::newRow("Tab") << int(Qt::Key_Tab) << "\t" << 0 << true;
        QTest::newRow("Backspace") << int(Qt::Key_Backspace) << "\b" << 0 << true;
        QTest::newRow("Enter") << int(Qt::Key_Return) << "\r" << 0 << true;
        QTest::newRow("Esc") << int(Qt::Key_Escape) << "\x1b" << 0 << true;
        QTest::newRow("Shift") << int(Qt::Key_Shift) << "" << int(Qt::ShiftModifier) << false;
        QTest::newRow("F5") << int(Qt::Key_F5) << "" << 0 << false;
        QTest::newRow("Left") << int(Qt::Key_Left) << "" << 0 << false;
        QTest::newRow("Delete") << int(Qt::Key_Delete) << "\x7f" << 0 << false;
    }
    void earlyHandOver() {
        QFETCH(int, key);
        QFETCH(QString, text);
        QFETCH(int, modifiers);
        QFETCH(bool, handsOver);
        Started s;
        auto& [state, platform, forms, intro] = s;
        settle();
        platform.advance(200);
        if (key == 0)
            QTest::mouseClick(intro, Qt::LeftButton, {}, QPoint(5, 5));
        else if (key == 1)
            click(intro->authorLabel);
        else
            QTest::sendKeyEvent(QTest::Click, intro, Qt::Key(key), text,
                                Qt::KeyboardModifiers(modifiers));
        QCOMPARE(!forms.find<IntroWindow>(), handsOver);
        QCOMPARE(forms.find<MainWindow>() != nullptr, handsOver);
        QCOMPARE(platform.endCount, 0);
    }

    // A file named on the command line opens once the main window is up, as Open does after its
    // dialog: no dialog, the reader's title. A failure is reported without retrying and leaves
    // the program as a plain start does, so a later Save asks for a name.
    void fileGivenOnCommandLine_data() {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QString>("message"); // none: the list is read
        QTest::newRow("absolute path") << "DIR/sõnad.dic" << QString();
        QTest::newRow("relative path") << "sõnad.dic" << QString();
        QTest::newRow("missing file")
            << "DIR/puudub.dic" << u"ERROR 53: Seda faili pole.DIR/puudub.dic"_s;
        QTest::newRow("odd number of lines") << "DIR/paaritu.dic" << u"ERROR 62 occurred."_s;
    }
    void fileGivenOnCommandLine() {
        QFETCH(QString, argument);
        QFETCH(QString, message);
        const bool read = message.isEmpty();
        QTemporaryDir dir;
        for (const auto& [name, bytes] :
             {std::pair{"sõnad.dic", "maja\r\nhouse\r\n\xf5un\r\napple\r\n"},
              std::pair{"paaritu.dic", "maja\r\nhouse\r\nkass\r\n"}}) {
            QFile file(dir.filePath(QString::fromUtf8(name)));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) > 0);
        }
        const QString previous = QDir::currentPath();
        QDir::setCurrent(dir.path());
        argument.replace(QStringLiteral("DIR"), dir.path());
        message.replace(QStringLiteral("DIR"), dir.path());

        Started s;
        auto& [state, platform, forms, intro] = s;
        intro->setFileToOpen(argument);
        QVERIFY(!forms.find<MainWindow>());
        click(intro->bannerLabel);
        QDir::setCurrent(previous);

        MainWindow* main = forms.find<MainWindow>();
        QVERIFY(main && main->isVisible());
        QCOMPARE(main->windowTitle(),
                 QString(read ? "Tolkrix - sõnad.dic" : "Sonarix - Untitled.dic"));
        QCOMPARE(state.WordCount, read ? 1 : 0);
        QCOMPARE(state.CurrentFile, !read ? untitledPath(platform.workingDir)
                                    : QFileInfo(argument).isAbsolute() ? argument
                                                                       : dir.filePath(argument));
        QCOMPARE((QStringList{state.EstonianWords[0], state.ForeignWords[0], state.EstonianWords[1],
                              state.ForeignWords[1]}
                      .join(',')),
                 QString(read ? "maja,house,õun,apple" : ",,,"));
        QVERIFY(platform.dialogs.isEmpty());
        QCOMPARE(platform.messages.size(), read ? 0 : 1);
        if (!read)
            QCOMPARE(platform.messages[0].text, message);
        QCOMPARE(state.Changed, 0);

        // Save writes back to the file that was read, and asks for a name otherwise.
        click(main->toolBar->widgetForAction(
            main->toolBar->findChild<QAction*>(QStringLiteral("Toolbar1_Save"))));
        QCOMPARE(platform.dialogs.size(), read ? 0 : 1);
        QCOMPARE(QFile::exists(dir.filePath("puudub.dic")), false);
    }
};

QTEST_MAIN(TestIntro)
#include "tst_intro.moc"
