// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/IntroWindow.h"
#include "app/MainWindow.h"
#include "forms/ClickLabel.h"
#include "forms/Forms.h"
#include "state/ProgramState.h"
#include "support/FakePlatform.h"
#include "support/TestUtil.h"

#include <QDir>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>

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
    // The texts arrive once the window is on screen; then every 500, 501, 502 and 503 ms the next,
    // and the main window after the last.
    void bannerThenHandOver() {
        Started s;
        QVERIFY(s.intro->bannerLabel->text().isEmpty());
        settle();
        QCOMPARE(s.intro->authorLabel->text(), u"Author:     Orvandel"_s);
        const QStringList banner = {"Sonarix ver 1.3.9", "Made by", "Orvandel",
                                    "Click the window to continiue"};
        for (int step = 0; step < banner.size(); ++step) {
            QVERIFY(!s.forms.find<MainWindow>());
            s.platform.advance(499 + step);
            QCOMPARE(s.intro->bannerLabel->text(), banner[qMax(0, step - 1)]);
            s.platform.advance(1);
            QCOMPARE(s.intro->bannerLabel->text(), banner[step]);
        }
        QVERIFY(!s.forms.find<IntroWindow>() && !s.intro->isVisible());
        QVERIFY(s.forms.find<MainWindow>() && s.forms.find<MainWindow>()->isVisible());
        s.platform.advance(5000);
        QVERIFY(!s.platform.ended());
    }

    // A click, or any key that produces a character (control characters too), hands over at once;
    // keys without a character, and Delete, do not.
    void earlyHandOver_data() {
        QTest::addColumn<int>("key"); // 0: a click on the window, 1: a click on the author
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("handsOver");
        QTest::newRow("click on the window") << 0 << "" << true;
        QTest::newRow("click on the author") << 1 << "" << true;
        QTest::newRow("Estonian letter") << int(Qt::Key_unknown) << "õ" << true;
        QTest::newRow("Ctrl+A") << int(Qt::Key_A) << "\x01" << true;
        QTest::newRow("Esc") << int(Qt::Key_Escape) << "\x1b" << true;
        QTest::newRow("Shift") << int(Qt::Key_Shift) << "" << false;
        QTest::newRow("Delete") << int(Qt::Key_Delete) << "\x7f" << false;
    }
    void earlyHandOver() {
        QFETCH(int, key);
        QFETCH(QString, text);
        QFETCH(bool, handsOver);
        Started s;
        settle();
        s.platform.advance(200);
        if (key == 0)
            QTest::mouseClick(s.intro, Qt::LeftButton, {}, QPoint(5, 5));
        else if (key == 1)
            click(s.intro->authorLabel);
        else
            QTest::sendKeyEvent(QTest::Click, s.intro, Qt::Key(key), text, Qt::NoModifier);
        QCOMPARE(!s.forms.find<IntroWindow>(), handsOver);
        QCOMPARE(s.forms.find<MainWindow>() != nullptr, handsOver);
        QVERIFY(!s.platform.ended() && someWindowShown(s.forms));
    }

    // A file named on the command line opens once the main window is up, as Open does after its
    // dialog, relative to the working folder. A failure is reported and leaves the program as a
    // plain start does, untitled.
    void fileGivenOnCommandLine_data() {
        QTest::addColumn<QString>("argument");
        QTest::newRow("relative path") << "sõnad.dic";
        QTest::newRow("missing file") << "DIR/puudub.dic";
    }
    void fileGivenOnCommandLine() {
        QFETCH(QString, argument);
        const bool read = !argument.startsWith(u"DIR"_s);
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath(u"sõnad.dic"_s), "maja\r\nhouse\r\n\xf5un\r\napple\r\n"));
        const QString previous = QDir::currentPath();
        QDir::setCurrent(dir.path());
        argument.replace(u"DIR"_s, dir.path());
        Started s;
        s.intro->setFileToOpen(argument);
        click(s.intro->bannerLabel);
        QDir::setCurrent(previous);
        MainWindow* main = s.forms.find<MainWindow>();
        QVERIFY(main && main->isVisible() && s.platform.dialogs.isEmpty());
        QCOMPARE(main->windowTitle(),
                 read ? u"Tolkrix - sõnad.dic"_s : u"Sonarix - Untitled.dic"_s);
        QCOMPARE(s.state.CurrentFile,
                 read ? dir.filePath(argument) : untitledPath(s.platform.workingDir));
        QCOMPARE(s.state.ForeignWords[1], read ? u"apple"_s : QString());
        QCOMPARE(s.platform.messages.size(), read ? 0 : 1);
    }
};

QTEST_MAIN(TestIntro)
#include "tst_intro.moc"
