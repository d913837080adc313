// SPDX-License-Identifier: GPL-3.0-or-later
// One question set-up at 1001 pairs with a single pair left in the cycle: the selection keeps
// drawing until it meets that pair, the worst case it has.

#include "app/MainWindow.h"
#include "forms/Forms.h"
#include "platform/QtPlatform.h"
#include "quiz/QuizWindow.h"
#include "quiz/Selection.h"
#include "state/ProgramState.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>

namespace {

void fillList(ProgramState& state) {
    for (int i = 0; i < ProgramState::Slots; ++i) {
        state.EstonianWords[i] = QStringLiteral("sõna%1").arg(i);
        state.ForeignWords[i] = QStringLiteral("word%1").arg(i);
    }
    state.WordCount = ProgramState::Slots - 1;
}

void leaveOnly(ProgramState& state, int slot) {
    std::fill(state.AskedMarks.begin(), state.AskedMarks.end(), qint16(1));
    state.AskedMarks[slot] = 0;
}

// The selection alone; slot 1000 sits at an end of the draw and comes up half as often.
void BM_SelectLastPair(benchmark::State& bench) {
    const int slot = static_cast<int>(bench.range(0));
    ProgramState state;
    fillList(state);
    std::mt19937_64 engine(42);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const RandomSource rnd = [&] { return unit(engine); };
    for (auto _ : bench) {
        leaveOnly(state, slot);
        benchmark::DoNotOptimize(selectQuestion(state, state.WordCount, rnd));
    }
}
BENCHMARK(BM_SelectLastPair)->Arg(500)->Arg(1000)->Unit(benchmark::kMicrosecond);

// The quiz window's whole set-up with the real platform: statistics, re-seeding, selection
// and presentation.
void BM_QuizSetUp(benchmark::State& bench) {
    ProgramState state;
    fillList(state);
    QtPlatform platform;
    Forms forms(state, platform);
    forms.load<MainWindow>();
    QuizWindow* test = forms.load<QuizWindow>();
    for (auto _ : bench) {
        leaveOnly(state, 1000);
        test->onLoad();
    }
}
BENCHMARK(BM_QuizSetUp)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
