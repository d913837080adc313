// Feeds arbitrary bytes to the dictionary reader, then checks what it made of them: the list is
// consistent, and writing it and reading it back gives the same pairs.
#include "dictfile/DictionaryFile.h"
#include "state/ProgramState.h"

#include <QBuffer>

#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

void require(bool condition) {
    if (!condition)
        std::abort();
}

std::unique_ptr<ProgramState> read(const QByteArray& bytes, std::optional<FileFailure>* failure) {
    auto state = std::make_unique<ProgramState>();
    state->EstonianWords[1000] = QStringLiteral("slot 1000");
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    *failure = readDictionary(*state, buffer, QStringLiteral("fuzz.dic"));
    return state;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    std::optional<FileFailure> failure;
    const auto first = read(bytes, &failure);

    require(first->WordCount >= -1 && first->WordCount < ProgramState::FileSlots);
    require(first->EstonianWords[1000] == QStringLiteral("slot 1000"));
    if (failure)
        require(failure->number == 62 || failure->number == 7);
    for (int k = 0; k < ProgramState::FileSlots; ++k) {
        require(!first->EstonianWords[k].contains(QLatin1Char('}')));
        require(!first->ForeignWords[k].contains(QLatin1Char('}')));
        if (k > first->WordCount + (failure ? 1 : 0))
            require(first->EstonianWords[k].isEmpty() && first->ForeignWords[k].isEmpty());
    }

    // Everything read can be written, and reads back the same.
    const EncodedList written = encodeDictionary(*first);
    require(!written.failure);
    std::optional<FileFailure> again;
    const auto second = read(written.bytes, &again);
    require(!again);
    require(second->WordCount == written.pairs - 1);
    for (int k = 0; k < written.pairs; ++k) {
        require(second->EstonianWords[k] == first->EstonianWords[k]);
        require(second->ForeignWords[k] == first->ForeignWords[k]);
    }
    return 0;
}
