// The check of a rows text before the upload: what it holds, the rows that
// repeat, the lines that are not rows, the operator's limits, and whether the
// file can be uploaded. Front ends show CheckReport (or the structured Check);
// the command line prints the report or CheckJson (rows_json.h).
#pragma once

#include "rows_reader.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kupongen::rows {

// The operator's limits for one file; a row costs 1 kr.
inline constexpr std::uint64_t kMaxSingles = 10000;
inline constexpr std::uint64_t kMaxSystems = 1000;
inline constexpr std::uint64_t kMaxStake = 20000;

enum class Limit : std::uint8_t {
    Singles,      // at most kMaxSingles single rows
    Systems,      // at most kMaxSystems systems
    Stake,        // at most kMaxStake kr
    OneKind,      // E rows or M systems, never both
    ProductFirst, // the product name on line 1
};
inline constexpr std::size_t kLimitCount = 5;

// What stops an upload, in the order the verdict names them.
enum class Obstacle : std::uint8_t {
    TooLarge,
    Empty,
    CouponTable,
    SystemTable,
    NoRows,
    InvalidLines,
    TooManySingles,
    TooManySystems,
    StakeTooHigh,
    Mixed,
    NoProduct,
    ProductNotFirst,
};

// One single row that the text holds more than once: its places are
// Check::repeatPlaces[begin] to [end - 1], ascending.
struct RepeatGroup {
    std::uint32_t begin;
    std::uint32_t end;
};

struct Check {
    TextKind kind = TextKind::Empty;
    Product product = Product::None;
    std::uint64_t singles = 0;
    std::uint64_t systems = 0;
    std::uint64_t rows = 0;           // singles and every system's rows
    std::uint64_t stake = 0;          // kr
    std::uint64_t duplicates = 0;     // single rows beyond the first of each repeated row
    std::vector<RepeatGroup> repeats; // by their first place
    std::vector<std::uint32_t> repeatPlaces;
    std::array<bool, kLimitCount> limitPassed{}; // by Limit
    std::vector<Obstacle> obstacles;
    bool uploadable = false; // no obstacle
};

// Rows compare by their signs, so case never matters; a system's rows are
// counted, never compared. For a table, the limits of an upload are reported
// but the table itself is the obstacle.
Check CheckRows(const RowsText& text);

// The report in plain Swedish (Windows-1252, CR LF between lines), bounded
// whatever the text holds: lists stop after a number of items and say how many
// more there are. source names what was checked, as the report's first line
// says it: "raderna i fönstret" or a file's name (Windows-1252).
std::string CheckReport(const RowsText& text, const Check& check, std::string_view source);

// The report's last line, the verdict: "Filen kan laddas upp." or what stops
// the upload.
std::string Verdict(const RowsText& text, const Check& check);

// One fault as a sentence, "Rad 7 har 12 tecken i stället för 13.", for text's
// kind.
std::string FaultText(const Fault& fault, TextKind kind);

} // namespace kupongen::rows
