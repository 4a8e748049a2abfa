// Single rows: the compatible upload format with its headers and Append mode,
// the coupon table, the order of draws, and the limit of the rows buffer.
#include "test_support.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace kupongen {
namespace {

using testing::A;
using testing::kSignChars;
using testing::OracleSign;
using testing::SessionTest;
using testing::SplitLines;

using SureSigns = std::array<int, 13>; // sign index per match, or -1
constexpr SureSigns kNoSure = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};

// The rows a press must give: 13 signs per row, drawn from a copy of the
// generator row by row (compatible) or match by match (table).
std::vector<std::string> ExpectedRows(TRandomMersenne g, DrawMethod method, int rows,
                                      const SureSigns& sure, bool rowByRow) {
    std::vector<std::string> result(static_cast<std::size_t>(rows), std::string(13, '?'));
    auto fill = [&](int row, int match) {
        const int s = sure[static_cast<std::size_t>(match)];
        result[static_cast<std::size_t>(row)][static_cast<std::size_t>(match)] =
            s >= 0 ? kSignChars[s] : OracleSign(g, method);
    };
    for (int outer = 0; outer < (rowByRow ? rows : 13); ++outer) {
        for (int inner = 0; inner < (rowByRow ? 13 : rows); ++inner) {
            rowByRow ? fill(outer, inner) : fill(inner, outer);
        }
    }
    return result;
}

// The signs of compatible row lines "E,s,s,...".
std::vector<std::string> ParseCompatibleRows(const std::vector<std::string>& lines,
                                             std::size_t first) {
    std::vector<std::string> rows;
    for (std::size_t i = first; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        EXPECT_EQ(line.size(), 27u) << line;
        EXPECT_EQ(line[0], 'E') << line;
        std::string signs;
        for (std::size_t k = 1; k + 1 < line.size(); k += 2) {
            EXPECT_EQ(line[k], ',') << line;
            signs.push_back(line[k + 1]);
        }
        rows.push_back(signs);
    }
    return rows;
}

std::string MatchLabel(int match) {
    return match <= 9 ? " Match " + std::to_string(match) + ":  "
                      : " Match " + std::to_string(match) + ":";
}

// Checks the table's line grammar and returns its rows (cell r of every match).
std::vector<std::string> ParseTable(const std::string& text, int rows) {
    const auto lines = SplitLines(text);
    EXPECT_EQ(lines.size(), 16u);
    std::vector<std::string> result(static_cast<std::size_t>(rows));
    std::size_t line = 0;
    for (int match = 1; match <= 13 && line < lines.size(); ++match) {
        const std::string& l = lines[line++];
        const std::string label = MatchLabel(match);
        EXPECT_EQ(l.substr(0, label.size()), label);
        EXPECT_EQ(l.size(), label.size() + 3 * static_cast<std::size_t>(rows)) << l;
        for (int r = 0; r < rows && label.size() + 3 * static_cast<std::size_t>(r) + 3 <= l.size();
             ++r) {
            const std::string cell = l.substr(label.size() + 3 * static_cast<std::size_t>(r), 3);
            EXPECT_TRUE(cell == " 1 " || cell == " X " || cell == " 2 ") << "'" << cell << "'";
            result[static_cast<std::size_t>(r)].push_back(cell[1]);
        }
        if (match == 3 || match == 6 || match == 9) {
            EXPECT_EQ(lines[line++],
                      " " + std::string(11 + 3 * static_cast<std::size_t>(rows), '-'));
        }
    }
    return result;
}

class SingleRowsTest : public SessionTest {};

// ---- Compatible format -------------------------------------------------------

TEST_F(SingleRowsTest, FirstCompatiblePressWritesHeaderAndRows) {
    ChooseSingleRows(2, true);
    const TRandomMersenne before = rg;
    Generate();
    EXPECT_EQ(Status(), A(u8"ENKELRADS generering utförd."));
    EXPECT_TRUE(Visible(id::kSave));
    EXPECT_EQ(Rader, 2);
    const std::string text = Rows();
    EXPECT_EQ(text, TestText());
    EXPECT_EQ(text.size(), 69u);
    const auto lines = SplitLines(text);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "Stryktipset");
    EXPECT_EQ(ParseCompatibleRows(lines, 1),
              ExpectedRows(before, DrawMethod::England, 2, kNoSure, true));
    TRandomMersenne twin = before;
    for (int i = 0; i < 25; ++i) {
        twin.BRandom();
    }
    EXPECT_EQ(ir, twin.IRandom(1, 195)) << "ir holds the last of the 26 draws";
}

