#include "support/TestUtil.h"

#include <QApplication>
#include <QFile>
#include <QTest>
#include <QWidget>

#include <sys/stat.h>

void typeText(QWidget* widget, const QString& text) {
    for (const QChar ch : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

void click(QWidget* widget) {
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, widget->rect().center());
}

void settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

bool writeFile(const QString& path, const QByteArray& bytes, int mode) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() &&
           ::chmod(QFile::encodeName(path).constData(), mode_t(mode)) == 0;
}

bool someWindowShown(const Forms& forms) {
    bool shown = !forms.anyLoaded();
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* form = qobject_cast<Form*>(w); form && forms.isLoaded(form))
            shown = shown || form->isVisible();
    return shown;
}

void Program::store(const QString& pairs) {
    const QStringList list = pairs.split(u' ', Qt::SkipEmptyParts);
    state.WordCount = qint16(list.size() - 1);
    for (int k = 0; k < list.size(); ++k) {
        state.ForeignWords[k] = list[k].section(u'=', 0, 0);
        state.EstonianWords[k] = list[k].section(u'=', 1);
    }
}
