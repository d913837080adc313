// SPDX-License-Identifier: GPL-3.0-or-later
#include "dictfile/DictionaryFile.h"

#include "dictfile/Cp1257.h"
#include "state/ProgramState.h"

#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

bool needsQuotes(const QString& word) {
    if (word.isEmpty())
        return false;
    if (word.front() == QLatin1Char(' ') || word.front() == QLatin1Char('"') ||
        word.back() == QLatin1Char(' '))
        return true;
    for (const QChar ch : word)
        if (ch == QLatin1Char(',') || ch == QLatin1Char('\r') || ch == QLatin1Char('\n'))
            return true;
    return false;
}

// Writes how the word is stored at out, which has room for 2 * size + 2 bytes: "-" as "}",
// quoted where the plain form would not read back. Answers the end, or nullptr at the first
// character the code page lacks.
char* putField(char* out, const QString& word) {
    const bool quoted = needsQuotes(word);
    if (quoted)
        *out++ = '"';
    for (const QChar ch : word) {
        const int b = cp1257::byteFor(ch);
        if (b < 0)
            return nullptr;
        if (b == '-') {
            *out++ = '}';
        } else {
            if (b == '"' && quoted)
                *out++ = '"';
            *out++ = char(b);
        }
    }
    if (quoted)
        *out++ = '"';
    return out;
}

FileFailure badCharacter(const QString& word) {
    const qsizetype at = cp1257::firstUnencodable(word);
    return {FileError::BadCharacter,
            QStringLiteral("Sõnas \"%1\" on märk \"%2\", mida sõnastikufail (Windows-1257) ei "
                           "mahuta. Faili ei salvestatud.")
                .arg(word, word.mid(at, word[at].isHighSurrogate() ? 2 : 1))};
}

// The program's number for a failed save, from what the path is.
int saveErrorNumber(const QString& path) {
    const QFileInfo info(path);
    if (info.isDir())
        return FileError::PathFileAccess;
    if (!QFileInfo(info.absolutePath()).isDir())
        return FileError::PathNotFound;
    if (info.exists() && !info.isWritable())
        return FileError::PermissionDenied;
    return FileError::DeviceIO;
}

FileFailure saveFailure(const QString& path, const QString& reason, bool fileTouched) {
    QString text =
        QStringLiteral("Faili ei saanud salvestada: ") + path + QLatin1Char('\n') + reason;
    if (fileTouched)
        text += QStringLiteral("\nFail võib nüüd olla poolik. Sõnad on alles programmis: "
                               "salvesta need uuesti, soovitavalt teise faili.");
    return {saveErrorNumber(path), text, fileTouched};
}

// The data on the disk itself, not only in the system's cache: a disk that fails late says so
// here, while the old file can still be kept.
bool syncToDisk(QFileDevice& file) {
#ifdef Q_OS_WIN
    return _commit(file.handle()) == 0;
#else
    return ::fsync(file.handle()) == 0;
#endif
}

// A folder where no new file may be made (a shared folder) but the file itself may be changed:
// there the file can only be written in place, without the safety of a temporary file.
bool mayOnlyWriteInPlace(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile() || !info.isWritable())
        return false;
    // A link is replaced at its target, so it is the target's folder that counts.
    return !QFileInfo(QFileInfo(info.canonicalFilePath()).absolutePath()).isWritable();
}

} // namespace

QByteArray encodeField(const QString& word, bool* ok) {
    QByteArray field(2 * word.size() + 2, Qt::Uninitialized);
    char* end = putField(field.data(), word);
    *ok = end != nullptr;
    field.resize(end ? end - field.constData() : 0);
    return field;
}

EncodedList encodeDictionary(const ProgramState& state) {
    EncodedList result;
    qsizetype room = 0;
    for (int k = 0; k < ProgramState::FileSlots && !state.EstonianWords[k].isEmpty(); ++k)
        room += 2 * (state.EstonianWords[k].size() + state.ForeignWords[k].size()) + 8;
    result.bytes.resize(room);
    char* out = result.bytes.data();
    for (int k = 0; k < ProgramState::FileSlots; ++k) {
        if (state.EstonianWords[k].isEmpty())
            break;
        for (const QString* word : {&state.EstonianWords[k], &state.ForeignWords[k]}) {
            out = putField(out, *word);
            if (!out) {
                result.bytes.clear();
                result.pairs = 0;
                result.failure = badCharacter(*word);
                return result;
            }
            *out++ = '\r';
            *out++ = '\n';
        }
        result.pairs = k + 1;
    }
    result.bytes.resize(out - result.bytes.constData());
    return result;
}

std::optional<FileFailure> saveFileBytes(const QString& path, const QByteArray& bytes) {
    if (QFileInfo(path).isDir())
        return saveFailure(path, QStringLiteral("See on kaust, mitte fail."), false);

    // QSaveFile would refuse it too, but only in Qt's words.
    const QFileInfo existing(path);
    if (existing.exists() && !existing.isWritable())
        return saveFailure(path, noPermissionText(), false);

    QSaveFile file(path);
    const bool inPlace = mayOnlyWriteInPlace(path);
    file.setDirectWriteFallback(inPlace);
    // Qt tells only its own text ("Unknown error" for a full disk): the cause is taken from the
    // system's code, cleared before each step, right after the step that failed.
    clearSystemError();
    if (!file.open(QIODevice::WriteOnly))
        return saveFailure(path, saveCause(file.errorString()), false);
    // Written in place, the old file is gone from the moment it was opened; through a temporary
    // file, it stays whole until the rename.
    const auto fail = [&](const QString& reason) {
        file.cancelWriting();
        return saveFailure(path, reason, inPlace);
    };
    // Each step is checked: a small list only reaches the disk at flush(), and commit() does
    // not tell when that write failed (a full disk), so it alone would report a cut-short file
    // as saved.
    clearSystemError();
    if (file.write(bytes) != bytes.size())
        return fail(saveCause(file.errorString()));
    clearSystemError();
    if (!file.flush() || file.error() != QFileDevice::NoError)
        return fail(saveCause(file.errorString()));
    clearSystemError();
    if (!syncToDisk(file))
        return fail(saveCause(QStringLiteral("Andmeid ei saanud kettale kirjutada.")));
    // A rename that fails leaves the old file as it was.
    clearSystemError();
    if (!file.commit())
        return saveFailure(path, saveCause(file.errorString()), inPlace);
    // What the disk now holds under that name, compared with what was meant to be there.
    if (QFileInfo(path).size() != bytes.size())
        return saveFailure(path, QStringLiteral("Fail on pärast salvestamist vale pikkusega."),
                           true);
    return std::nullopt;
}

std::optional<FileFailure> writeDictionary(ProgramState& state, const QString& path) {
    const EncodedList list = encodeDictionary(state);
    if (list.failure)
        return list.failure;
    if (auto failure = saveFileBytes(path, list.bytes))
        return failure;
    for (int k = 0; k < list.pairs; ++k) {
        state.EstonianWords[k].replace(QLatin1Char('}'), QLatin1Char('-'));
        state.ForeignWords[k].replace(QLatin1Char('}'), QLatin1Char('-'));
    }
    return std::nullopt;
}
