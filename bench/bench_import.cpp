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

// The worst shapes of a file up to 10 MB, read and weighed as the import window does.
void readShape(benchmark::State& run, const QByteArray& bytes) {
    for (auto _ : run) {
        const wordimport::ReadResult result = wordimport::readDelimited(bytes);
        if (result.table)
            benchmark::DoNotOptimize(
                wordimport::takePairs(*result.table, result.table->headerGuessed,
                                      result.table->estonianColumn, result.table->foreignColumn));
    }
    run.SetBytesProcessed(run.iterations() * bytes.size());
}

QByteArray repeated(const QByteArray& line, qsizetype size = 10 << 20) {
    QByteArray bytes;
    bytes.reserve(size + line.size());
    while (bytes.size() < size)
        bytes += line;
    return bytes;
}

void rowsAB10MB(benchmark::State& run) {
    readShape(run, repeated("a,b\n"));
}
BENCHMARK(rowsAB10MB)->Unit(benchmark::kMillisecond);

// One byte not UTF-8 makes the file read line by line.
void rowsMixed10MB(benchmark::State& run) {
    readShape(run, "caf\xE9;x\n" + repeated("õun;apple\n"));
}
BENCHMARK(rowsMixed10MB)->Unit(benchmark::kMillisecond);

// A quote opened in the first row and closed only at the end of the file.
void quotedField10MB(benchmark::State& run) {
    readShape(run, "a,\"" + repeated("word, word\n") + "\"\n");
}
BENCHMARK(quotedField10MB)->Unit(benchmark::kMillisecond);

void line10MB(benchmark::State& run) {
    readShape(run, repeated("a") + ";b\n");
}
BENCHMARK(line10MB)->Unit(benchmark::kMillisecond);

void unclosedQuoteAt50(benchmark::State& run) {
    QByteArray bytes;
    for (int k = 1; k <= 2000; ++k)
        bytes += k == 50 ? QByteArray("kass;\"cat\n")
                         : QStringLiteral("sõna %1;word %1\n").arg(k).toUtf8();
    readShape(run, bytes);
}
BENCHMARK(unclosedQuoteAt50)->Unit(benchmark::kMillisecond);

// Anki before 2.1.50: HTML in every field, read by QTextDocument field by field.
void ankiHtml1000(benchmark::State& run) {
    QByteArray bytes;
    for (int k = 0; k < 1000; ++k)
        bytes += QStringLiteral("<div>p&otilde;ld %1</div><div>ala</div>\tfield&nbsp;%1<br>\n")
                     .arg(k)
                     .toUtf8();
    readShape(run, bytes);
}
BENCHMARK(ankiHtml1000)->Unit(benchmark::kMillisecond);

// The same markup in every field of a 10 MB file: the worst case of the HTML reader.
void ankiHtml10MB(benchmark::State& run) {
    readShape(run, repeated("<div>p&otilde;ld</div><div>ala</div>\tfield&nbsp;<br>\n"));
}
BENCHMARK(ankiHtml10MB)->Unit(benchmark::kMillisecond)->Iterations(1);

// A change of a column chooser weighs every row again, here of a 10 MB file of four columns.
void chooseColumns10MB(benchmark::State& run) {
    const wordimport::ReadResult read = wordimport::readDelimited(repeated("1;õun;apple;x\n"));
    int foreign = 2;
    for (auto _ : run) {
        foreign = foreign == 2 ? 3 : 2;
        benchmark::DoNotOptimize(wordimport::takePairs(*read.table, true, 1, foreign));
    }
}
BENCHMARK(chooseColumns10MB)->Unit(benchmark::kMillisecond);

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
