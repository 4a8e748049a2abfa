// Generate presses through Controller::Command, as a click delivers them.
#include "control_table.h"
#include "dialog_session.h"
#include "generation.h"
#include "menu_table.h"
#include "random_mersenne.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using kupongen::DialogSession;
namespace id = kupongen::id;

constexpr int k256Rows = 1113;

// Single rows, 256 of them, in the compatible format or as a table.
void PrepareSingleRows(DialogSession& dialog, bool compatible) {
    dialog.Click(id::kEnkelrader);
    dialog.Click(k256Rows);
    if (compatible) {
        dialog.Click(id::kCompatible);
    }
}

void GenerateFresh(benchmark::State& state, bool compatible) {
    kupongen::rg.RandomInit(1);
    DialogSession dialog;
    PrepareSingleRows(dialog, compatible);
    for (auto _ : state) {
        dialog.Notify(id::kGenerate, 0);
    }
    benchmark::DoNotOptimize(kupongen::TestLength());
}

void BM_Generate256CompatibleRows(benchmark::State& state) {
    GenerateFresh(state, true);
}
void BM_Generate256TableRows(benchmark::State& state) {
    GenerateFresh(state, false);
}

// 256 rows with X sure on the first matches, distinct rows off or on. The
// counter is the rows of the last press: 243 once 8 sure matches leave no
// more.
void GenerateWithSure(benchmark::State& state, int sureMatches, bool distinct) {
    kupongen::rg.RandomInit(1);
    DialogSession dialog;
    PrepareSingleRows(dialog, true);
    for (int match = 1; match <= sureMatches; ++match) {
        dialog.Click(kupongen::SureBoxId(match, 1));
    }
    if (distinct) {
        dialog.Notify(id::kMenuDistinct, 0);
    }
    for (auto _ : state) {
        dialog.Notify(id::kGenerate, 0);
    }
    state.counters["rows"] = static_cast<double>((kupongen::TestLength() - 11) / 29);
}

void BM_Generate256Rows5Sure(benchmark::State& state) {
    GenerateWithSure(state, 5, false);
}
void BM_Generate256DistinctRows5Sure(benchmark::State& state) {
    GenerateWithSure(state, 5, true);
}
void BM_Generate256DistinctRows8Sure(benchmark::State& state) {
    GenerateWithSure(state, 8, true);
}

// The last 256-row press that fits: 33 appended presses already in the text.
void BM_Append256RowsAtBufferLimit(benchmark::State& state) {
    kupongen::rg.RandomInit(1);
    DialogSession dialog;
    PrepareSingleRows(dialog, true);
    dialog.Click(id::kAppend);
    for (int press = 0; press < 33; ++press) {
        dialog.Notify(id::kGenerate, 0);
    }
    const std::string before(kupongen::TestText());
    const int raderBefore = kupongen::Rader;
    auto& rows = *dialog.Model().Item(id::kRows);
    for (auto _ : state) {
        dialog.Notify(id::kGenerate, 0);
        state.PauseTiming();
        kupongen::TestCopy(before);
        kupongen::Rader = raderBefore;
        dialog.Model().SetText(rows, before);
        state.ResumeTiming();
    }
}

BENCHMARK(BM_Generate256CompatibleRows)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Generate256TableRows)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Append256RowsAtBufferLimit)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Generate256Rows5Sure)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Generate256DistinctRows5Sure)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Generate256DistinctRows8Sure)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
