// libFuzzer over the rows reader, the check, the grade, the system's upload
// file and the review window's state. Besides crashes, hangs and leaks it
// finds broken promises: faults out of line order or not one for each invalid
// line, unbounded reports, a system graded by counting that differs from its
// rows written out, and an upload file that does not read back as the system
// it was made from.
#include "rows_check.h"
#include "rows_grade.h"
#include "rows_json.h"
#include "rows_reader.h"
#include "rows_review.h"
#include "system_upload.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace kupongen::rows;

constexpr std::size_t kReportBound = 32 << 10;

void Require(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

// The rows with k right, counted one row at a time.
Spread WrittenOut(const Cells& cells, const Result& result) {
    Spread spread{};
    std::vector<std::uint8_t> rights = {0};
    for (std::size_t m = 0; m < cells.size(); ++m) {
        std::vector<std::uint8_t> longer;
        for (const std::uint8_t r : rights) {
            for (const SignSet sign : {kOne, kCross, kTwo}) {
                if ((cells[m] & sign) != 0) {
                    longer.push_back(static_cast<std::uint8_t>(r + (sign == result[m] ? 1 : 0)));
                }
            }
        }
        rights.swap(longer);
    }
    for (const std::uint8_t r : rights) {
        ++spread[r];
    }
    return spread;
}

void CheckText(const RowsText& text) {
    Require(std::is_sorted(text.invalidLines.begin(), text.invalidLines.end()),
            "invalid lines in order");
    Require(std::adjacent_find(text.invalidLines.begin(), text.invalidLines.end()) ==
                text.invalidLines.end(),
            "one entry for each invalid line");
    Require(text.invalidLines.empty() || text.invalidLines.back() <= text.lines,
            "invalid lines within the text");
    Require(text.faults.size() == std::min(text.invalidLines.size(), kMaxFaults),
            "the first faults kept");
    for (std::size_t i = 0; i < text.faults.size(); ++i) {
        Require(text.faults[i].line == text.invalidLines[i], "faults by line");
    }
    for (const SingleRow& row : text.singles) {
        for (const SignSet sign : row.signs) {
            Require(sign == kOne || sign == kCross || sign == kTwo, "single rows of single signs");
        }
    }
    for (const System& system : text.systems) {
        std::uint32_t rows = 1;
        for (const SignSet cell : system.cells) {
            Require(cell != 0 && cell <= kAllSigns, "system cells of one to three signs");
            rows *= static_cast<std::uint32_t>(CellText(cell).size());
        }
        Require(rows == system.rows, "a system's rows the product of its cells");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const RowsText text = ReadRows(bytes);
    CheckText(text);

    const Check check = CheckRows(text);
    Require(CheckReport(text, check, "f").size() < kReportBound, "a bounded check report");
    Require(check.uploadable == check.obstacles.empty(), "the verdict follows the obstacles");
    const std::string json = CheckJson(text, check);
    Require(json.front() == '{' && json.back() == '}', "one JSON object");

    // A result from the input's own bytes, with open matches among them.
    Result result = kOpenResult;
    for (std::size_t m = 0; m < result.size() && size > 0; ++m) {
        result[m] = static_cast<SignSet>((1u << (data[(m * 7) % size] % 4)) >> 1);
    }
    const Grade grade = GradeRows(text, result);
    Require(grade.rows == check.rows, "every row graded");
    Require(GradeReport(text, grade, "f").size() < kReportBound, "a bounded grade report");
    std::size_t written = 0;
    for (const System& system : text.systems) {
        if (system.rows <= 512 && written++ < 8) {
            Require(GradeSystem(system.cells, result).spread == WrittenOut(system.cells, result),
                    "a system's grade equals its rows written out");
        }
    }

    const SystemUpload upload = MakeSystemUpload(bytes, Product::Italienska);
    Require(!upload.status.empty() && upload.status.size() <= 64, "one short status line");
    if (upload.ok) {
        const RowsText back = ReadRows(upload.bytes);
        Require(CheckRows(back).uploadable && back.product == Product::Italienska,
                "the upload file can be uploaded");
        const Cells cells = text.systems.at(0).cells;
        Require(back.systems.empty() ? back.singles.at(0).signs == cells
                                     : back.systems.at(0).cells == cells,
                "the upload file holds the system");
    }

    RowsReview review;
    review.ReadRowsWindow(bytes);
    review.TypeResult(bytes.substr(0, 40));
    review.ToggleSign(static_cast<int>(size % 15), static_cast<SignSet>(size % 5));
    Require(review.GradeResult().rows == check.rows, "the review grades the same rows");
    return 0;
}
