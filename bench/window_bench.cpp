// The window's side of a 256-row press, from the click to updated widgets,
// on the offscreen platform: a fresh press that replaces the rows text, and
// an Append press with the text at the buffer limit (the 34th press of 256
// rows, the last that fits), where only the new rows may go into the rows
// window.
#include "control_table.h"
#include "generation.h"
#include "main_dialog.h"
#include "startup.h"

#include <QAbstractButton>
#include <QApplication>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

using namespace kupongen;
using namespace kupongen::qt;

namespace {

constexpr int kRows256 = 1113;

void Click(MainDialog& dialog, int controlId) {
    qobject_cast<QAbstractButton*>(dialog.Control(controlId))->click();
}

// ENKELRADER, 256 rows, the compatible format with its Stryktipset header.
std::unique_ptr<MainDialog> DialogFor256Rows(bool append) {
    auto dialog = std::make_unique<MainDialog>(Prompts{});
    dialog->show();
    Click(*dialog, id::kEnkelrader);
    Click(*dialog, kRows256);
    Click(*dialog, id::kCompatible);
    if (append) {
        Click(*dialog, id::kAppend);
    }
    QCoreApplication::processEvents();
    return dialog;
}

template <typename Step> double Seconds(Step step) {
    const auto start = std::chrono::steady_clock::now();
    step();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void BM_Press256Fresh(benchmark::State& state) {
    const auto dialog = DialogFor256Rows(false);
    Click(*dialog, id::kGenerate);
    for (auto _ : state) {
        state.SetIterationTime(Seconds([&] { Click(*dialog, id::kGenerate); }));
    }
    state.counters["bytes"] =
        static_cast<double>(dialog->Session().Model().Item(id::kRows)->text.size());
}
BENCHMARK(BM_Press256Fresh)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_Press256AppendAtLimit(benchmark::State& state) {
    const auto dialog = DialogFor256Rows(true);
    constexpr int kPressesBefore = 33;
    for (int press = 0; press < kPressesBefore; ++press) {
        Click(*dialog, id::kGenerate);
    }
    const std::string before = dialog->Session().Model().Item(id::kRows)->text;
    const std::int32_t raderBefore = Rader;
    for (auto _ : state) {
        // Back to 33 presses, in the buffer, the model and the window (not
        // timed).
        TestCopy(before);
        Rader = raderBefore;
        dialog->Session().TypeRowsText(before);
        dialog->Mirror();
        state.SetIterationTime(Seconds([&] { Click(*dialog, id::kGenerate); }));
    }
    const std::size_t after = dialog->Session().Model().Item(id::kRows)->text.size();
    if (after != before.size() + 256 * 29) {
        state.SkipWithError("the press did not append 256 rows");
    }
    state.counters["bytes"] = static_cast<double>(after);
}
BENCHMARK(BM_Press256AppendAtLimit)->UseManualTime()->Unit(benchmark::kMillisecond);

// The same fresh press with the whole window painted afterwards.
void BM_Press256FreshPainted(benchmark::State& state) {
    const auto dialog = DialogFor256Rows(false);
    Click(*dialog, id::kGenerate);
    for (auto _ : state) {
        state.SetIterationTime(Seconds([&] {
            Click(*dialog, id::kGenerate);
            dialog->repaint();
        }));
    }
}
BENCHMARK(BM_Press256FreshPainted)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    SetUpApplication(app);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
