// The system row: exactly the chosen covers around the sure matches, the cell
// texts of each source, the too-many-sure warning, and the draw order.
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace kupongen {
namespace {

using testing::A;
using testing::SessionTest;
using testing::SplitLines;

using SureSigns = std::array<int, 13>; // sign index per match, or -1

const std::string kSeparator = " " + std::string(23, '-');
const std::set<std::string> kHalfCells = {" 1X ", "   X2 ", " 1  2 "};
const std::set<std::string> kEnglandSingles = {" 1 ", " X ", " 2 "};
const std::set<std::string> kClassicSingles = {" 1 ", "   X ", "    2 "};
const std::string kFullCell = " 1X2 ";
const char* const kSureCells[3] = {" 1 ", " X ", " 2 "};

std::string Label(int match) {
    const std::string number = std::to_string(match);
    return (match == 1 ? "" : "\r\n") + (" Match " + number + (match <= 9 ? ":  " : ":"));
}

std::string Warning() {
    return A(u8"Du har valt för många sakra matcher för ditt önskade system!");
}

// The row text the system press must write, drawn from a copy of the generator.
std::string ExpectedSystemRow(TRandomMersenne& g, const SureSigns& sure, int halves, int fulls,
                              bool england) {
    int sureCount = 0;
    for (const int s : sure) {
        sureCount += s >= 0 ? 1 : 0;
    }
    const int singles = 13 - halves - fulls - sureCount;
    if (singles < 0) {
        return Warning();
    }
    std::string text;
    int singlesPlaced = 0, halvesPlaced = 0, fullsPlaced = 0;
    for (int m = 1; m <= 13; ++m) {
        text += Label(m);
        const int s = sure[static_cast<std::size_t>(m - 1)];
        if (s >= 0) {
            text += kSureCells[s];
        }
        for (bool placed = s >= 0; !placed;) {
            const int d = g.IRandom(1, 15);
            if (singlesPlaced < singles && d <= 6) {
                if (england) {
                    const int v = g.IRandom(1, 195);
                    text += v <= 91 ? " 1 " : v <= 142 ? " X " : " 2 ";
                } else {
                    text += d <= 3 ? " 1 " : d == 4 ? "   X " : "    2 ";
                }
                ++singlesPlaced;
                placed = true;
            }
            if (!placed && halvesPlaced < halves && d >= 7 && d <= 13) {
                text += d <= 9 ? " 1X " : d <= 11 ? "   X2 " : " 1  2 ";
                ++halvesPlaced;
                placed = true;
            }
            if (!placed && fullsPlaced < fulls && d >= 14) {
                text += kFullCell;
                ++fullsPlaced;
                placed = true;
            }
        }
        if (m == 3 || m == 6 || m == 9) {
            text += "\r\n" + kSeparator;
        }
    }
    return text;
}

struct CellCounts {
    int sure = 0, singles = 0, halves = 0, fulls = 0;
};

class SystemRowsTest : public SessionTest {
protected:
    // Checks the grammar of every line and counts the cells by class.
    CellCounts ParseRow(const std::string& text, const SureSigns& sure, bool england) {
        CellCounts counts;
        const auto lines = SplitLines(text);
        EXPECT_EQ(lines.size(), 16u);
        EXPECT_EQ(text.back(), ' ');
        std::size_t line = 0;
        for (int m = 1; m <= 13 && line < lines.size(); ++m) {
            std::string label = Label(m);
            label = label.substr(label.find(' '));
            const std::string& l = lines[line++];
            EXPECT_EQ(l.substr(0, label.size()), label);
            const std::string cell = l.substr(std::min(label.size(), l.size()));
            const int s = sure[static_cast<std::size_t>(m - 1)];
            if (s >= 0) {
                EXPECT_EQ(cell, kSureCells[s]) << "match " << m;
                ++counts.sure;
            } else if ((england ? kEnglandSingles : kClassicSingles).count(cell)) {
                ++counts.singles;
            } else if (kHalfCells.count(cell)) {
                ++counts.halves;
            } else if (cell == kFullCell) {
                ++counts.fulls;
            } else {
                ADD_FAILURE() << "match " << m << " cell '" << cell << "'";
            }
            if (m == 3 || m == 6 || m == 9) {
                EXPECT_EQ(lines[line++], kSeparator);
            }
        }
        return counts;
    }

    void CheckSure(const SureSigns& sure) {
        for (int m = 1; m <= 13; ++m) {
            const int s = sure[static_cast<std::size_t>(m - 1)];
            if (s >= 0) {
                Click(SureBoxId(m, s));
            }
        }
    }
};

constexpr SureSigns kNoSure = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
constexpr SureSigns kThreeSure = {-1, -1, 2, -1, 1, -1, -1, -1, -1, -1, -1, -1, 0};

class CoverCombinationTest : public SystemRowsTest,
                             public ::testing::WithParamInterface<std::tuple<int, int>> {};

TEST_P(CoverCombinationTest, ExactCoversAndTheDrawOrder) {
    const auto [halves, fulls] = GetParam();
    ChooseSystem(halves, fulls);
    struct Setup {
        const SureSigns* sure;
        int methodId;
    };
    const Setup setups[] = {{&kNoSure, id::kEngland},
                            {&kNoSure, id::kClassic},
                            {&kThreeSure, id::kSverige},
                            {&kThreeSure, id::kEngland}};
    for (const auto& [sure, methodId] : setups) {
        const int sureCount = sure == &kThreeSure ? 3 : 0;
        if (halves + fulls + sureCount > 13) {
            continue;
        }
        for (int box = 1074; box <= 1112; ++box) {
            SetChecked(box, false);
        }
        CheckSure(*sure);
        ChooseMethod(methodId);
        const bool england = methodId == id::kEngland;
        for (const std::int32_t seed : {7, 8}) {
            SCOPED_TRACE("method " + std::to_string(methodId) + " sure " +
                         std::to_string(sureCount) + " seed " + std::to_string(seed));
            rg.RandomInit(seed);
            Rader = 6;
            Click(id::kGenerate);
            EXPECT_EQ(Status(), "SYSTEM generering utf\xF6rd.");
            EXPECT_EQ(Rows(), TestText());
            EXPECT_EQ(Rader, 6);
            const int singles = 13 - halves - fulls - sureCount;
            EXPECT_EQ(antalsakra, sureCount);
            EXPECT_EQ(antal_enkeltecken, singles);
            EXPECT_EQ(sakra, singles);
            const CellCounts counts = ParseRow(Rows(), *sure, england);
            EXPECT_EQ(counts.sure, sureCount);
            EXPECT_EQ(counts.singles, singles);
            EXPECT_EQ(counts.halves, halves);
            EXPECT_EQ(counts.fulls, fulls);

            TRandomMersenne twin(seed);
            EXPECT_EQ(Rows(), ExpectedSystemRow(twin, *sure, halves, fulls, england));
        }
    }
}

// Every pair the cover controls offer: halves + fulls <= 13.
std::vector<std::tuple<int, int>> OfferedCovers() {
    std::vector<std::tuple<int, int>> pairs;
    for (int halves = 0; halves <= 13; ++halves) {
        for (int fulls = 0; halves + fulls <= 13; ++fulls) {
            pairs.emplace_back(halves, fulls);
        }
    }
    return pairs;
}

INSTANTIATE_TEST_SUITE_P(HalvesAndFulls, CoverCombinationTest,
                         ::testing::ValuesIn(OfferedCovers()));

TEST_F(SystemRowsTest, DrawsExactlyWhatTheOracleDraws) {
    ChooseSystem(4, 2);
    for (const std::int32_t seed : {11, 12, 13}) {
        rg.RandomInit(seed);
        TRandomMersenne twin(seed);
        const std::string expected = ExpectedSystemRow(twin, kNoSure, 4, 2, true);
        Click(id::kGenerate);
        ASSERT_EQ(Rows(), expected);
        EXPECT_EQ(rg.BRandom(), twin.BRandom()) << "the press took as many draws as the oracle";
    }
}

TEST_F(SystemRowsTest, AllSureRowDrawsNothing) {
    ChooseSystem(0, 0);
    SureSigns sure{};
    for (int m = 1; m <= 13; ++m) {
        sure[static_cast<std::size_t>(m - 1)] = (m + 1) % 3;
    }
    CheckSure(sure);
    ir = 41;
    const TRandomMersenne before = rg;
    Click(id::kGenerate);
    const CellCounts counts = ParseRow(Rows(), sure, true);
    EXPECT_EQ(counts.sure, 13);
    EXPECT_EQ(antal_enkeltecken, 0);
    EXPECT_EQ(ir, 41);
    TRandomMersenne twin = before;
    EXPECT_EQ(rg.BRandom(), twin.BRandom());
}

TEST_F(SystemRowsTest, SureAndCoversAddingUpToFourteenGiveTheWarning) {
    ChooseSystem(6, 4);
    const SureSigns sure = {0, -1, -1, 1, -1, -1, 2, -1, -1, 0, -1, -1, -1};
    CheckSure(sure);
    ir = 9;
    const TRandomMersenne before = rg;
    Click(id::kGenerate);
    EXPECT_EQ(Rows(), Warning());
    EXPECT_EQ(TestText(), Warning());
    EXPECT_EQ(Status(), "SYSTEM generering utf\xF6rd.");
    EXPECT_EQ(antalsakra, 4);
    EXPECT_EQ(antal_enkeltecken, -1);
    EXPECT_EQ(sakra, -1);
    EXPECT_EQ(ir, 9);
    TRandomMersenne twin = before;
    EXPECT_EQ(rg.BRandom(), twin.BRandom());
}

TEST_F(SystemRowsTest, CoversAboveThirteenWithoutSureMatchesGiveTheWarning) {
    ChooseSystem(0, 12);
    Click(id::kSystem);
    Click(id::kSystem); // checked again, every half cover offered
    Click(kHalfCoverIds[13]);
    Click(id::kGenerate);
    EXPECT_EQ(Rows(), Warning());
    EXPECT_EQ(antal_enkeltecken, -12);
}

TEST_F(SystemRowsTest, SingleCellsDependOnlyOnStatEngland) {
    ChooseSystem(0, 0);
    const SureSigns sure = {-1, 1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 2};
    CheckSure(sure);
    for (const int methodId : {id::kEngland, id::kClassic, id::kSverige}) {
        ChooseMethod(methodId);
        std::set<std::string> cells;
        for (int press = 0; press < 40; ++press) {
            Click(id::kGenerate);
            const auto lines = SplitLines(Rows());
            EXPECT_EQ(lines[1], " Match 2:   X ");
            EXPECT_EQ(lines[15], " Match 13: 2 ");
            for (const int line : {0, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14}) {
                const std::string& l = lines[static_cast<std::size_t>(line)];
                cells.insert(l.substr(line < 12 ? 11 : 10));
            }
        }
        EXPECT_EQ(cells, methodId == id::kEngland ? kEnglandSingles : kClassicSingles)
            << "method " << methodId;
    }
}

TEST_F(SystemRowsTest, SystemPressDiscardsAppendedSingleRows) {
    ChooseSingleRows(5, true);
    Click(id::kAppend);
    Click(id::kGenerate);
    Click(id::kGenerate);
    EXPECT_EQ(Rader, 10);
    ChooseSystem(3, 1);
    Rader = 10;
    Click(id::kGenerate);
    EXPECT_EQ(Rows().substr(0, 11), " Match 1:  ");
    EXPECT_EQ(Rader, 10);
    EXPECT_EQ(testing::CountOf(Rows(), "Stryktipset"), 0);
}

TEST_F(SystemRowsTest, TwoSureBoxesInOneMatchStillEndWithTheChosenCovers) {
    ChooseSystem(5, 3);
    SetChecked(SureBoxId(2, 0), true);
    SetChecked(SureBoxId(2, 1), true);
    for (const std::int32_t seed : {1, 2, 3, 4, 5, 6, 7, 8}) {
        rg.RandomInit(seed);
        Click(id::kGenerate);
        SureSigns sure = kNoSure;
        sure[1] = 0;
        const CellCounts counts = ParseRow(Rows(), sure, true);
        EXPECT_EQ(antalsakra, 2);
        EXPECT_EQ(counts.halves, 5);
        EXPECT_EQ(counts.fulls, 3);
        EXPECT_EQ(counts.sure + counts.singles + counts.halves + counts.fulls, 13);
    }
}

// ---- Shares -------------------------------------------------------------------

// With every class open, the first match's cell follows the 15-value table.
TEST_F(SystemRowsTest, FirstMatchClassSharesWithEveryClassOpen) {
    ChooseSystem(4, 2);
    ChooseMethod(id::kClassic);
    constexpr long kPresses = 30000;
    std::map<std::string, long> cells;
    for (long press = 0; press < kPresses; ++press) {
        Click(id::kGenerate);
        const std::string first = SplitLines(Rows())[0];
        ++cells[first.substr(11)];
    }
    const std::pair<const char*, double> expected[] = {
        {" 1 ", 3.0 / 15},    {"   X ", 1.0 / 15},  {"    2 ", 2.0 / 15}, {" 1X ", 3.0 / 15},
        {"   X2 ", 2.0 / 15}, {" 1  2 ", 2.0 / 15}, {" 1X2 ", 2.0 / 15}};
    long total = 0;
    for (const auto& [cell, share] : expected) {
        testing::ExpectBinomial(cells[cell], kPresses, share, "'" + std::string(cell) + "'");
        total += cells[cell];
    }
    EXPECT_EQ(total, kPresses);
}

struct CellShareCase {
    int halves, fulls, methodId;
    std::vector<std::pair<std::string, double>> shares;
};

class SystemCellShareTest : public SystemRowsTest,
                            public ::testing::WithParamInterface<CellShareCase> {};

// When only one class is left, every cell comes from it with its inner weights.
TEST_P(SystemCellShareTest, CellsOfOneClass) {
    const auto& param = GetParam();
    ChooseSystem(param.halves, param.fulls);
    ChooseMethod(param.methodId);
    constexpr int kPresses = 5000;
    std::map<std::string, long> cells;
    for (int press = 0; press < kPresses; ++press) {
        Click(id::kGenerate);
        const auto lines = SplitLines(Rows());
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (i != 3 && i != 7 && i != 11) {
                ++cells[lines[i].substr(i < 12 ? 11 : 10)];
            }
        }
    }
    long total = 0;
    for (const auto& [cell, share] : param.shares) {
        testing::ExpectBinomial(cells[cell], 13L * kPresses, share, "'" + cell + "'");
        total += cells[cell];
    }
    EXPECT_EQ(total, 13L * kPresses);
}

INSTANTIATE_TEST_SUITE_P(
    Classes, SystemCellShareTest,
    ::testing::Values(
        CellShareCase{
            13, 0, id::kClassic, {{" 1X ", 3.0 / 7}, {"   X2 ", 2.0 / 7}, {" 1  2 ", 2.0 / 7}}},
        CellShareCase{0, 13, id::kEngland, {{" 1X2 ", 1.0}}},
        CellShareCase{
            0, 0, id::kClassic, {{" 1 ", 3.0 / 6}, {"   X ", 1.0 / 6}, {"    2 ", 2.0 / 6}}},
        CellShareCase{
            0, 0, id::kEngland, {{" 1 ", 91.0 / 195}, {" X ", 51.0 / 195}, {" 2 ", 53.0 / 195}}}));

} // namespace
} // namespace kupongen