TEST_F(SingleRowsTest, AppendAddsRowsWithoutASecondHeader) {
    ChooseSingleRows(2, true);
    Click(id::kAppend); // Rader is 0: the first press still writes the header
    Generate();
    const std::string first = Rows();
    EXPECT_EQ(first.size(), 69u);
    Click(1040); // one row
    const TRandomMersenne before = rg;
    Generate();
    EXPECT_EQ(Rader, 3);
    const std::string text = Rows();
    EXPECT_EQ(text.size(), 98u);
    EXPECT_EQ(text.substr(0, 69), first);
    EXPECT_EQ(ParseCompatibleRows(SplitLines(text), 3),
              ExpectedRows(before, DrawMethod::England, 1, kNoSure, true));
    EXPECT_EQ(testing::CountOf(text, "Stryktipset"), 1);
}

TEST_F(SingleRowsTest, PressWithoutAppendReplacesTextButRaderKeepsGrowing) {
    ChooseSingleRows(3, true);
    Generate();
    Generate();
    EXPECT_EQ(Rader, 6);
    EXPECT_EQ(SplitLines(Rows()).size(), 4u);
    Click(id::kAppend);
    Generate(); // Rader > 0 now: appended
    EXPECT_EQ(SplitLines(Rows()).size(), 7u);
    EXPECT_EQ(Rader, 9);
}

TEST_F(SingleRowsTest, ItalianHeaderAndItsPriority) {
    ChooseSingleRows(1, true);
    Click(id::kItalian);
    Generate();
    EXPECT_EQ(SplitLines(Rows())[0], "Italienska Stryktipset");
    EXPECT_EQ(Rows().size(), 22u + 29u);
    SetChecked(id::kStryktipset, true); // both, as no handler leaves them
    Generate();
    EXPECT_EQ(SplitLines(Rows())[0], "Italienska Stryktipset");
    EXPECT_EQ(SplitLines(Rows()).size(), 2u);
}

TEST_F(SingleRowsTest, WithoutHeaderRowsFollowWhateverTheTextHolds) {
    const std::string info = Text(id::kInfoPanel);
    ChooseSingleRows(2, true);
    Click(id::kStryktipset); // clears the only header box
    Generate();
    EXPECT_EQ(Rows().substr(0, info.size()), info);
    EXPECT_EQ(Rows().size(), info.size() + 58);
    Generate(); // without Append too
    EXPECT_EQ(Rows().size(), info.size() + 116);
    EXPECT_EQ(Rader, 4);
}

// ---- Table format ------------------------------------------------------------

class TableSizeTest : public SingleRowsTest, public ::testing::WithParamInterface<int> {};

TEST_P(TableSizeTest, LengthStructureAndDrawOrder) {
    const int rows = GetParam();
    ChooseSingleRows(rows, false);
    Click(id::kCompatible); // shows Append; cleared again below
    Click(id::kAppend);
    Click(id::kCompatible);
    Rader = 5;
    const TRandomMersenne before = rg;
    Generate();
    const std::string text = Rows();
    EXPECT_EQ(text, TestText());
    EXPECT_EQ(text.size(), 205u + 48u * static_cast<std::size_t>(rows));
    EXPECT_EQ(ParseTable(text, rows),
              ExpectedRows(before, DrawMethod::England, rows, kNoSure, false));
    EXPECT_EQ(Rader, 5);
    EXPECT_EQ(Status(), A(u8"ENKELRADS generering utförd."));
}

INSTANTIATE_TEST_SUITE_P(AllRowCounts, TableSizeTest,
                         ::testing::Values(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16,
                                           17, 18, 19, 20, 21, 22, 23, 24, 36, 50, 60, 72, 144,
                                           256));

TEST_F(SingleRowsTest, TableOf256RowsHasTheLineLengthsOfTheCoupon) {
    ChooseSingleRows(256, false);
    Generate();
    const auto lines = SplitLines(Rows());
    ASSERT_EQ(lines.size(), 16u);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const bool separator = i == 3 || i == 7 || i == 11;
        EXPECT_EQ(lines[i].size(), separator ? 780u : i < 11 ? 779u : 778u) << "line " << i + 1;
    }
    EXPECT_EQ(Rows().size(), 12493u);
}

TEST_F(SingleRowsTest, TableOfTwoRowsReadsAsTheWorkedExample) {
    ChooseSingleRows(2, false);
    Generate();
    const auto lines = SplitLines(Rows());
    EXPECT_EQ(Rows().size(), 301u);
    EXPECT_EQ(lines[3], " -----------------");
    EXPECT_EQ(lines[0].size(), 17u);
    EXPECT_EQ(lines[12].size(), 16u);
    EXPECT_EQ(lines[12].substr(0, 11), " Match 10: ");
}

