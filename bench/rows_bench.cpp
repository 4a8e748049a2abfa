// The rows module: the check and the grade of an upload file of 10,000 rows
// (goal: 5 ms together), the grade of 13 full covers (goal: 10 µs), and the
// worst texts at the size limit, whose time stays linear in their size.
#include "rows_check.h"
#include "rows_grade.h"
#include "rows_json.h"
#include "rows_reader.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>

namespace {

using namespace kupongen::rows;

const Result kResult = ParseResult("1X21X21X21X21").result;

std::string UploadFile(int rows) {
    std::mt19937 random(25);
    std::string file = "Stryktipset";
    for (int r = 0; r < rows; ++r) {
        file += "\r\nE";
        for (int m = 0; m < kMatches; ++m) {
            file += ',';
            file += "1X2"[random() % 3];
        }
    }
    return file;
}

// Everything a check and a grade give: read, check, grade, both reports and
// both JSON objects, all alive at once.
void CheckAndGrade(benchmark::State& state, const std::string& file) {
    for (auto _ : state) {
        const RowsText text = ReadRows(file);
        const Check check = CheckRows(text);
        std::string checkReport = CheckReport(text, check, "rader.txt");
        std::string checkJson = CheckJson(text, check);
        const Grade grade = GradeRows(text, kResult);
        std::string gradeReport = GradeReport(text, grade, "rader.txt");
        std::string gradeJson = GradeJson(grade);
        benchmark::DoNotOptimize(checkReport.data());
        benchmark::DoNotOptimize(checkJson.data());
        benchmark::DoNotOptimize(gradeReport.data());
        benchmark::DoNotOptimize(gradeJson.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.size()));
}

void BM_CheckAndGrade10000Rows(benchmark::State& state) {
    CheckAndGrade(state, UploadFile(10000));
}

void BM_Grade13FullCovers(benchmark::State& state) {
    const RowsText text = ReadRows("Stryktipset\r\nM1594323,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,"
                                   "1X2,1X2,1X2,1X2,1X2");
    for (auto _ : state) {
        const Grade grade = GradeRows(text, kResult);
        benchmark::DoNotOptimize(grade.spread.data());
    }
}

// Texts of the largest size read: a fault on every other byte, one line of
// them all, rows up to the limit, a coupon table of 246,000 rows.
void BM_CheckAndGradeLargest(benchmark::State& state) {
    std::string file;
    file.reserve(kMaxTextBytes);
    switch (state.range(0)) {
    case 0:
        while (file.size() < kMaxTextBytes) {
            file += "y\n";
        }
        break;
    case 1:
        file.assign(kMaxTextBytes, 'x');
        break;
    case 2:
        file = UploadFile(static_cast<int>(kMaxTextBytes / 29) - 1);
        break;
    default: {
        const std::size_t rows = kMaxTextBytes / 17;
        file = " -----------" + std::string(3 * rows, '-');
        for (int m = 1; m <= kMatches; ++m) {
            file += "\r\nMatch " + std::to_string(m) + ":" + std::string(rows, '1');
        }
    }
    }
    CheckAndGrade(state, file);
}

} // namespace

BENCHMARK(BM_CheckAndGrade10000Rows)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Grade13FullCovers)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CheckAndGradeLargest)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
