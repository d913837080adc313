// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/FakePlatform.h"

#include <QCoreApplication>
#include <QFileInfo>

long FakeRegistry::RegOpenKeyExA(Handle root, const QByteArray& subKey, quint32, quint32,
                                 Handle* result) {
    const QByteArray path = QByteArray::number(root, 16) + '\\' + subKey;
    *result = keys.contains(path) ? ++last_ : 0;
    if (*result)
        open[*result] = path;
    return *result ? 0 : 2;
}

long FakeRegistry::RegQueryValueExA(Handle key, const QByteArray& name, quint32* type,
                                    QByteArray& data, quint32* size) {
    if (!open.contains(key) || !keys[open[key]].contains(name))
        return 2;
    const auto& [valueType, bytes] = keys[open[key]][name];
    *type = valueType;
    data.replace(0, bytes.size(), bytes);
    *size = quint32(bytes.size());
    return 0;
}

FileDialogResult FakePlatform::chosen(const QString& path, int filterIndex) {
    return {false, path, QFileInfo(path).fileName(), filterIndex};
}

void FakePlatform::runModal() {
    ModalScope modal(*this);
    if (!whileModal)
        return;
    // A copy, so the action may replace or clear the hook as it runs.
    const auto action = whileModal;
    action();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void FakePlatform::message(const QString& title, const QString& text, MessageIcon icon) {
    messages.append({title, text, icon});
    runModal();
}

FileDialogResult FakePlatform::answerDialog(bool save, FileDialogSettings& settings) {
    dialogs.append({save, settings});
    runModal();
    if (dialogAnswers.isEmpty())
        return {};
    FileDialogResult answer = dialogAnswers.dequeue();
    if (!answer.cancelled) {
        settings.fileName = answer.path;
        settings.filterIndex = answer.filterIndex;
    }
    return answer;
}

bool FakePlatform::startProgram(const QString& path, const QStringList& arguments) {
    started << (QStringList{path} + arguments).join(u' ');
    return startSucceeds;
}

bool FakePlatform::fileExists(const QString& path) {
    return existingFiles.contains(path) || QFileInfo(path).isFile();
}

UiTimer* FakePlatform::createTimer(QObject* parent) {
    auto* timer = new FakeTimer(parent);
    timers_.append(timer);
    return timer;
}

void FakePlatform::advance(int ms) {
    // A millisecond at a time; a timer started or changed by a handler counts from the next one.
    for (int t = 0; t < ms; ++t) {
        timers_.removeAll(nullptr);
        const QList<QPointer<FakeTimer>> live = timers_;
        for (FakeTimer* timer : live)
            timer->elapsed_ += timer->running();
        for (FakeTimer* timer : live)
            if (timer && timer->running() && timer->elapsed_ >= timer->interval_) {
                timer->elapsed_ = 0;
                emit timer->timeout();
            }
    }
}