TEST_F(SingleRowsTest, TableReplacesEarlierRowsEvenWithAppend) {
    ChooseSingleRows(3, true);
    Click(id::kAppend);
    Generate();
    Click(id::kCompatible); // cleared: table format, Append still checked
    Generate();
    EXPECT_EQ(Rows().substr(0, 11), " Match 1:  ");
    EXPECT_EQ(Rows().size(), 205u + 48u * 3u);
}

// ---- Draw methods and sure boxes -----------------------------------------------

struct MethodSetup {
    bool classic, england, sverige;
    DrawMethod expected;
};

class DrawMethodTest : public SingleRowsTest,
                       public ::testing::WithParamInterface<std::tuple<MethodSetup, bool>> {};

TEST_P(DrawMethodTest, SignsFollowTheMethodAndSureBoxes) {
    const auto [setup, compatible] = GetParam();
    ChooseSingleRows(50, compatible);
    SetChecked(id::kClassic, setup.classic);
    SetChecked(id::kEngland, setup.england);
    SetChecked(id::kSverige, setup.sverige);
    SureSigns sure = kNoSure;
    sure[3] = 1; // match 4 sure X
    sure[12] = 2;
    SetChecked(SureBoxId(4, 1), true);
    SetChecked(SureBoxId(13, 2), true);
    SetChecked(SureBoxId(13, 0), false);
    const TRandomMersenne before = rg;
    Generate();
    const auto expected = ExpectedRows(before, setup.expected, 50, sure, compatible);
    EXPECT_EQ(compatible ? ParseCompatibleRows(SplitLines(Rows()), 1) : ParseTable(Rows(), 50),
              expected);
    // The press took exactly 50 * 11 draws.
    TRandomMersenne twin = before;
    for (int i = 0; i < 550; ++i) {
        twin.BRandom();
    }
    EXPECT_EQ(rg.BRandom(), twin.BRandom());
}

INSTANTIATE_TEST_SUITE_P(
    Methods, DrawMethodTest,
    ::testing::Combine(::testing::Values(MethodSetup{false, true, false, DrawMethod::England},
                                         MethodSetup{false, false, true, DrawMethod::Sverige},
                                         MethodSetup{true, false, false, DrawMethod::Classic},
                                         MethodSetup{false, true, true, DrawMethod::England},
                                         MethodSetup{true, false, true, DrawMethod::Sverige},
                                         MethodSetup{true, true, true, DrawMethod::England}),
                       ::testing::Bool()));

TEST_F(SingleRowsTest, FirstCheckedSureBoxOfAMatchDecides) {
    ChooseSingleRows(1, true);
    SetChecked(SureBoxId(1, 1), true);
    SetChecked(SureBoxId(1, 2), true); // X before 2
    SetChecked(SureBoxId(2, 0), true);
    SetChecked(SureBoxId(2, 2), true); // 1 before 2
    Generate();
    EXPECT_EQ(SplitLines(Rows())[1].substr(0, 5), "E,X,1");
}

TEST_F(SingleRowsTest, AllMatchesSureGiveIdenticalRowsAndDrawNothing) {
    ChooseSingleRows(24, false);
    const std::string signs = "1X21X21X21X21";
    for (int m = 1; m <= 13; ++m) {
        Click(SureBoxId(m, (m - 1) % 3));
    }
    ir = 77;
    const TRandomMersenne before = rg;
    Generate();
    for (const auto& row : ParseTable(Rows(), 24)) {
        EXPECT_EQ(row, signs);
    }
    Click(id::kCompatible);
    Generate();
    for (const auto& row : ParseCompatibleRows(SplitLines(Rows()), 1)) {
        EXPECT_EQ(row, signs);
    }
    EXPECT_EQ(ir, 77);
    TRandomMersenne twin = before;
    EXPECT_EQ(rg.BRandom(), twin.BRandom());
}

// ---- Presses that produce nothing --------------------------------------------

TEST_F(SingleRowsTest, NoMethodRefusesThePress) {
    ChooseSingleRows(10, true);
    Generate();
    Click(id::kEngland); // clears the only method box
    const std::string text = Rows();
    const std::string buffer(TestText());
    const TRandomMersenne before = rg;
    Generate();
    EXPECT_EQ(Status(), A(u8"VÄLJ slumpmetod!!!!!"));
    EXPECT_EQ(Rows(), text);
    EXPECT_EQ(TestText(), buffer);
    EXPECT_EQ(Rader, 10);
    TRandomMersenne twin = before;
    EXPECT_EQ(rg.BRandom(), twin.BRandom());
}

