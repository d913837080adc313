// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/QtPlatform.h"

#include "platform/UiTimer.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QTime>

#include <cstring>

QtPlatform::QtPlatform() : registry_(systemRegistry()) {}

QtPlatform::~QtPlatform() = default;

void QtPlatform::message(const QString& title, const QString& text, MessageIcon icon) {
    // On the heap behind a guard: if its parent window went away while it was up, the box went
    // with it, and nothing here may touch it again.
    QPointer<QMessageBox> box = new QMessageBox(QApplication::activeWindow());
    box->setWindowTitle(title);
    // Messages carry file names, which are never markup.
    box->setTextFormat(Qt::PlainText);
    box->setText(text);
    switch (icon) {
    case MessageIcon::None:
        box->setIcon(QMessageBox::NoIcon);
        break;
    case MessageIcon::Critical:
        box->setIcon(QMessageBox::Critical);
        break;
    case MessageIcon::Exclamation:
        box->setIcon(QMessageBox::Warning);
        break;
    case MessageIcon::Information:
        box->setIcon(QMessageBox::Information);
        break;
    }
    box->setStandardButtons(QMessageBox::Ok);
    {
        ModalScope modal(*this);
        box->exec();
    }
    delete box.data();
}

QString qtNameFilters(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList lines;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        const QString pattern = parts[i + 1].trimmed();
        if (pattern.isEmpty())
            continue;
        const QString suffix = QStringLiteral("(%1)").arg(pattern);
        if (description.endsWith(suffix))
            description.chop(suffix.size());
        lines << QStringLiteral("%1 %2").arg(description.trimmed(), suffix);
    }
    return lines.join(QStringLiteral(";;"));
}

FileDialogResult QtPlatform::runFileDialog(FileDialogSettings& settings, bool save) {
    // On the heap behind a guard, as the message box above.
    QPointer<QFileDialog> dialog = new QFileDialog(QApplication::activeWindow());
    dialog->setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // Open takes any typed name too: the program tells the user itself what is wrong with a
    // missing file or folder, and asks again. Native open dialogs refuse such names on their
    // own, so Qt's is used for opening.
    dialog->setFileMode(QFileDialog::AnyFile);
    if (!save)
        dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setNameFilter(qtNameFilters(settings.filter));
    QString suffix = settings.defaultExt;
    if (suffix.startsWith(QLatin1Char('.')))
        suffix.remove(0, 1);
    dialog->setDefaultSuffix(suffix);
    const QStringList filters = qtNameFilters(settings.filter).split(QStringLiteral(";;"));
    if (settings.filterIndex > 0 && settings.filterIndex < filters.size())
        dialog->selectNameFilter(filters[settings.filterIndex]);
    // A name typed without an extension gets the chosen filter's, where it names one.
    QObject::connect(dialog, &QFileDialog::filterSelected, dialog, [dialog](const QString& f) {
        const qsizetype star = f.indexOf(QLatin1String("(*."));
        const QString ext = star < 0 ? QString() : f.mid(star + 3).section(u')', 0, 0);
        if (!ext.isEmpty() && !ext.contains(u' ') && !ext.contains(u'*'))
            dialog->setDefaultSuffix(ext);
    });
    if (!settings.fileName.isEmpty()) {
        const QFileInfo preset(QDir::fromNativeSeparators(settings.fileName));
        if (preset.isAbsolute())
            dialog->setDirectory(preset.absolutePath());
        dialog->selectFile(preset.fileName());
    }

    int answer = QDialog::Rejected;
    {
        ModalScope modal(*this);
        answer = dialog->exec();
    }
    FileDialogResult result;
    if (!dialog)
        return result;
    const QStringList files = dialog->selectedFiles();
    const int filterIndex =
        int(std::max<qsizetype>(filters.indexOf(dialog->selectedNameFilter()), 0));
    delete dialog.data();
    if (answer != QDialog::Accepted || files.isEmpty())
        return result;
    const QString chosen = QDir::toNativeSeparators(files.constFirst());
    result.cancelled = false;
    result.path = chosen;
    result.name = QFileInfo(files.constFirst()).fileName();
    result.filterIndex = filterIndex;
    settings.fileName = chosen;
    settings.filterIndex = filterIndex;
    return result;
}

FileDialogResult QtPlatform::openFileDialog(FileDialogSettings& settings) {
    return runFileDialog(settings, false);
}

FileDialogResult QtPlatform::saveFileDialog(FileDialogSettings& settings) {
    return runFileDialog(settings, true);
}

void QtPlatform::beep() {
    QApplication::beep();
}

void QtPlatform::endProgram() {
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget* w : windows)
        w->hide();
    QCoreApplication::exit(0);
}

bool QtPlatform::startProgram(const QString& path, const QStringList& arguments) {
    return QProcess::startDetached(QDir::fromNativeSeparators(path), arguments);
}

QStringList QtPlatform::programSearchPath() {
    return qEnvironmentVariable("PATH").split(QDir::listSeparator(), Qt::SkipEmptyParts);
}

bool QtPlatform::fileExists(const QString& path) {
    return QFileInfo(QDir::fromNativeSeparators(path)).isFile();
}

QString QtPlatform::workingDirectory() {
    return QDir::toNativeSeparators(QDir::currentPath());
}

double QtPlatform::timeOfDay() {
    return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

void QtPlatform::randomize(double seed) {
    std::uint64_t bits = 0;
    static_assert(sizeof bits == sizeof seed);
    std::memcpy(&bits, &seed, sizeof bits);
    // Mixed with the running state, so two set-ups within one clock tick still draw afresh.
    random_.seed(bits ^ random_());
}

double QtPlatform::rnd() {
    return std::uniform_real_distribution<double>(0.0, 1.0)(random_);
}

Registry& QtPlatform::registry() {
    return *registry_;
}

UiTimer* QtPlatform::createTimer(QObject* parent) {
    return new QtUiTimer(parent);
}
