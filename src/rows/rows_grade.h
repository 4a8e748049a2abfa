// The grade of a rows text against a round's result. A match may be open
// while the round is still played: it counts as neither right nor wrong, so a
// row's rights are counted over the decided matches. A system is graded by
// counting (the product over its matches of rows that hit and rows that miss),
// never by writing out its rows.
#pragma once

#include "rows_reader.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kupongen::rows {

// Each match's sign (kOne, kCross or kTwo), or 0 while it is open.
using Result = std::array<SignSet, kMatches>;
inline constexpr Result kOpenResult{};

// How many rows got 0 to 13 right: Spread[k] rows with k right.
inline constexpr std::size_t kRightsCounts = kMatches + 1;
using Spread = std::array<std::uint64_t, kRightsCounts>;

struct ResultParse {
    bool ok = false;
    Result result = kOpenResult;
    std::string refusal; // one Swedish line (Windows-1252) when not ok
};

// What a user types: 13 signs from 1, X or x, 2, and ? or - for an open match,
// with or without commas and blanks ("1X21?-…", "1,x,2,…"). typed is
// Windows-1252, as front ends hand over every text.
ResultParse ParseResult(std::string_view typed);

// The result as 13 characters, ? for an open match ("1X2?…").
std::string ResultText(const Result& result);

struct SystemGrade {
    int best = 0;    // the rights of its best row
    Cells bestRow{}; // that row: the result's sign where the cell holds it, else the
                     // cell's first sign in the order 1, X, 2
    Spread spread{}; // its rows by their rights
};

struct Grade {
    Result result = kOpenResult;
    int decided = 0;                        // matches with a sign
    std::vector<std::uint8_t> singleRights; // for each of RowsText::singles
    std::vector<std::uint8_t> systemBest;   // for each of RowsText::systems: its best row's rights
    Spread spread{};                        // every row, each system counted as its rows
    std::uint64_t rows = 0;                 // the sum of spread
};

// One system's grade: microseconds, whatever its size.
SystemGrade GradeSystem(const Cells& cells, const Result& result);

// Every row of the text. A system's own spread and best row are not kept (a
// text may hold many systems); GradeSystem gives them.
Grade GradeRows(const RowsText& text, const Result& result);

// The report in plain Swedish (Windows-1252, CR LF between lines), bounded:
// the result, the rows with 13, 12, 11 and 10 right that the operator pays
// for, the spread, the single rows with the most rights first and each
// system's best row and spread, lists cut after a number of items. source as
// for CheckReport.
std::string GradeReport(const RowsText& text, const Grade& grade, std::string_view source);

// What the operator pays by, as the report gives it after the result: the
// rows and how many got 13, 12, 11 and 10 right (CR LF between lines), or
// that there are no rows to grade.
std::string GradeSummary(const Grade& grade);

} // namespace kupongen::rows
