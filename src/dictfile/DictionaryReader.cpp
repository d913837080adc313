// SPDX-License-Identifier: GPL-3.0-or-later
#include "dictfile/DictionaryFile.h"

#include "dictfile/ListInput.h"
#include "state/ProgramState.h"

#include <QFile>
#include <QFileInfo>

namespace {

// The program's numbers for the ways opening a file can fail.
int openErrorNumber(const QString& path) {
    const QFileInfo info(path);
    if (info.isDir())
        return FileError::PathFileAccess;
    if (!info.exists()) {
        const QString absolute = info.absoluteFilePath();
        const bool hasDrive = absolute.size() >= 2 && absolute[1] == QLatin1Char(':');
        if (hasDrive && !QFileInfo(absolute.left(2) + QLatin1Char('/')).exists())
            return FileError::DeviceUnavailable;
        if (!QFileInfo(info.absolutePath()).isDir())
            return FileError::PathNotFound;
        return FileError::FileNotFound;
    }
    if (!info.isReadable())
        return FileError::PermissionDenied;
    return FileError::PathFileAccess;
}

int statusErrorNumber(ListInput::Status status) {
    switch (status) {
    case ListInput::Status::PastEnd:
        return FileError::InputPastEnd;
    case ListInput::Status::ReadError:
        return FileError::DeviceUnavailable;
    case ListInput::Status::TooLarge:
        return FileError::OutOfMemory;
    case ListInput::Status::Ok:
        break;
    }
    return 0;
}

void restoreHyphens(QString& word) {
    if (word.contains(QLatin1Char('}')))
        word.replace(QLatin1Char('}'), QLatin1Char('-'));
}

void restoreHyphens(ProgramState& state, int slot) {
    restoreHyphens(state.EstonianWords[slot]);
    restoreHyphens(state.ForeignWords[slot]);
}

} // namespace

std::optional<FileFailure> readDictionary(ProgramState& state, QIODevice& device,
                                          const QString& path,
                                          const std::function<void()>& afterEmptying,
                                          bool* leftOver) {
    if (leftOver)
        *leftOver = false;
    for (int k = 0; k < ProgramState::FileSlots; ++k) {
        state.EstonianWords[k].clear();
        state.ForeignWords[k].clear();
    }
    if (afterEmptying)
        afterEmptying();

    ListInput input(device);
    // Stops part-way: the pairs read so far stay, the list ends with the last filled one.
    auto stop = [&](int slot, ListInput::Status status) {
        restoreHyphens(state, slot);
        // Past the end nothing was lost; after a read error or an oversized field the rest of
        // the file is still out there, and must not be saved over unasked.
        if (leftOver)
            *leftOver = status != ListInput::Status::PastEnd;
        state.WordCount =
            static_cast<qint16>(state.EstonianWords[slot].isEmpty() ? slot - 1 : slot);
        return openFailure(statusErrorNumber(status), path);
    };
    for (int k = 0; k < ProgramState::FileSlots; ++k) {
        if (input.atEnd()) {
            state.WordCount = static_cast<qint16>(k - 1);
            return std::nullopt;
        }
        if (input.failed())
            return stop(k, ListInput::Status::ReadError);
        auto status = input.readField(state.EstonianWords[k]);
        if (status == ListInput::Status::Ok)
            status = input.readField(state.ForeignWords[k]);
        if (status != ListInput::Status::Ok)
            return stop(k, status);
        restoreHyphens(state, k);
    }
    state.WordCount = ProgramState::FileSlots - 1;
    if (leftOver)
        *leftOver = !input.onlyBlanksLeft();
    return std::nullopt;
}

std::optional<FileFailure> readDictionary(ProgramState& state, const QString& path,
                                          const std::function<void()>& afterEmptying,
                                          bool* leftOver) {
    if (leftOver)
        *leftOver = false;
    QFile file(path);
    if (path.isEmpty() || QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly))
        return openFailure(openErrorNumber(path), path);
    return readDictionary(state, file, path, afterEmptying, leftOver);
}
