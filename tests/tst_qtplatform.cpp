// SPDX-License-Identifier: GPL-3.0-or-later
// The real file dialogs of QtPlatform under the offscreen platform, answered by a timer from
// inside their own event loop, as a user would answer them.
#include "platform/QtPlatform.h"
#include "support/TestUtil.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

class TestQtPlatform : public QObject {
    Q_OBJECT
private slots:
    // The dialog starts in a fresh folder DIR with the name vana.dic preset. typed: what the user
    // types into the name box before Enter (a bare name, as a path would bring up the
    // completer); "<keep>" presses Enter on the preset name, "<cancel>" presses Esc. An empty
    // path means cancelled.
    void fileDialogs_data() {
        QTest::addColumn<bool>("save");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("offered");
        QTest::addColumn<QString>("path");
        const auto row = [](const char* name, bool save, const char* filter, const char* typed,
                            const QStringList& offered, const char* path) {
            QTest::newRow(name) << save << QString(filter) << QString(typed) << offered
                                << QString(path);
        };
        const char* dic = "Sonarix's Files (*.dic) |*.dic|";
        const QStringList dics{"Sonarix's Files (*.dic)"};
        row("open a typed name", false, dic, "sõnad.dic", dics, "DIR/sõnad.dic");
        row("open, two filters", false, "Sõnastikud|*.dic|Tekst (*.txt)|*.txt|", "a.txt",
            {"Sõnastikud (*.dic)", "Tekst (*.txt)"}, "DIR/a.txt");
        row("save a name without extension", true, "Sonarix Files (*.dic)|*.dic|", "uus",
            {"Sonarix Files (*.dic)"}, "DIR/uus.dic");
        row("save the preset name", true, dic, "<keep>", dics, "DIR/vana.dic");
        row("cancelled", false, dic, "<cancel>", dics, "");
    }
    void fileDialogs() {
        QFETCH(bool, save);
        QFETCH(QString, filter);
        QFETCH(QString, typed);
        QFETCH(QStringList, offered);
        QFETCH(QString, path);
        QTemporaryDir dir;
        const QString preset = dir.filePath(QStringLiteral("vana.dic"));
        path.replace("DIR", dir.path());
        FileDialogSettings settings{filter, QStringLiteral(".dic"), preset};

        QFileDialog* seen = nullptr;
        int ticks = 0;
        QStringList filters;
        QFileDialog::AcceptMode mode = QFileDialog::AcceptOpen;
        QTimer answer;
        connect(&answer, &QTimer::timeout, this, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog || (dialog == seen && ++ticks < 200))
                return;
            if (dialog == seen) // still up long after its answer: the test fails, but ends
                return dialog->reject();
            seen = dialog;
            filters = dialog->nameFilters();
            mode = dialog->acceptMode();
            auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            if (typed == "<cancel>" || !edit)
                return QTest::keyClick(dialog, Qt::Key_Escape);
            if (typed != "<keep>") {
                edit->selectAll();
                typeText(edit, typed);
            }
            QTest::keyClick(edit, Qt::Key_Return);
        });
        answer.start(20);
        QtPlatform platform;
        const FileDialogResult result =
            save ? platform.saveFileDialog(settings) : platform.openFileDialog(settings);

        QVERIFY(seen);
        QCOMPARE(mode, save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        QCOMPARE(filters, offered);
        QCOMPARE(result.cancelled, path.isEmpty());
        QCOMPARE(result.path, path);
        QCOMPARE(result.name, QFileInfo(path).fileName());
        // The next dialog starts from the last choice; a cancel leaves the preset as it was.
        QCOMPARE(settings.fileName, path.isEmpty() ? preset : path);
    }
};

QTEST_MAIN(TestQtPlatform)
#include "tst_qtplatform.moc"
