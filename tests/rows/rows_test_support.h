// Texts made by Kupongen's own dialog, and rows taken from them by position,
// without the reader, so the reader's rows can be compared with them.
#pragma once

#include "control_table.h"
#include "dialog_session.h"
#include "random_mersenne.h"
#include "rows_reader.h"
#include "test_helpers.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace kupongen::rows::testing {

// The rows window's text after the clicks and a press of GENERERA.
inline std::string Generate(std::int32_t seed, const std::vector<int>& clicks) {
    rg.RandomInit(seed);
    DialogSession session;
    for (const int id : clicks) {
        EXPECT_TRUE(session.Click(id)) << "id " << id;
    }
    EXPECT_TRUE(session.Click(id::kGenerate));
    return session.Model().Item(id::kRows)->text;
}

inline std::string SingleRows(std::int32_t seed, int rows, bool compatible, bool italian = false) {
    std::vector<int> clicks = {id::kEnkelrader, RowCountId(rows)};
    if (compatible) {
        clicks.push_back(id::kCompatible);
        if (italian) {
            clicks.push_back(id::kItalian);
        }
    }
    return Generate(seed, clicks);
}

inline std::string SystemRow(std::int32_t seed, int halves, int fulls) {
    return Generate(seed, {id::kSystem, kHalfCoverIds[static_cast<std::size_t>(halves)],
                           kFullCoverIds[static_cast<std::size_t>(fulls)]});
}

// The signs of each E line: they stand at 2, 4, …, 26.
inline std::vector<std::string> UploadRowsByPosition(std::string_view text) {
    std::vector<std::string> rows;
    for (const std::string& line : kupongen::testing::SplitLines(text)) {
        if (line.starts_with("E,")) {
            std::string row;
            for (std::size_t k = 0; k < 13; ++k) {
                row += line.at(2 + 2 * k);
            }
            rows.push_back(row);
        }
    }
    return rows;
}

// What follows each match's label (11 bytes for matches 1 to 9, 10 after).
inline std::vector<std::string> MatchCells(std::string_view text) {
    std::vector<std::string> cells;
    for (const std::string& line : kupongen::testing::SplitLines(text)) {
        if (line.starts_with(" Match ")) {
            cells.push_back(line.substr(cells.size() < 9 ? 11 : 10));
        }
    }
    EXPECT_EQ(cells.size(), 13u);
    return cells;
}

// A coupon table's rows: row r is the sign at 3r + 1 of every match's cells.
inline std::vector<std::string> TableRowsByPosition(std::string_view text, std::size_t rows) {
    std::vector<std::string> result(rows);
    for (const std::string& cells : MatchCells(text)) {
        for (std::size_t r = 0; r < rows; ++r) {
            result[r] += cells.at(3 * r + 1);
        }
    }
    return result;
}

// A system's cells as the signs they hold, in the order 1, X, 2.
inline std::vector<std::string> SystemCellsByPosition(std::string_view text) {
    std::vector<std::string> result;
    for (const std::string& cells : MatchCells(text)) {
        std::string cell;
        for (const char sign : {'1', 'X', '2'}) {
            if (cells.find(sign) != std::string::npos) {
                cell += sign;
            }
        }
        result.push_back(cell);
    }
    return result;
}

inline std::vector<std::string> CellTexts(const Cells& cells) {
    std::vector<std::string> texts;
    for (const SignSet cell : cells) {
        texts.push_back(CellText(cell));
    }
    return texts;
}

inline std::vector<std::string> SingleTexts(const RowsText& text) {
    std::vector<std::string> rows;
    for (const SingleRow& row : text.singles) {
        rows.push_back(RowText(row.signs));
    }
    return rows;
}

} // namespace kupongen::rows::testing
