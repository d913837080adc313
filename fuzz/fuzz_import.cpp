// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the import readers, then checks what the list would take: at most
// 1000 pairs of trimmed, one-line words that Windows-1257 holds, and that the list written out
// as CSV reads back as the same pairs.
#include "dictfile/Cp1257.h"
#include "state/ProgramState.h"
#include "wordimport/WordImport.h"

#include <QGuiApplication>

#include <cstdint>
#include <cstdlib>

namespace {

void require(bool condition) {
    if (!condition)
        std::abort();
}

ProgramState& state() {
    static auto* list = new ProgramState;
    return *list;
}

void check(const wordimport::ReadResult& read) {
    require(read.table.has_value() == read.error.isEmpty());
    if (!read.table)
        return;
    require(read.table->rows.rowCount() > 0);
    for (const bool header : {false, true}) {
        const wordimport::Pairs pairs =
            wordimport::takePairs(*read.table, header, header ? 1 : 0, header ? 0 : 1);
        require(pairs.taken.size() <= ProgramState::FileSlots);
        for (const auto& pair : pairs.taken)
            for (const QString& word : pair)
                require(!word.isEmpty() && word == word.trimmed() && !word.contains(u'\n') &&
                        !word.contains(u'\r') && cp1257::firstUnencodable(word) < 0);
        ProgramState& list = state();
        wordimport::replaceList(list, pairs);
        require(list.WordCount == pairs.taken.size() - 1);
        // Each of Export's formats reads back as the same pairs; the header row is always
        // there, so even an empty list reads back (as no pairs).
        for (const auto format :
             {wordimport::ExportFormat::CommaUtf8, wordimport::ExportFormat::SemicolonExcel,
              wordimport::ExportFormat::TabText}) {
            const wordimport::ReadResult back =
                wordimport::readDelimited(wordimport::exportList(list, format));
            require(back.table && back.table->headerGuessed);
            require(wordimport::takePairs(*back.table, true, 0, 1).taken == pairs.taken);
        }
    }
}

} // namespace

// Qt's HTML reader, run on Anki's fields, wants the GUI application the program always has: a
// <tt> asks the font database for a fixed-pitch font. Offscreen, it needs no display.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz_import";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    check(wordimport::readDelimited(bytes));
    check(wordimport::readKvtml(bytes));
    return 0;
}
