// The one reader of rows texts: everything Kupongen writes (the upload format
// with either header, the coupon table, the system table, the upload file of
// one system) and the upload files other tools write, read into rows.
//
// The text is bytes, Windows-1252 as the rows window holds it or as a file
// stores it. Lines are counted from 1 as the text stores them: CR LF, LF and a
// lone CR each end one line, blank lines count, a UTF-8 byte order mark at the
// start is not a line, and nothing after the last line end is no line. Blanks
// (spaces and tabs) may stand around a line and between its parts, and
// letters may be in either case.
//
// The first line that is a product name, an E or M row or a match line
// ("Match 5:") decides what the text is:
//
// - An upload file: an optional product name ("Stryktipset" or "Italienska
//   Stryktipset") before the first row, then rows. "E,1,X,2,…" is a single
//   row, 13 signs with a comma before each; "M72,1,1X,…,X2" is a system, its
//   number of rows and 13 cells of one to three different signs in any order,
//   the number being the product of the cells' sizes. Any other line is
//   invalid, a product name after a row or a second one included.
// - A table: 13 match lines, numbered 1 to 13 in any order, and separator
//   lines of hyphens. Kupongen's coupon table has n rows as columns, one sign
//   for each row on every match line and 11 + 3n hyphens in its separators;
//   its rows are named by position (1 to n). The system table has one cell of
//   one to three different signs on each match line and 23 hyphens. Which of
//   the two a table is:
//   - by its first separator of 11 + 3n hyphens (n at least 1): 23 hyphens make
//     a system, unless most of its match lines hold four signs (the coupon
//     table of 4 rows has 23 hyphens too); any other count makes a coupon table
//     of n rows;
//   - with no such separator (removed, or edited to another count): a system
//     when every match line holds one to three different signs and not all of
//     them hold the same number; otherwise a coupon table whose row count is
//     the most common number of signs on a match line (the lowest match's
//     number on a tie). So a one-row coupon table and a system without
//     separators stay what they look like, and a table is never multiplied out
//     by a guess: a system of single signs only, or of cells all of one size,
//     needs its separators.
//   A table yields rows only when all 13 match lines are there and sound;
//   other faulty lines do not stop it.
//
// Every fault names its line (one fault per line, the first one found), and
// invalidLines lists every faulty line. The reader keeps the details of the
// first kMaxFaults faults only, and nothing it keeps grows faster than the
// text: reading a text of kMaxTextBytes of the worst kind (a fault on every
// other byte) keeps 8 MiB of line numbers. Time is linear in the text.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kupongen::rows {

inline constexpr int kMatches = 13;

// The largest text read: far above any file the operator takes (10,000 single
// rows are 290 KB), and small enough that its worst case stays small.
inline constexpr std::size_t kMaxTextBytes = std::size_t{4} << 20;

// Fault details kept; invalidLines has every faulty line.
inline constexpr std::size_t kMaxFaults = 1000;

// The signs one match covers: a bit each, so a single sign is one bit.
using SignSet = std::uint8_t;
inline constexpr SignSet kOne = 1;
inline constexpr SignSet kCross = 2;
inline constexpr SignSet kTwo = 4;
inline constexpr SignSet kAllSigns = kOne | kCross | kTwo;

// One cell for each match, match 1 first.
using Cells = std::array<SignSet, kMatches>;

enum class Product : std::uint8_t { None, Stryktipset, Italienska };

enum class TextKind : std::uint8_t {
    Empty,       // no line holds anything
    TooLarge,    // more than kMaxTextBytes: nothing is read
    Upload,      // also a text in which nothing is recognised
    CouponTable, // rows as columns
    SystemTable, // one system
};

struct SingleRow {
    std::uint32_t place; // the line in an upload file, the position 1 to n in a coupon table
    Cells signs;         // one sign each
};

struct System {
    std::uint32_t line; // the M row, or the first match line of a system table
    std::uint32_t rows; // the product of the cells' sizes
    Cells cells;
};

enum class FaultKind : std::uint8_t {
    NotHeaderOrRow, // before any product name or row of an upload file
    NotARow,        // an upload file's line after that
    NotTableLine,   // a table's line that is neither a match line nor a separator
    ExtraHeader,    // a product name after a row or after the first product name
    ForeignByte,    // byte: neither a sign, a comma nor a blank (in match, if known)
    SignCount,      // an E row with count signs
    Commas,         // an E or M row whose commas do not stand before each sign or cell
    NoRowCount,     // an M row without its number of rows
    CellCount,      // an M row with count cells
    EmptyCell,      // no sign in match
    RepeatedSign,   // sign byte more than once in match
    WrongRowCount,  // an M row whose number is not count, its cells' product
    NoSuchMatch,    // a match line numbered count, outside 1 to 13
    RepeatedMatch,  // a second line for match; the first is line count
    MatchSignCount, // count signs on match's line in a coupon table of expected rows
    Separator,      // count hyphens where the table's separators have expected
};

struct Fault {
    std::uint32_t line;
    FaultKind kind;
    std::uint8_t match = 0; // 1 to 13 when the fault lies in one match, else 0
    char byte = 0;
    std::uint32_t count = 0;
    std::uint32_t expected = 0;
};

struct RowsText {
    TextKind kind = TextKind::Empty;
    Product product = Product::None;
    std::uint32_t productLine = 0;    // the product name's line, 0 without one
    std::uint32_t lines = 0;          // every line of the text
    std::uint32_t tableRows = 0;      // a coupon table's row count by its layout
    std::uint16_t missingMatches = 0; // a table's matches without a line: bit m - 1 for match m
    std::vector<SingleRow> singles;   // in the text's order
    std::vector<System> systems;      // in the text's order
    std::vector<std::uint32_t> invalidLines; // ascending, one for each faulty line
    std::vector<Fault> faults;               // the first kMaxFaults, by line
};

// Reads a whole text. Never fails: what is not rows becomes faults.
RowsText ReadRows(std::string_view text);

// A cell's signs in the order 1, X, 2 ("1", "X2", "1X2"; empty for no sign).
std::string CellText(SignSet cell);

// A row's 13 signs, or the first sign of each cell ("1X21…").
std::string RowText(const Cells& cells);

// The product's name as its header reads ("Stryktipset"); empty for None.
std::string_view ProductName(Product product);

} // namespace kupongen::rows
