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
    // keys without a character, and Delete, do not. A file named on the command line opens then,
    // as Open does after its dialog, relative to the working folder; one that fails (odd.dic,
    // ERROR 62) is reported and leaves the program as a plain start does, untitled and empty.
    void earlyHandOver_data() {
        Rows row; // "click", "click author" or a key: its code, then its text | the file named on
                  // the command line | the main window's title ("": not handed over)
        const QString untitled = QStringLiteral("Sonarix - Untitled.dic");
        row("click on the window", "click |  | " + untitled);
        row("click on the author, a file", "click author | sõnad.dic | Tolkrix - sõnad.dic");
        row("Estonian letter, a bad file",
            QStringLiteral("%1 õ | odd.dic | ").arg(Qt::Key_unknown) + untitled);
        row("Esc", QStringLiteral("%1 \x1b |  | ").arg(Qt::Key_Escape) + untitled);
        row("Shift", QStringLiteral("%1 | sõnad.dic | ").arg(Qt::Key_Shift));
        row("Delete", QStringLiteral("%1 \x7f |  | ").arg(Qt::Key_Delete));
    }
    void earlyHandOver() {
        const QStringList c = cells();
        const QString how = c[0], file = c[1], title = c[2];
        const bool read = title.startsWith(u"Tolkrix"_s);
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath(u"sõnad.dic"_s), "maja\r\nhouse\r\n\xf5un\r\napple\r\n"));
        QVERIFY(writeFile(dir.filePath(u"odd.dic"_s), "a\r\nb\r\nc\r\n"));
        const QString previous = QDir::currentPath();
        QDir::setCurrent(dir.path());
        Started s;
        s.intro->setFileToOpen(file);
        settle();
        s.platform.advance(200);
        if (how == u"click"_s)
            QTest::mouseClick(s.intro, Qt::LeftButton, {}, QPoint(5, 5));
        else if (how == u"click author"_s)
            click(s.intro->authorLabel);
        else
            QTest::sendKeyEvent(QTest::Click, s.intro, Qt::Key(how.section(u' ', 0, 0).toInt()),
                                how.section(u' ', 1), Qt::NoModifier);
        QDir::setCurrent(previous);
        MainWindow* main = s.forms.find<MainWindow>();
        QCOMPARE(main ? main->windowTitle() : QString(), title);
        QVERIFY(!s.platform.ended() && someWindowShown(s.forms) && s.platform.dialogs.isEmpty());
        if (!main)
            return;
        QCOMPARE(s.state.CurrentFile,
                 read ? dir.filePath(file) : untitledPath(s.platform.workingDir));
        QCOMPARE(s.state.ForeignWords[0], read ? u"house"_s : QString());
        QCOMPARE(s.platform.messages.size(), file.isEmpty() || read ? 0 : 1);
    }
};

QTEST_MAIN(TestIntro)
#include "tst_intro.moc"
