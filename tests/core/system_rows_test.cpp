// The system row: exactly the chosen covers around the sure matches, the cell
// texts of each source, the too-many-sure warning, and the draw order.
#include "test_support.h"

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace kupongen {
namespace {

using testing::A;
using testing::kNoSure;
using testing::SameState;
using testing::SessionTest;
using SystemRowsTest = SessionTest;
using testing::SplitLines;
using testing::SureSigns;

constexpr SureSigns kThreeSure = {-1, -1, 2, -1, 1, -1, -1, -1, -1, -1, -1, -1, 0};
const char* const kSureCells[3] = {" 1 ", " X ", " 2 "};

std::string Warning() {
    return A(u8"Du har valt för många sakra matcher för ditt önskade system!");
}

// The row text a press must write, drawn from g as the cell choice prescribes.
std::string ExpectedRow(TRandomMersenne& g, const SureSigns& sure, int halves, int fulls,
                        bool england) {
    int singles = 13 - halves - fulls;
    for (const int s : sure) {
        singles -= s >= 0 ? 1 : 0;
    }
    if (singles < 0) {
        return Warning();
    }
    std::string text;
    int singlesPlaced = 0, halvesPlaced = 0, fullsPlaced = 0;
    for (int m = 1; m <= 13; ++m) {
        text += (m == 1 ? "" : "\r\n") + (" Match " + std::to_string(m) + (m <= 9 ? ":  " : ":"));
        const int s = sure[static_cast<std::size_t>(m - 1)];
        std::string cell = s >= 0 ? kSureCells[s] : "";
        while (cell.empty()) {
            const int d = g.IRandom(1, 15);
            if (singlesPlaced < singles && d <= 6) {
                const int v = england ? g.IRandom(1, 195) : 0;
                cell = england ? (v <= 91    ? " 1 "
                                  : v <= 142 ? " X "
                                             : " 2 ")
                               : (d <= 3   ? " 1 "
                                  : d == 4 ? "   X "
                                           : "    2 ");
                ++singlesPlaced;
            } else if (halvesPlaced < halves && d >= 7 && d <= 13) {
                cell = d <= 9 ? " 1X " : d <= 11 ? "   X2 " : " 1  2 ";
                ++halvesPlaced;
            } else if (fullsPlaced < fulls && d >= 14) {
                cell = " 1X2 ";
                ++fullsPlaced;
            }
        }
        text += cell;
        if (m == 3 || m == 6 || m == 9) {
            text += "\r\n " + std::string(23, '-');
        }
    }
    return text;
}

// The cell of each match line, after checking labels and separators.
std::vector<std::string> Cells(const std::string& text) {
    const auto lines = SplitLines(text);
    EXPECT_EQ(lines.size(), 16u);
    std::vector<std::string> cells;
    for (std::size_t i = 0, m = 1; i < lines.size() && m <= 13; ++i) {
        if (i == 3 || i == 7 || i == 11) {
            EXPECT_EQ(lines[i], " " + std::string(23, '-'));
            continue;
        }
        const std::string label = " Match " + std::to_string(m) + (m <= 9 ? ":  " : ":");
        EXPECT_EQ(lines[i].substr(0, label.size()), label);
        cells.push_back(lines[i].substr(std::min(label.size(), lines[i].size())));
        ++m;
    }
    EXPECT_EQ(text.back(), ' ');
    return cells;
}

// Cells counted by class: sure, single, half, full, unknown.
std::array<int, 5> CountClasses(const std::vector<std::string>& cells, const SureSigns& sure,
                                bool england) {
    const std::map<std::string, int> single = {{" 1 ", 1},
                                               {england ? " X " : "   X ", 1},
                                               {england ? " 2 " : "    2 ", 1},
                                               {" 1X ", 2},
                                               {"   X2 ", 2},
                                               {" 1  2 ", 2},
                                               {" 1X2 ", 3}};
    std::array<int, 5> counts{};
    for (std::size_t m = 0; m < cells.size(); ++m) {
        if (sure[m] >= 0) {
            counts[cells[m] == kSureCells[sure[m]] ? 0 : 4]++;
        } else {
            counts[single.count(cells[m]) ? static_cast<std::size_t>(single.at(cells[m])) : 4]++;
        }
    }
    return counts;
}

class CoverPairTest : public SessionTest,
                      public ::testing::WithParamInterface<std::tuple<int, int>> {};

TEST_P(CoverPairTest, ExactCoversAndDraws) {
    const auto [halves, fulls] = GetParam();
    ChooseSystem(halves, fulls);
    const std::tuple<const SureSigns*, int> setups[] = {{&kNoSure, id::kEngland},
                                                        {&kNoSure, id::kClassic},
                                                        {&kThreeSure, id::kSverige},
                                                        {&kThreeSure, id::kEngland}};
    for (const auto& [sure, methodId] : setups) {
        const int sureCount = sure == &kThreeSure ? 3 : 0;
        const int singles = 13 - halves - fulls - sureCount;
        if (singles < 0) {
            continue;
        }
        for (int m = 1; m <= 13; ++m) {
            for (int s = 0; s < 3; ++s) {
                SetChecked(SureBoxId(m, s), (*sure)[static_cast<std::size_t>(m - 1)] == s);
            }
        }
        ChooseMethod(methodId);
        const bool england = methodId == id::kEngland;
        for (const std::int32_t seed : {7, 8}) {
            SCOPED_TRACE(std::to_string(methodId) + " sure " + std::to_string(sureCount) +
                         " seed " + std::to_string(seed));
            rg.RandomInit(seed);
            Rader = 6;
            Click(id::kGenerate);
            EXPECT_EQ(Status(), A(u8"SYSTEM generering utförd."));
            EXPECT_EQ(Rows(), TestText());
            EXPECT_EQ(Rader, 6);
            EXPECT_EQ(std::vector<int>({antalsakra, antal_enkeltecken, sakra}),
                      std::vector<int>({sureCount, singles, singles}));
            EXPECT_EQ(CountClasses(Cells(Rows()), *sure, england),
                      (std::array<int, 5>{sureCount, singles, halves, fulls, 0}));
            TRandomMersenne twin(seed);
            EXPECT_EQ(Rows(), ExpectedRow(twin, *sure, halves, fulls, england));
            EXPECT_TRUE(SameState(twin));
        }
    }
}

// Every pair the cover controls offer.
std::vector<std::tuple<int, int>> OfferedPairs() {
    std::vector<std::tuple<int, int>> pairs;
    for (int halves = 0; halves <= 13; ++halves) {
        for (int fulls = 0; halves + fulls <= 13; ++fulls) {
            pairs.emplace_back(halves, fulls);
        }
    }
    return pairs;
}

INSTANTIATE_TEST_SUITE_P(HalvesAndFulls, CoverPairTest, ::testing::ValuesIn(OfferedPairs()));

TEST_F(SystemRowsTest, AllSureRowDrawsNothing) {
    ChooseSystem(0, 0);
    SureSigns sure{};
    for (int m = 1; m <= 13; ++m) {
        sure[static_cast<std::size_t>(m - 1)] = (m + 1) % 3;
        Click(SureBoxId(m, (m + 1) % 3));
    }
    ir = 41;
    const TRandomMersenne before = rg;
    Click(id::kGenerate);
    EXPECT_EQ(CountClasses(Cells(Rows()), sure, false), (std::array<int, 5>{13, 0, 0, 0, 0}));
    EXPECT_EQ(ir, 41);
    EXPECT_TRUE(SameState(before));
}

TEST_F(SystemRowsTest, TooManySureMatchesGiveTheWarningAndDrawNothing) {
    ChooseSystem(6, 4);
    for (const int m : {1, 4, 7, 10}) {
        Click(SureBoxId(m, m % 3));
    }
    ir = 9;
    const TRandomMersenne before = rg;
    Click(id::kGenerate);
    EXPECT_EQ(Rows(), Warning());
    EXPECT_EQ(Status(), A(u8"SYSTEM generering utförd."));
    EXPECT_EQ(std::vector<int>({antalsakra, antal_enkeltecken, sakra, ir}),
              std::vector<int>({4, -1, -1, 9}));
    EXPECT_TRUE(SameState(before));
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

TEST_F(SystemRowsTest, SystemPressDiscardsAppendedSingleRows) {
    ChooseSingleRows(5, true);
    Click(id::kAppend);
    Click(id::kGenerate);
    Click(id::kGenerate);
    ChooseSystem(3, 1);
    Click(id::kGenerate);
    EXPECT_EQ(Rows().substr(0, 11), " Match 1:  ");
    EXPECT_EQ(Rows().find("Stryktipset"), std::string::npos);
}

TEST_F(SystemRowsTest, TwoSureBoxesInOneMatchStillEndWithTheChosenCovers) {
    ChooseSystem(5, 3);
    SetChecked(SureBoxId(2, 0), true);
    SetChecked(SureBoxId(2, 1), true);
    SureSigns sure = kNoSure;
    sure[1] = 0;
    for (const std::int32_t seed : {1, 2, 3, 4, 5, 6, 7, 8}) {
        rg.RandomInit(seed);
        Click(id::kGenerate);
        const auto counts = CountClasses(Cells(Rows()), sure, true);
        EXPECT_EQ(antalsakra, 2);
        EXPECT_EQ(counts[2], 5);
        EXPECT_EQ(counts[3], 3);
        EXPECT_EQ(counts[4], 0);
    }
}

// ---- Shares -------------------------------------------------------------------

struct CellShares {
    int halves, fulls, methodId;
    bool firstMatchOnly;
    std::map<std::string, double> shares;
};

class SystemShareTest : public SessionTest, public ::testing::WithParamInterface<CellShares> {};

// With every class open the first match follows the 15-value table; with one
// class left every cell follows that class's inner weights.
TEST_P(SystemShareTest, CellShares) {
    const auto& p = GetParam();
    ChooseSystem(p.halves, p.fulls);
    ChooseMethod(p.methodId);
    const long presses = p.firstMatchOnly ? 30000 : 5000;
    std::map<std::string, long> seen;
    long total = 0;
    for (long press = 0; press < presses; ++press) {
        Click(id::kGenerate);
        const auto cells = Cells(Rows());
        for (std::size_t m = 0; m < (p.firstMatchOnly ? 1 : cells.size()); ++m) {
            ++seen[cells[m]];
            ++total;
        }
    }
    for (const auto& [cell, share] : p.shares) {
        testing::ExpectBinomial(seen[cell], total, share, "'" + cell + "'");
        seen.erase(cell);
    }
    EXPECT_TRUE(seen.empty()) << "'" << seen.begin()->first << "'";
}

INSTANTIATE_TEST_SUITE_P(
    Classes, SystemShareTest,
    ::testing::Values(
        CellShares{4,
                   2,
                   id::kClassic,
                   true,
                   {{" 1 ", 3 / 15.0},
                    {"   X ", 1 / 15.0},
                    {"    2 ", 2 / 15.0},
                    {" 1X ", 3 / 15.0},
                    {"   X2 ", 2 / 15.0},
                    {" 1  2 ", 2 / 15.0},
                    {" 1X2 ", 2 / 15.0}}},
        CellShares{13,
                   0,
                   id::kClassic,
                   false,
                   {{" 1X ", 3 / 7.0}, {"   X2 ", 2 / 7.0}, {" 1  2 ", 2 / 7.0}}},
        CellShares{0, 13, id::kEngland, false, {{" 1X2 ", 1.0}}},
        CellShares{
            0, 0, id::kClassic, false, {{" 1 ", 3 / 6.0}, {"   X ", 1 / 6.0}, {"    2 ", 2 / 6.0}}},
        CellShares{0,
                   0,
                   id::kEngland,
                   false,
                   {{" 1 ", 91 / 195.0}, {" X ", 51 / 195.0}, {" 2 ", 53 / 195.0}}}));

} // namespace
} // namespace kupongen
