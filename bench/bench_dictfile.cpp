// SPDX-License-Identifier: GPL-3.0-or-later
// Reading and writing a full dictionary file of 1000 pairs.
#include "dictfile/DictionaryFile.h"
#include "state/ProgramState.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

std::unique_ptr<ProgramState> fullList() {
    auto state = std::make_unique<ProgramState>();
    for (int k = 0; k < 1000; ++k) {
        state->EstonianWords[k] = QStringLiteral("sõna-%1 õäöü").arg(k);
        state->ForeignWords[k] = QStringLiteral("word %1, šž").arg(k);
    }
    return state;
}

void encode1000(benchmark::State& run) {
    const auto list = fullList();
    for (auto _ : run)
        benchmark::DoNotOptimize(encodeDictionary(*list));
}
BENCHMARK(encode1000)->Unit(benchmark::kMicrosecond);

void read1000FromMemory(benchmark::State& run) {
    QByteArray bytes = encodeDictionary(*fullList()).bytes;
    ProgramState state;
    for (auto _ : run) {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        benchmark::DoNotOptimize(readDictionary(state, buffer, QString()));
    }
    run.SetBytesProcessed(run.iterations() * bytes.size());
}
BENCHMARK(read1000FromMemory)->Unit(benchmark::kMicrosecond);

void read1000FromFile(benchmark::State& run) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.dic"));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(encodeDictionary(*fullList()).bytes);
    file.close();
    ProgramState state;
    for (auto _ : run)
        benchmark::DoNotOptimize(readDictionary(state, path));
}
BENCHMARK(read1000FromFile)->Unit(benchmark::kMicrosecond);

// The whole save: encoding, temporary file, flush to disk, rename.
void write1000ToFile(benchmark::State& run) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.dic"));
    const auto list = fullList();
    for (auto _ : run)
        benchmark::DoNotOptimize(writeDictionary(*list, path));
}
BENCHMARK(write1000ToFile)->Unit(benchmark::kMicrosecond);

// The same bytes written with a plain QFile, without the flush, for comparison.
void write1000NoFlush(benchmark::State& run) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.dic"));
    const auto list = fullList();
    for (auto _ : run) {
        const EncodedList encoded = encodeDictionary(*list);
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        benchmark::DoNotOptimize(file.write(encoded.bytes));
    }
}
BENCHMARK(write1000NoFlush)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
