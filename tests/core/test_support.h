// Shared fixture and helpers for the core tests. The core keeps its state in
// globals, so every test starts from the program's start-up values.
#pragma once

#include "ansi_text.h"
#include "control_table.h"
#include "dialog_session.h"
#include "generation.h"
#include "random_mersenne.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

namespace kupongen::testing {

// Windows-1252 bytes of a UTF-8 literal, so expectations stay readable.
inline std::string A(std::u8string_view utf8) {
    return Utf8ToAnsi({reinterpret_cast<const char*>(utf8.data()), utf8.size()});
}

// The sure sign of each match (0 for 1, 1 for X, 2 for 2), or -1 for none.
using SureSigns = std::array<int, kMatchCount>;
inline constexpr SureSigns kNoSure = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};

inline std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find("\r\n", start);
        lines.emplace_back(text.substr(start, end - start));
        if (end == std::string_view::npos) {
            return lines;
        }
        start = end + 2;
    }
}

// count successes of n trials with chance p lie within five standard deviations.
inline void ExpectBinomial(long count, long n, double p, const std::string& what) {
    const double nd = static_cast<double>(n);
    EXPECT_NEAR(static_cast<double>(count), nd * p, 5.0 * std::sqrt(nd * p * (1.0 - p)))
        << what << ": " << count << " of " << n;
}

// The sign of one draw of g by a method, from the thresholds of the statistics tables.
inline char OracleSign(TRandomMersenne& g, DrawMethod method) {
    if (method == DrawMethod::England) {
        const int v = g.IRandom(1, 195);
        return v <= 91 ? '1' : v <= 142 ? 'X' : '2';
    }
    if (method == DrawMethod::Sverige) {
        const int v = g.IRandom(1, 169);
        return v <= 66 ? '1' : v <= 105 ? 'X' : '2';
    }
    const int v = g.IRandom(1, 6);
    return v <= 3 ? '1' : v == 4 ? 'X' : '2';
}

// True when g and rg will give the same next values: a press drew what was expected.
inline bool SameState(TRandomMersenne g) {
    TRandomMersenne current = rg;
    return g.BRandom() == current.BRandom() && g.BRandom() == current.BRandom();
}

// Everything a handler may change: the controls, the generation globals, the rows buffer.
using Snapshot = std::tuple<std::vector<std::tuple<bool, bool, bool, std::string>>,
                            std::vector<int>, std::string>;

inline Snapshot TakeSnapshot(const DialogModel& model) {
    Snapshot s;
    for (const auto& c : model.Controls()) {
        std::get<0>(s).emplace_back(c.visible, c.enabled, c.checked, c.text);
    }
    std::get<1>(s) = {Rader,
                      antal_enkelrader,
                      antal_halvgarderingar,
                      antal_helgarderingar,
                      antal_enkeltecken,
                      antalsakra,
                      sakra,
                      ir};
    std::get<2>(s) = std::string(TestText());
    return s;
}

// The rows a press must give, 13 signs each, drawn from g row by row
// (compatible) or match by match (table).
inline std::vector<std::string> ExpectedRows(TRandomMersenne& g, DrawMethod method, int rows,
                                             const SureSigns& sure, bool rowByRow) {
    std::vector<std::string> result(static_cast<std::size_t>(rows), std::string(13, '?'));
    for (int outer = 0; outer < (rowByRow ? rows : 13); ++outer) {
        for (int inner = 0; inner < (rowByRow ? 13 : rows); ++inner) {
            const int row = rowByRow ? outer : inner;
            const int match = rowByRow ? inner : outer;
            const int s = sure[static_cast<std::size_t>(match)];
            result[static_cast<std::size_t>(row)][static_cast<std::size_t>(match)] =
                s >= 0 ? "1X2"[s] : OracleSign(g, method);
        }
    }
    return result;
}

// The signs of the row lines "E,s,...,s" from line `first` on.
inline std::vector<std::string> CompatibleRows(const std::string& text, std::size_t first) {
    std::vector<std::string> rows;
    const auto lines = SplitLines(text);
    for (std::size_t i = first; i < lines.size(); ++i) {
        std::string signs;
        for (std::size_t k = 2; k < lines[i].size(); k += 2) {
            signs.push_back(lines[i][k]);
        }
        std::string line = "E";
        for (const char c : signs) {
            line += std::string(",") + c;
        }
        EXPECT_EQ(lines[i], line);
        rows.push_back(signs);
    }
    return rows;
}

// Checks the table's line grammar and returns its rows (cell r of every match line).
inline std::vector<std::string> TableRows(const std::string& text, int rows) {
    const auto lines = SplitLines(text);
    EXPECT_EQ(lines.size(), 16u);
    std::vector<std::string> result(static_cast<std::size_t>(rows));
    const auto n = static_cast<std::size_t>(rows);
    for (std::size_t i = 0, match = 1; i < lines.size() && match <= 13; ++i) {
        if (i == 3 || i == 7 || i == 11) {
            EXPECT_EQ(lines[i], " " + std::string(11 + 3 * n, '-'));
            continue;
        }
        const std::string label = " Match " + std::to_string(match) + (match <= 9 ? ":  " : ":");
        ++match;
        EXPECT_EQ(lines[i].substr(0, label.size()), label);
        EXPECT_EQ(lines[i].size(), label.size() + 3 * n) << lines[i];
        for (std::size_t r = 0; r < n && label.size() + 3 * r + 3 <= lines[i].size(); ++r) {
            const std::string cell = lines[i].substr(label.size() + 3 * r, 3);
            EXPECT_TRUE(cell == " 1 " || cell == " X " || cell == " 2 ") << "'" << cell << "'";
            result[r].push_back(cell[1]);
        }
    }
    return result;
}

class SessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        Rader = antal_halvgarderingar = antal_helgarderingar = 0;
        antal_enkeltecken = antalsakra = sakra = ir = 0;
        antal_enkelrader = 1;
        TestCopy("");
        rg.RandomInit(20040411);
        session = std::make_unique<DialogSession>();
    }

    DialogModel& Model() { return session->Model(); }
    ControlState& C(int controlId) { return *Model().Item(controlId); }
    bool Visible(int controlId) { return C(controlId).visible; }
    bool Checked(int controlId) { return C(controlId).checked; }
    std::string Status() { return C(id::kStatus).text; }
    std::string Rows() { return C(id::kRows).text; }
    void SetChecked(int controlId, bool on) { Model().SetChecked(C(controlId), on); }
    void Click(int controlId) { EXPECT_TRUE(session->Click(controlId)) << "id " << controlId; }

    void ChooseSingleRows(int rows, bool compatible) {
        Click(id::kEnkelrader);
        Click(RowCountId(rows));
        if (compatible) {
            Click(id::kCompatible);
        }
    }
    void ChooseMethod(int methodId) {
        if (!Checked(methodId)) {
            Click(methodId);
        }
    }
    void ChooseSystem(int halves, int fulls) {
        Click(id::kSystem);
        Click(kHalfCoverIds[static_cast<std::size_t>(halves)]);
        Click(kFullCoverIds[static_cast<std::size_t>(fulls)]);
    }

    std::unique_ptr<DialogSession> session;
};

} // namespace kupongen::testing
