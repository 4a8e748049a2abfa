// Distinct rows ("Unika rader"): the rows of a press made to differ from each
// other and from the rows already in the text the press adds to.
//
// The press first draws its rows exactly as a plain press does. Then, in row
// order, a row equal to a taken one (an earlier row of the press, or a row of
// the kept text) is drawn again, all its free matches from match 1 to 13 by
// the same method from the same generator, until it differs. A row that
// cannot differ, because every row with the press's sure signs is taken, is
// dropped without a draw. One rare free row can take millions of draws under
// the classic weights, so a row still taken after kMaxRedraws redraws takes
// a free row by one draw instead: k from 1 to the number of free rows, and the
// k-th free row in the order of rows read as words (match 1 first, 1 before X
// before 2). The rows of a seed are thus the same on every build, and a press
// in which nothing repeats is the plain press.
#pragma once

#include "control_table.h"
#include "generation.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace kupongen {

// One single row: the sign of each match, match 1 first.
using Row = std::array<Sign, kMatchCount>;

// The sure sign of each match (0 for 1, 1 for X, 2 for 2), or -1 for none.
using SurePattern = std::array<int, kMatchCount>;

// Far more than a row with a few free rows left needs, yet few enough that a
// press of 256 rows stays well under a second.
inline constexpr int kMaxRedraws = 10000;

class DistinctRows {
public:
    // Nothing taken yet, for a press with these sure signs.
    void Start(const SurePattern& sure);

    // Takes every line of a rows text that is a row of the upload format
    // ("E,1,X,2,...") with the press's sure signs: only those can repeat.
    void TakeRowLines(std::string_view text);

    // Makes the rows distinct by the rule above. The kept rows move to the
    // front in their order; returns how many there are.
    std::size_t MakeDistinct(std::span<Row> rows, DrawMethod method);

private:
    bool IsTaken(std::uint32_t key) const;
    // False when the row was taken already.
    bool Take(std::uint32_t key);
    std::uint32_t FreeCount() const {
        return possible_ - static_cast<std::uint32_t>(taken_.size());
    }
    // The free row at position k (from 0) in the fixed order.
    Row FreeRow(std::uint32_t k) const;
    void Redraw(Row& row, DrawMethod method) const;

    SurePattern sure_{};
    std::vector<std::size_t> free_;    // the matches without a sure sign, as indices
    std::uint32_t possible_ = 1;       // 3 to the number of free matches
    std::vector<std::uint64_t> bits_;  // one bit per row of 13 signs
    std::vector<std::uint32_t> taken_; // the keys whose bit is set
};

} // namespace kupongen
