// SPDX-License-Identifier: GPL-3.0-or-later
// The editor at its largest list, 1001 pairs: each sort routine (about half a million
// comparisons), the editor's fill of its lists, and a whole sort button press.

#include "editor/EditorWindow.h"
#include "editor/Sorting.h"
#include "forms/Forms.h"
#include "platform/QtPlatform.h"
#include "state/ProgramState.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <random>

namespace {

QString randomWord(std::mt19937& engine) {
    static const QString letters = QStringLiteral("abdeghijklmnoprsštuvõäöüAEKLMPSTÕÄÖÜ");
    std::uniform_int_distribution<int> length(3, 10);
    std::uniform_int_distribution<int> letter(0, int(letters.size()) - 1);
    QString word;
    for (int k = length(engine); k > 0; --k)
        word += letters[letter(engine)];
    return word;
}

void fillList(ProgramState& state) {
    std::mt19937 engine(42);
    for (int i = 0; i < ProgramState::Slots; ++i) {
        state.EstonianWords[i] = randomWord(engine);
        state.ForeignWords[i] = randomWord(engine);
    }
    state.WordCount = ProgramState::Slots - 1;
}

// Argument 0: the C locale; 1: Estonian.
void useLocale(const benchmark::State& bench) {
    QLocale::setDefault(bench.range(0) ? QLocale(QStringLiteral("et_EE")) : QLocale::c());
}

template <void (*Routine)(ProgramState&)> void BM_Sort(benchmark::State& bench) {
    useLocale(bench);
    ProgramState unsorted;
    fillList(unsorted);
    ProgramState state;
    for (auto _ : bench) {
        bench.PauseTiming();
        state.EstonianWords = unsorted.EstonianWords;
        state.ForeignWords = unsorted.ForeignWords;
        state.WordCount = unsorted.WordCount;
        bench.ResumeTiming();
        Routine(state);
        benchmark::DoNotOptimize(state.ForeignWords[0].size());
    }
}
BENCHMARK(BM_Sort<sortForeignAZ>)
    ->Name("SortForeignAZ")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Sort<sortForeignZA>)
    ->Name("SortForeignZA")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Sort<sortEstonianAZ>)
    ->Name("SortEstonianAZ")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Sort<sortEstonianZA>)
    ->Name("SortEstonianZA")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);

// onLoad(): both lists emptied and filled with 1001 pairs, the count label set.
void BM_EditorFill(benchmark::State& bench) {
    ProgramState state;
    fillList(state);
    QtPlatform platform;
    Forms forms(state, platform);
    EditorWindow* editor = forms.show<EditorWindow>();
    for (auto _ : bench)
        editor->onLoad();
}
BENCHMARK(BM_EditorFill)->Unit(benchmark::kMillisecond);

// "A-Z" on the Estonian side: write-back, sort and refill, as the user waits for it.
void BM_SortButton(benchmark::State& bench) {
    useLocale(bench);
    ProgramState state;
    fillList(state);
    QtPlatform platform;
    Forms forms(state, platform);
    EditorWindow* editor = forms.show<EditorWindow>();
    const ProgramState unsorted = state;
    for (auto _ : bench) {
        bench.PauseTiming();
        state.EstonianWords = unsorted.EstonianWords;
        state.ForeignWords = unsorted.ForeignWords;
        editor->onLoad();
        bench.ResumeTiming();
        editor->sortEstonianAscending();
    }
}
BENCHMARK(BM_SortButton)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
