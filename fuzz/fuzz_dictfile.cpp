// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the dictionary reader, then checks what it made of them: the list is
// consistent, and writing it and reading it back gives the same pairs.
#include "dictfile/DictionaryFile.h"
#include "state/ProgramState.h"

#include <QBuffer>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>

namespace {

void require(bool condition) {
    if (!condition)
        std::abort();
}

const QString& slot1000() {
    static const QString text = QStringLiteral("slot 1000");
    return text;
}

// The two states live for the whole run, and clean() hands them back as new (slot 1000 marked)
// after every input rather than making two 1001-slot states per input. The reader writes only
// the words and WordCount, so each input starts from the same state and a finding reproduces
// from its file alone.
ProgramState& makeState() {
    auto* state = new ProgramState;
    state->EstonianWords[1000] = slot1000();
    return *state;
}

// Checks the list a read left: WordCount in range, slot 1000 untouched, no "}" left in a word,
// failure numbers 62 or 7 only, nothing past the list. Answers the last slot that may hold a
// word. Every slot is looked at, not only those this input could reach, since a stray word
// anywhere would also carry over into the next input. Not instrumented for coverage: the loops
// make some 2000 comparisons an input, and tracing them told the fuzzer nothing about the reader.
__attribute__((no_sanitize("coverage"))) int checkList(const ProgramState& state,
                                                       const std::optional<FileFailure>& failure) {
    require(state.WordCount >= -1 && state.WordCount < ProgramState::FileSlots);
    require(state.EstonianWords[1000] == slot1000());
    if (failure)
        require(failure->number == 62 || failure->number == 7);
    // After a failure part-way the slot past the list may hold what was read of the next pair.
    const int last = std::min(state.WordCount + (failure ? 1 : 0), ProgramState::FileSlots - 1);
    for (int k = 0; k <= last; ++k) {
        require(!state.EstonianWords[k].contains(QLatin1Char('}')));
        require(!state.ForeignWords[k].contains(QLatin1Char('}')));
    }
    for (int k = last + 1; k < ProgramState::FileSlots; ++k)
        require(state.EstonianWords[k].isEmpty() && state.ForeignWords[k].isEmpty());
    return last;
}

int readChecked(ProgramState& state, QIODevice& device, std::optional<FileFailure>* failure) {
    *failure = readDictionary(state, device, QStringLiteral("fuzz.dic"));
    return checkList(state, *failure);
}

// Hands out at most a few bytes a read, as a pipe may.
class PieceDevice : public QIODevice {
public:
    PieceDevice(const QByteArray& bytes, qint64 piece) : bytes_(bytes), piece_(piece) {
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* data, qint64 maxSize) override {
        const qint64 n = std::min({maxSize, piece_, bytes_.size() - at_});
        std::memcpy(data, bytes_.constData() + at_, static_cast<std::size_t>(n));
        at_ += n;
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    const QByteArray bytes_;
    const qint64 piece_;
    qint64 at_ = 0;
};

void clean(ProgramState& state, int last) {
    for (int k = 0; k <= last; ++k) {
        state.EstonianWords[k].clear();
        state.ForeignWords[k].clear();
    }
    state.WordCount = 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static ProgramState& first = makeState();
    static ProgramState& second = makeState();

    QBuffer file;
    file.setData(
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    file.open(QIODevice::ReadOnly);
    std::optional<FileFailure> failure;
    const int firstLast = readChecked(first, file, &failure);

    // Everything read can be written, and reads back the same. It goes back in pieces of a few
    // bytes, so the reader's blocks end inside fields and between CR and LF, which files of the
    // sizes fuzzed here seldom make them do; the same pairs then also show that where a block
    // ends makes no difference. The piece length follows the input's; a long list still comes
    // in some 256 reads at most.
    const EncodedList written = encodeDictionary(first);
    require(!written.failure);
    PieceDevice copy(written.bytes, std::max<qint64>(1 + static_cast<qint64>(size % 13),
                                                     written.bytes.size() / 256));
    std::optional<FileFailure> again;
    const int secondLast = readChecked(second, copy, &again);
    require(!again);
    require(second.WordCount == written.pairs - 1);
    for (int k = 0; k < written.pairs; ++k) {
        require(second.EstonianWords[k] == first.EstonianWords[k]);
        require(second.ForeignWords[k] == first.ForeignWords[k]);
    }

    clean(first, firstLast);
    clean(second, secondLast);
    return 0;
}