TEST_F(SingleRowsTest, NoMethodStillShowsSave) {
    Click(id::kEnkelrader);
    Click(id::kEngland);
    Generate();
    EXPECT_EQ(Status(), A(u8"VÄLJ slumpmetod!!!!!"));
    EXPECT_TRUE(Visible(id::kSave));
    EXPECT_EQ(Rows(), A(u8"Här kommer dina rader visas!"));
}

TEST_F(SingleRowsTest, NoModeAsksForOne) {
    Click(id::kEnkelrader);
    Click(id::kEnkelrader); // cleared, Generate stays visible
    const std::string buffer(TestText());
    Generate();
    EXPECT_EQ(Status(), "Kryssa i ett val!!!! SYSTEM eller ENKELRADER?????");
    EXPECT_TRUE(Visible(id::kSave));
    EXPECT_EQ(Rows(), A(u8"Här kommer dina rader visas!"));
    EXPECT_EQ(TestText(), buffer);
}

// ---- The limit of the rows buffer ----------------------------------------------

TEST_F(SingleRowsTest, ThirtyFourPressesOf256RowsFitTheThirtyFifthIsRefused) {
    ChooseSingleRows(256, true);
    Click(id::kAppend);
    for (int press = 1; press <= 34; ++press) {
        Generate();
        ASSERT_EQ(Status(), A(u8"ENKELRADS generering utförd.")) << "press " << press;
    }
    EXPECT_EQ(Rader, 34 * 256);
    EXPECT_EQ(TestLength(), 11u + 34u * 256u * 29u);
    const std::string text = Rows();
    const TRandomMersenne before = rg;
    ir = -5;
    Generate();
    EXPECT_EQ(Status(), A(u8"Raderna får inte plats! Spara och börja om."));
    EXPECT_EQ(Rader, 34 * 256);
    EXPECT_EQ(TestText(), text);
    EXPECT_EQ(Rows(), text);
    EXPECT_EQ(ir, -5);
    TRandomMersenne twin = before;
    EXPECT_EQ(rg.BRandom(), twin.BRandom());

    // The buffer holds 8777 rows after the header, not one more.
    Click(1054); // 72 rows
    Generate();
    Click(1040); // 1 row
    Generate();
    EXPECT_EQ(Rader, 8777);
    EXPECT_EQ(TestLength(), 11u + 8777u * 29u);
    EXPECT_EQ(TestText().substr(TestText().size() - 29, 3), "\r\nE");
    Generate();
    EXPECT_EQ(Status(), A(u8"Raderna får inte plats! Spara och börja om."));
    EXPECT_EQ(Rader, 8777);

    // Without Append the header starts a new text, which fits again.
    Click(id::kAppend);
    Generate();
    EXPECT_EQ(Rows().size(), 11u + 29u);
}

// ---- Shares of the signs -------------------------------------------------------

struct ShareCase {
    int methodId;
    int ones, crosses, twos; // weights
};

class SingleRowShareTest : public SingleRowsTest,
                           public ::testing::WithParamInterface<ShareCase> {};

// About a million signs per method: a threshold one off shifts a share by
// about ten standard deviations.
TEST_P(SingleRowShareTest, SignSharesFollowTheWeights) {
    const auto [methodId, ones, crosses, twos] = GetParam();
    ChooseSingleRows(256, false);
    ChooseMethod(methodId);
    long counts[3] = {};
    long total = 0;
    for (int press = 0; press < 300; ++press) {
        Generate();
        for (const auto& row : ParseTable(Rows(), 256)) {
            for (const char c : row) {
                ++counts[c == '1' ? 0 : c == 'X' ? 1 : 2];
                ++total;
            }
        }
        if (HasFailure()) {
            return;
        }
    }
    const double sum = ones + crosses + twos;
    testing::ExpectBinomial(counts[0], total, ones / sum, "1");
    testing::ExpectBinomial(counts[1], total, crosses / sum, "X");
    testing::ExpectBinomial(counts[2], total, twos / sum, "2");
}

INSTANTIATE_TEST_SUITE_P(Methods, SingleRowShareTest,
                         ::testing::Values(ShareCase{id::kEngland, 91, 51, 53},
                                           ShareCase{id::kSverige, 66, 39, 64},
                                           ShareCase{id::kClassic, 3, 1, 2}));

} // namespace
} // namespace kupongen
