#include "support/FakePlatform.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>
#include <cstring>

void FakeTimer::setInterval(int ms) {
    if (ms == interval_)
        return;
    interval_ = ms;
    elapsed_ = 0;
}

void FakeTimer::setEnabled(bool enabled) {
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    elapsed_ = 0;
}

long FakeRegistry::RegOpenKeyExA(Handle root, const QByteArray& subKey, quint32, quint32,
                                 Handle* result) {
    const QByteArray path = QByteArray::number(root, 16) + '\\' + subKey;
    if (!keys.contains(path)) {
        *result = 0;
        return 2;
    }
    const Handle handle = next_++;
    handles_[handle] = path;
    opened << handle;
    *result = handle;
    return 0;
}

long FakeRegistry::RegQueryValueExA(Handle key, const QByteArray& valueName, quint32* type,
                                    QByteArray& data, quint32* size) {
    if (!handles_.contains(key))
        return 6;
    const auto& values = keys[handles_[key]];
    if (!values.contains(valueName))
        return 2;
    const Value& value = values[valueName];
    if (value.data.size() > data.size())
        return 234; // more data than the buffer holds
    *type = value.type;
    std::memcpy(data.data(), value.data.constData(), value.data.size());
    *size = static_cast<quint32>(value.data.size());
    return 0;
}

long FakeRegistry::RegCloseKey(Handle key) {
    closed << key;
    return handles_.remove(key) ? 0 : 6;
}

FileDialogResult FakePlatform::chosen(const QString& path) {
    return {false, path, QFileInfo(path).fileName()};
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
    if (!answer.cancelled)
        settings.fileName = answer.path;
    return answer;
}

FileDialogResult FakePlatform::openFileDialog(FileDialogSettings& settings) {
    return answerDialog(false, settings);
}

FileDialogResult FakePlatform::saveFileDialog(FileDialogSettings& settings) {
    return answerDialog(true, settings);
}

bool FakePlatform::startProgram(const QString& path, const QStringList& arguments) {
    started << (QStringList{path} + arguments).join(u' ');
    return startSucceeds;
}

bool FakePlatform::fileExists(const QString& path) {
    return existingFiles.contains(path) || QFileInfo(path).isFile();
}

double FakePlatform::rnd() {
    return randomValues.isEmpty() ? 0.0 : randomValues.dequeue();
}

UiTimer* FakePlatform::createTimer(QObject* parent) {
    auto* timer = new FakeTimer(parent);
    timers_.append(timer);
    return timer;
}

QList<FakeTimer*> FakePlatform::timers() const {
    QList<FakeTimer*> live;
    for (const auto& timer : timers_)
        if (timer)
            live << timer.data();
    return live;
}

void FakePlatform::advance(int ms) {
    for (int left = ms;;) {
        const QList<FakeTimer*> live = timers();
        FakeTimer* next = nullptr;
        for (FakeTimer* timer : live)
            if (timer->isRunning() && (!next || timer->remaining() < next->remaining()))
                next = timer;
        // Up to the next timer that fires within what is left, or else to the end.
        const bool fires = next && next->remaining() <= left;
        const int step = fires ? next->remaining() : left;
        for (FakeTimer* timer : live)
            if (timer->isRunning())
                timer->elapsed_ += step;
        if (!fires)
            return;
        left -= step;
        next->elapsed_ = 0;
        emit next->timeout();
    }
}
