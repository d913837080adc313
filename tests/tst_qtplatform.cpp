// SPDX-License-Identifier: GPL-3.0-or-later
// The real dialogs and message box of QtPlatform under the offscreen platform, answered by a
// timer from inside their own event loop, as a user would answer them.
#include "platform/QtPlatform.h"
#include "support/TestUtil.h"

#include <QAccessible>
#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

class TestQtPlatform : public QObject {
    Q_OBJECT
private slots:
    // A file dialog starts in a fresh folder DIR with the name vana.dic preset. typed: what the
    // user types into the name box before Enter (a missing file is taken: the program tells the
    // user itself what is wrong with it); "<keep>" presses Enter on the preset name,
    // "<cancel>" presses Esc. An empty path means cancelled. A message shows its text as written,
    // even a file name that looks like markup.
    void dialogs_data() {
        Rows row; // open, save or message | filter | typed (a message: its text) | the filters
                  // offered, by ";" | the path chosen (a message: the text read out)
        const QString dic = QStringLiteral(" | Sonarix's Files (*.dic) |*.dic| | ");
        row("open a missing file",
            "open" + dic + "sõnad.dic | Sonarix's Files (*.dic) | DIR/sõnad.dic");
        row("open, two filters", "open | Sõnastikud|*.dic|Tekst (*.txt)|*.txt| | a.txt | "
                                 "Sõnastikud (*.dic);Tekst (*.txt) | DIR/a.txt");
        row("open a name without extension",
            "open" + dic + "uus | Sonarix's Files (*.dic) | DIR/uus.dic");
        row("save the preset name",
            "save" + dic + "<keep> | Sonarix's Files (*.dic) | DIR/vana.dic");
        row("cancelled", "open" + dic + "<cancel> |  | ");
        const char* markup = "ERROR 53: Seda faili pole./a/<b>x</b>&lt;.dic";
        row("message", QStringLiteral("message |  | %1 |  | %1").arg(markup));
    }
    void dialogs() {
        const QStringList c = cells();
        const QString kind = c[0], filter = c[1], typed = c[2], offered = c[3];
        QString path = c[4];
        QTemporaryDir dir;
        const QString preset = dir.filePath(u"vana.dic"_s);
        path.replace(u"DIR"_s, dir.path());
        FileDialogSettings settings{filter, u".dic"_s, preset};

        QWidget* seen = nullptr;
        int ticks = 0;
        QStringList filters;
        QString shown;
        QFileDialog::AcceptMode mode = QFileDialog::AcceptOpen;
        QTimer answer;
        connect(&answer, &QTimer::timeout, this, [&] {
            QWidget* box = QApplication::activeModalWidget();
            if (!box || (box == seen && ++ticks < 200))
                return;
            if (box == seen) // still up long after its answer: the test fails, but ends
                return void(box->close());
            seen = box;
            if (auto* label = box->findChild<QLabel*>(u"qt_msgbox_label"_s)) {
                shown = QAccessible::queryAccessibleInterface(label)->text(QAccessible::Name);
                return QTest::keyClick(box, Qt::Key_Return);
            }
            auto* dialog = qobject_cast<QFileDialog*>(box);
            auto* edit = box->findChild<QLineEdit*>(u"fileNameEdit"_s);
            if (typed == u"<cancel>"_s || !dialog || !edit)
                return QTest::keyClick(box, Qt::Key_Escape);
            filters = dialog->nameFilters();
            mode = dialog->acceptMode();
            if (typed != u"<keep>"_s) {
                edit->selectAll();
                typeText(edit, typed);
            }
            QTest::keyClick(edit, Qt::Key_Return);
        });
        answer.start(20);
        QtPlatform platform;
        if (kind == u"message"_s) {
            platform.message(u"Sonarix"_s, typed, MessageIcon::Critical);
            QCOMPARE(shown, path);
            return;
        }
        const FileDialogResult result = kind == u"save"_s ? platform.saveFileDialog(settings)
                                                          : platform.openFileDialog(settings);

        QVERIFY(seen);
        QCOMPARE(mode, kind == u"save"_s ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        QCOMPARE(filters.join(u';'), offered);
        QCOMPARE(result.cancelled, path.isEmpty());
        QCOMPARE(result.path, QDir::toNativeSeparators(path));
        QCOMPARE(result.name, QFileInfo(path).fileName());
        // The next dialog starts from the last choice; a cancel leaves the preset as it was.
        QCOMPARE(settings.fileName, path.isEmpty() ? preset : QDir::toNativeSeparators(path));
    }
};

QTEST_MAIN(TestQtPlatform)
#include "tst_qtplatform.moc"
