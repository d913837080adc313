// SPDX-License-Identifier: GPL-3.0-or-later
// Reading 1000 pairs from a spreadsheet's CSV and from a KWordQuiz file, up to the list.
#include "state/ProgramState.h"
#include "wordimport/WordImport.h"

#include <benchmark/benchmark.h>

namespace {

QByteArray csv1000() {
    QByteArray bytes = "eesti;english\r\n";
    for (int k = 0; k < 1000; ++k)
        bytes += QStringLiteral("sõna %1 õäöü;\"word %1, šž\"\r\n").arg(k).toUtf8();
    return bytes;
}

QByteArray kvtml1000() {
    QByteArray bytes = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<kvtml version=\"2.0\">"
                       "<identifiers><identifier id=\"0\"><name>Eesti</name><locale>et</locale>"
                       "</identifier><identifier id=\"1\"><name>English</name><locale>en</locale>"
                       "</identifier></identifiers><entries>\n";
    for (int k = 0; k < 1000; ++k)
        bytes += QStringLiteral("<entry id=\"%1\"><translation id=\"0\"><text>sõna %1 õäöü</text>"
                                "</translation><translation id=\"1\"><text>word %1</text>"
                                "<grade currentgrade=\"1\"/></translation></entry>\n")
                     .arg(k)
                     .toUtf8();
    return bytes + "</entries></kvtml>\n";
}

template <wordimport::ReadResult (*read)(const QByteArray&)>
void import1000(benchmark::State& run, const QByteArray& bytes) {
    ProgramState state;
    for (auto _ : run) {
        const wordimport::ReadResult result = read(bytes);
        const wordimport::Pairs pairs =
            wordimport::takePairs(*result.table, result.table->headerGuessed,
                                  result.table->estonianColumn, result.table->foreignColumn);
        wordimport::replaceList(state, pairs);
        benchmark::DoNotOptimize(state.WordCount);
    }
    if (state.WordCount != 999)
        run.SkipWithError("not 1000 pairs");
    run.SetBytesProcessed(run.iterations() * bytes.size());
}

void csv1000Rows(benchmark::State& run) {
    import1000<wordimport::readDelimited>(run, csv1000());
}
BENCHMARK(csv1000Rows)->Unit(benchmark::kMicrosecond);

void kvtml1000Entries(benchmark::State& run) {
    import1000<wordimport::readKvtml>(run, kvtml1000());
}
BENCHMARK(kvtml1000Entries)->Unit(benchmark::kMicrosecond);

void exportCsv1000(benchmark::State& run) {
    ProgramState state;
    for (int k = 0; k < 1000; ++k) {
        state.EstonianWords[k] = QStringLiteral("sõna %1").arg(k);
        state.ForeignWords[k] = QStringLiteral("word %1, šž").arg(k);
    }
    for (auto _ : run)
        benchmark::DoNotOptimize(
            wordimport::exportList(state, wordimport::ExportFormat::CommaUtf8));
}
BENCHMARK(exportCsv1000)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
