#include "distinct_rows.h"

namespace kupongen {

namespace {

constexpr std::uint32_t kAllRows = 1594323; // 3 to the 13th

// A row as a number in base 3, match 1 the highest digit: the fixed order of
// rows is the order of their keys.
std::uint32_t RowKey(const Row& row) {
    std::uint32_t key = 0;
    for (const Sign sign : row) {
        key = key * kSignCount + static_cast<std::uint32_t>(sign);
    }
    return key;
}

constexpr std::string_view kSignLetters = "1X2";

// The row a line of the upload format holds: "E" and 13 times "," and a sign.
bool ReadRowLine(std::string_view line, Row& row) {
    if (line.size() != 1 + 2 * kMatchCount || line.front() != 'E') {
        return false;
    }
    for (std::size_t match = 0; match < row.size(); ++match) {
        const std::size_t sign = kSignLetters.find(line[2 + 2 * match]);
        if (line[1 + 2 * match] != ',' || sign == std::string_view::npos) {
            return false;
        }
        row[match] = static_cast<Sign>(sign);
    }
    return true;
}

} // namespace

void DistinctRows::Start(const SurePattern& sure) {
    if (bits_.empty()) {
        bits_.resize((kAllRows + 63) / 64);
    }
    for (const std::uint32_t key : taken_) {
        bits_[key / 64] &= ~(std::uint64_t{1} << (key % 64));
    }
    taken_.clear();
    sure_ = sure;
    free_.clear();
    possible_ = 1;
    for (std::size_t match = 0; match < sure.size(); ++match) {
        if (sure[match] < 0) {
            free_.push_back(match);
            possible_ *= kSignCount;
        }
    }
}

void DistinctRows::TakeRowLines(std::string_view text) {
    Row row{};
    while (!text.empty()) {
        const std::size_t end = text.find("\r\n");
        const std::string_view line = text.substr(0, end);
        bool keepsSure = ReadRowLine(line, row);
        for (std::size_t match = 0; keepsSure && match < row.size(); ++match) {
            keepsSure = sure_[match] < 0 || sure_[match] == static_cast<int>(row[match]);
        }
        if (keepsSure) {
            Take(RowKey(row));
        }
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 2);
    }
}

bool DistinctRows::IsTaken(std::uint32_t key) const {
    return (bits_[key / 64] >> (key % 64) & 1) != 0;
}

bool DistinctRows::Take(std::uint32_t key) {
    if (IsTaken(key)) {
        return false;
    }
    bits_[key / 64] |= std::uint64_t{1} << (key % 64);
    taken_.push_back(key);
    return true;
}

Row DistinctRows::FreeRow(std::uint32_t k) const {
    Row row{};
    for (std::size_t match = 0; match < row.size(); ++match) {
        row[match] = sure_[match] < 0 ? Sign::One : static_cast<Sign>(sure_[match]);
    }
    // Counts through the rows with the sure signs in order: the last free
    // match turns fastest.
    for (std::uint32_t seen = 0; seen < possible_; ++seen) {
        if (!IsTaken(RowKey(row))) {
            if (k == 0) {
                break;
            }
            --k;
        }
        for (auto match = free_.rbegin(); match != free_.rend(); ++match) {
            Sign& sign = row[*match];
            if (sign != Sign::Two) {
                sign = static_cast<Sign>(static_cast<int>(sign) + 1);
                break;
            }
            sign = Sign::One;
        }
    }
    return row;
}

void DistinctRows::Redraw(Row& row, DrawMethod method) const {
    for (const std::size_t match : free_) {
        row[match] = DrawSign(method);
    }
}

std::size_t DistinctRows::MakeDistinct(std::span<Row> rows, DrawMethod method) {
    std::size_t kept = 0;
    for (Row& row : rows) {
        if (!Take(RowKey(row))) {
            if (FreeCount() == 0) {
                continue;
            }
            int redraws = 0;
            do {
                if (redraws == kMaxRedraws) {
                    const auto k = DrawValue(static_cast<std::int32_t>(FreeCount()));
                    row = FreeRow(static_cast<std::uint32_t>(k - 1));
                    break;
                }
                Redraw(row, method);
                ++redraws;
            } while (IsTaken(RowKey(row)));
            Take(RowKey(row));
        }
        rows[kept++] = row;
    }
    return kept;
}

} // namespace kupongen
