// Single rows: the compatible upload format with its headers and Append mode,
// the coupon table, the order of draws, the limit of the rows buffer, and
// distinct rows.
#include "menu_table.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace kupongen {
namespace {

using testing::A;
using testing::kNoSure;
using testing::OracleSign;
using testing::SameState;
using testing::SessionTest;
using SingleRowsTest = SessionTest;
using testing::SplitLines;
using testing::SureSigns;

// The rows a press must give, 13 signs each, drawn from g row by row
// (compatible) or match by match (table).
std::vector<std::string> ExpectedRows(TRandomMersenne& g, DrawMethod method, int rows,
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
std::vector<std::string> CompatibleRows(const std::string& text, std::size_t first) {
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
std::vector<std::string> TableRows(const std::string& text, int rows) {
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

// ---- Compatible format -------------------------------------------------------

TEST_F(SingleRowsTest, CompatibleHeaderRowsAndAppend) {
    ChooseSingleRows(2, true);
    Click(id::kAppend); // Rader is 0: the first press still writes the header
    const TRandomMersenne start = rg;
    TRandomMersenne twin = rg;
    Click(id::kGenerate);
    EXPECT_EQ(Status(), A(u8"ENKELRADS generering utförd."));
    EXPECT_TRUE(Visible(id::kSave));
    EXPECT_EQ(Rader, 2);
    const std::string first = Rows();
    EXPECT_EQ(first, TestText());
    EXPECT_EQ(first.size(), 69u);
    EXPECT_EQ(first.substr(0, 13), "Stryktipset\r\n");
    EXPECT_EQ(CompatibleRows(first, 1), ExpectedRows(twin, DrawMethod::England, 2, kNoSure, true));
    EXPECT_TRUE(SameState(twin)) << "26 draws";
    TRandomMersenne last = start;
    for (int i = 0; i < 25; ++i) {
        last.BRandom();
    }
    EXPECT_EQ(ir, last.IRandom(1, 195)) << "ir holds the last draw";

    Click(1040); // one more row, appended below without a second header
    Click(id::kGenerate);
    EXPECT_EQ(Rader, 3);
    EXPECT_EQ(Rows().size(), 98u);
    EXPECT_EQ(Rows().substr(0, 69), first);
    EXPECT_EQ(CompatibleRows(Rows(), 3), ExpectedRows(twin, DrawMethod::England, 1, kNoSure, true));

    Click(id::kAppend); // without Append the header starts again, and Rader grows on
    Click(id::kGenerate);
    EXPECT_EQ(Rows().size(), 11u + 29u);
    EXPECT_EQ(Rader, 4);
}

TEST_F(SingleRowsTest, RaderWrapsLikeA32BitCount) {
    ChooseSingleRows(256, true);
    Rader = INT32_MAX - 100;
    Click(id::kGenerate); // no signed overflow: the sanitizer build would stop here
    EXPECT_EQ(Rader, INT32_MIN + 155);
    Click(id::kAppend); // a wrapped count is no count of earlier rows
    Click(id::kGenerate);
    EXPECT_EQ(Rows().substr(0, 13), "Stryktipset\r\n");
    EXPECT_EQ(Rows().size(), 11u + 256u * 29u);
    EXPECT_EQ(Rader, INT32_MIN + 411);
}

TEST_F(SingleRowsTest, CompatibleHeaders) {
    const std::string info = C(id::kInfoPanel).text;
    ChooseSingleRows(1, true);
    Click(id::kStryktipset); // no header: the first press follows the info text
    Click(id::kGenerate);
    EXPECT_EQ(Rows().substr(0, info.size()), info);
    EXPECT_EQ(Rows().size(), info.size() + 29);
    Click(id::kItalian);
    Click(id::kGenerate);
    EXPECT_EQ(Rows().substr(0, 24), "Italienska Stryktipset\r\n");
    EXPECT_EQ(Rows().size(), 22u + 29u);
    SetChecked(id::kStryktipset, true); // both, which no handler allows: Italian wins
    Click(id::kGenerate);
    EXPECT_EQ(Rows().size(), 22u + 29u);

    // Neither: the rows follow whatever the text holds, Append or not.
    Click(id::kItalian); // clears it, and its handler clears the other one
    Click(id::kGenerate);
    EXPECT_EQ(Rows().size(), 22u + 29u + 29u);
    EXPECT_EQ(Rows().substr(0, 22), "Italienska Stryktipset");
}

// ---- Table format ------------------------------------------------------------

class TableTest : public SessionTest, public ::testing::WithParamInterface<int> {};

TEST_P(TableTest, LengthGrammarAndDrawOrder) {
    const int rows = GetParam();
    ChooseSingleRows(rows, true);
    Click(id::kAppend); // Append plays no part in the table
    Click(id::kCompatible);
    Click(id::kGenerate);
    Rader = 5;
    TRandomMersenne twin = rg;
    Click(id::kGenerate);
    EXPECT_EQ(Rows(), TestText());
    EXPECT_EQ(Rows().size(), 205u + 48u * static_cast<std::size_t>(rows));
    EXPECT_EQ(TableRows(Rows(), rows),
              ExpectedRows(twin, DrawMethod::England, rows, kNoSure, false));
    EXPECT_TRUE(SameState(twin));
    EXPECT_EQ(Rader, 5);
    if (rows == 256) {
        const auto lines = SplitLines(Rows());
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const bool separator = i == 3 || i == 7 || i == 11;
            EXPECT_EQ(lines[i].size(), separator ? 780u : i < 11 ? 779u : 778u) << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(AllRowCounts, TableTest,
                         ::testing::Values(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16,
                                           17, 18, 19, 20, 21, 22, 23, 24, 36, 50, 60, 72, 144,
                                           256));

// ---- Draw methods and sure boxes -----------------------------------------------

class DrawMethodTest : public SessionTest,
                       public ::testing::WithParamInterface<std::tuple<int, bool>> {};

// Boxes checked (klassiskt, England, Sverige as bits 0..2) and the method they select.
TEST_P(DrawMethodTest, SignsFollowTheMethodAndSureBoxes) {
    const auto [boxes, compatible] = GetParam();
    const DrawMethod method = (boxes & 2)   ? DrawMethod::England
                              : (boxes & 4) ? DrawMethod::Sverige
                                            : DrawMethod::Classic;
    ChooseSingleRows(50, compatible);
    SetChecked(id::kClassic, boxes & 1);
    SetChecked(id::kEngland, boxes & 2);
    SetChecked(id::kSverige, boxes & 4);
    SureSigns sure = kNoSure;
    sure[3] = 1;  // X
    sure[12] = 1; // X before 2: the first checked box decides
    sure[0] = 0;  // 1 before X
    SetChecked(SureBoxId(4, 1), true);
    SetChecked(SureBoxId(13, 1), true);
    SetChecked(SureBoxId(13, 2), true);
    SetChecked(SureBoxId(1, 0), true);
    SetChecked(SureBoxId(1, 1), true);
    TRandomMersenne twin = rg;
    antalsakra = 99; // the sure count belongs to the system branch
    Click(id::kGenerate);
    EXPECT_EQ(compatible ? CompatibleRows(Rows(), 1) : TableRows(Rows(), 50),
              ExpectedRows(twin, method, 50, sure, compatible));
    EXPECT_TRUE(SameState(twin)) << "sure matches take no draw";
    EXPECT_EQ(antalsakra, 99);
}

INSTANTIATE_TEST_SUITE_P(Methods, DrawMethodTest,
                         ::testing::Combine(::testing::Values(2, 4, 1, 6, 5, 7),
                                            ::testing::Bool()));

TEST_F(SingleRowsTest, AllMatchesSureGiveIdenticalRowsAndDrawNothing) {
    ChooseSingleRows(24, false);
    for (int m = 1; m <= 13; ++m) {
        Click(SureBoxId(m, (m - 1) % 3));
    }
    ir = 77;
    const TRandomMersenne before = rg;
    Click(id::kGenerate);
    for (const auto& row : TableRows(Rows(), 24)) {
        EXPECT_EQ(row, "1X21X21X21X21");
    }
    EXPECT_EQ(ir, 77);
    EXPECT_TRUE(SameState(before));
}

// ---- Presses that produce nothing --------------------------------------------

TEST_F(SingleRowsTest, NoMethodOrNoModeRefusesThePress) {
    ChooseSingleRows(10, true);
    Click(id::kGenerate);
    Click(id::kEngland); // clears the only method box
    const std::string rows = Rows();
    const TRandomMersenne before = rg;
    Click(id::kGenerate);
    EXPECT_EQ(Status(), A(u8"VÄLJ slumpmetod!!!!!"));
    EXPECT_EQ(Rows(), rows);
    EXPECT_EQ(TestText(), rows);
    EXPECT_EQ(Rader, 10);
    EXPECT_TRUE(SameState(before));

    Click(id::kEnkelrader); // cleared: Generate stays visible
    Click(id::kGenerate);
    EXPECT_EQ(Status(), "Kryssa i ett val!!!! SYSTEM eller ENKELRADER?????");
    EXPECT_EQ(Rows(), rows);
}

TEST_F(SingleRowsTest, RefusedFirstPressStillShowsSave) {
    Click(id::kEnkelrader);
    Click(id::kEngland);
    Click(id::kGenerate);
    EXPECT_EQ(Status(), A(u8"VÄLJ slumpmetod!!!!!"));
    EXPECT_TRUE(Visible(id::kSave));
    EXPECT_EQ(Rows(), A(u8"Här kommer dina rader visas!"));
}

// ---- The limit of the rows buffer ----------------------------------------------

TEST_F(SingleRowsTest, ThirtyFourPressesOf256RowsFitTheThirtyFifthIsRefused) {
    ChooseSingleRows(256, true);
    Click(id::kAppend);
    for (int press = 1; press <= 34; ++press) {
        Click(id::kGenerate);
    }
    EXPECT_EQ(Status(), A(u8"ENKELRADS generering utförd."));
    EXPECT_EQ(TestText().size(), 11u + 34u * 256u * 29u);
    const std::string rows = Rows();
    const TRandomMersenne before = rg;
    ir = -5;
    Click(id::kGenerate);
    EXPECT_EQ(Status(), A(u8"Raderna får inte plats! Spara och börja om."));
    EXPECT_EQ(Rader, 34 * 256);
    EXPECT_EQ(TestText(), rows);
    EXPECT_EQ(Rows(), rows);
    EXPECT_EQ(ir, -5);
    EXPECT_TRUE(SameState(before));

    // The buffer holds 8777 rows after the header, not one more.
    Click(1054); // 72 rows
    Click(id::kGenerate);
    Click(1040); // 1 row
    Click(id::kGenerate);
    EXPECT_EQ(Rader, 8777);
    EXPECT_EQ(TestText().size(), 11u + 8777u * 29u);
    Click(id::kGenerate);
    EXPECT_EQ(Status(), A(u8"Raderna får inte plats! Spara och börja om."));
    EXPECT_EQ(Rader, 8777);
}

// ---- Distinct rows -------------------------------------------------------------

class DistinctTest : public SessionTest {
protected:
    void TurnOn() { session->Notify(id::kMenuDistinct, 0); }
    // X sure on matches 1 to count.
    SureSigns SureCrosses(int count) {
        SureSigns sure = kNoSure;
        for (int match = 1; match <= count; ++match) {
            Click(SureBoxId(match, 1));
            sure[static_cast<std::size_t>(match - 1)] = 1;
        }
        return sure;
    }
    std::vector<std::string> TextRows(bool compatible) {
        return compatible ? CompatibleRows(Rows(), 1)
                          : TableRows(Rows(), static_cast<int>((Rows().find("\r\n") - 11) / 3));
    }
};

void ExpectDistinctWithSure(const std::vector<std::string>& rows, const SureSigns& sure) {
    EXPECT_EQ(std::set<std::string>(rows.begin(), rows.end()).size(), rows.size());
    for (const std::string& row : rows) {
        for (std::size_t match = 0; match < sure.size(); ++match) {
            EXPECT_TRUE(sure[match] < 0 || row[match] == "1X2"[sure[match]]) << row;
        }
    }
}

std::string MadeMessage(std::size_t made, std::size_t asked) {
    return "Unika rader: " + std::to_string(made) + " av " + std::to_string(asked) +
           " gjordes, fler finns inte.";
}

// 256 rows with X sure on the first matches, where 3^f rows exist for f free
// matches: the plain press, then the distinct one from the same generator.
class DistinctPressTest : public DistinctTest,
                          public ::testing::WithParamInterface<std::tuple<int, bool>> {};

TEST_P(DistinctPressTest, OnlyRepeatsAreDrawnAgainUntilNoRowIsLeft) {
    const auto [sureCount, compatible] = GetParam();
    ChooseSingleRows(256, compatible);
    const SureSigns sure = SureCrosses(sureCount);
    const TRandomMersenne start = rg;
    Click(id::kGenerate);
    const auto plain = TextRows(compatible);
    const TRandomMersenne afterPlain = rg;
    rg = start;
    TurnOn();
    Click(id::kGenerate);
    std::size_t exist = 1;
    for (int free = sureCount; free < kMatchCount; ++free) {
        exist *= 3;
    }
    const std::size_t made = std::min<std::size_t>(256, exist);
    const auto rows = TextRows(compatible);
    ASSERT_EQ(rows.size(), made);
    ExpectDistinctWithSure(rows, sure);
    EXPECT_EQ(Rows(), TestText());
    EXPECT_EQ(Rows().size(), compatible ? 11 + 29 * made : 205 + 48 * made);
    EXPECT_EQ(Rader, compatible ? static_cast<int>(256 + made) : 0);
    EXPECT_EQ(Status(), made < 256 ? MadeMessage(made, 256) : A(u8"ENKELRADS generering utförd."));
    // A row equal to an earlier row is drawn again; every other row stays.
    int redrawn = 0;
    for (std::size_t row = 0; made == 256 && row < made; ++row) {
        const auto earlier = rows.begin() + static_cast<std::ptrdiff_t>(row);
        const bool repeats = std::find(rows.begin(), earlier, plain[row]) != earlier;
        EXPECT_EQ(rows[row] != plain[row], repeats) << "row " << row;
        redrawn += repeats ? 1 : 0;
    }
    EXPECT_EQ(redrawn > 0, sureCount == 5) << "the plain press repeats only there";
    EXPECT_EQ(SameState(afterPlain), sureCount == 0 || sureCount == 13)
        << "the plain press's draws where nothing repeats, none for a dropped row";
}

INSTANTIATE_TEST_SUITE_P(SureMatches, DistinctPressTest,
                         ::testing::Combine(::testing::Values(0, 5, 8, 10, 13), ::testing::Bool()));

TEST_F(DistinctTest, AppendedPressesRepeatNoRowOfTheText) {
    ChooseSingleRows(256, true);
    const SureSigns sure = SureCrosses(6);
    Click(id::kAppend);
    TurnOn();
    for (int press = 0; press < 3; ++press) {
        Click(id::kGenerate);
    }
    const auto rows = CompatibleRows(Rows(), 1);
    EXPECT_EQ(rows.size(), 768u);
    ExpectDistinctWithSure(rows, sure);
    EXPECT_EQ(Rader, 768);

    // Without a header box the rows follow the text, whose rows count too:
    // with every match sure there is one row, and a second press has none.
    Click(1040);
    for (int match = 7; match <= kMatchCount; ++match) {
        Click(SureBoxId(match, 1));
    }
    Click(id::kItalian);
    Click(id::kGenerate);
    const std::string one = "Italienska Stryktipset\r\nE,X,X,X,X,X,X,X,X,X,X,X,X,X";
    EXPECT_EQ(Rows(), one);
    Click(id::kItalian);
    session->TypeRowsText("hand edit");
    Click(id::kGenerate);
    EXPECT_EQ(Status(), MadeMessage(0, 1));
    EXPECT_EQ(Rows(), one) << "unchanged, and shown again";
}

// All but the two rarest rows under the classic draw are in the text, with X
// sure on matches 1 to 7. A repeat is drawn again 10,000 times; then k is
// drawn from 1 to the free rows and the k-th free row in order (1 < X < 2)
// is taken. A row with none left is dropped without a draw.
TEST_F(DistinctTest, RedrawIsBoundedThenChoosesInOrder) {
    ChooseSingleRows(3, true);
    ChooseMethod(id::kClassic);
    SureCrosses(7);
    Click(id::kAppend);
    TurnOn();
    std::vector<std::string> left = {std::string(13, 'X'), std::string(12, 'X') + "2"};
    std::string text = "Stryktipset";
    for (int i = 0; i < 729; ++i) {
        std::string row(7, 'X');
        for (int v = i, m = 0; m < 6; ++m, v /= 3) {
            row += "1X2"[v % 3];
        }
        if (std::find(left.begin(), left.end(), row) == left.end()) {
            text += "\r\nE";
            for (const char c : row) {
                text += std::string(",") + c;
            }
        }
    }
    TestCopy(text);
    Rader = 727;
    rg.RandomInit(1);
    TRandomMersenne twin = rg;
    auto draw = [&] {
        std::string row(7, 'X');
        for (int m = 0; m < 6; ++m) {
            row += OracleSign(twin, DrawMethod::Classic);
        }
        return row;
    };
    std::vector<std::string> drawn = {draw(), draw(), draw()};
    std::vector<std::string> made;
    int choicesOfTwo = 0;
    for (std::string row : drawn) {
        const auto isFree = [&] { return std::find(left.begin(), left.end(), row) != left.end(); };
        if (!left.empty()) {
            for (int redraw = 0; !isFree(); ++redraw) {
                if (redraw == 10000) {
                    choicesOfTwo += left.size() == 2 ? 1 : 0;
                    row = left[static_cast<std::size_t>(
                        twin.IRandom(1, static_cast<int>(left.size())) - 1)];
                    break;
                }
                row = draw();
            }
            std::erase(left, row);
            made.push_back(row);
        }
    }
    ASSERT_EQ(choicesOfTwo, 1) << "the seed must reach the bound with both rows free";
    Click(id::kGenerate);
    EXPECT_EQ(CompatibleRows(Rows(), 728), made);
    EXPECT_TRUE(SameState(twin));
    EXPECT_EQ(Status(), MadeMessage(2, 3));
}

TEST_F(DistinctTest, PressThatDoesNotFitIsRefusedBeforeAnyDraw) {
    ChooseSingleRows(256, true);
    Click(id::kAppend);
    TurnOn();
    for (int press = 1; press <= 34; ++press) {
        Click(id::kGenerate);
    }
    const TRandomMersenne before = rg;
    Click(id::kGenerate);
    EXPECT_EQ(Status(), A(u8"Raderna får inte plats! Spara och börja om."));
    EXPECT_EQ(Rader, 34 * 256);
    EXPECT_TRUE(SameState(before));
}

// ---- The pace of the rows window ---------------------------------------------

// A 256-row press under a clock that moves on by a step at every reading. The
// rows window's text is noted at each reading after it changed, that is when
// the pace marks an update's end: the updates before the last one.
class UpdatePaceTest : public SessionTest,
                       public ::testing::WithParamInterface<std::tuple<bool, int>> {};

TEST_P(UpdatePaceTest, FastPressUpdatesOnceSlowOneGrowsEvery50Ms) {
    const auto [compatible, stepMicroseconds] = GetParam();
    using std::chrono::steady_clock;
    const std::chrono::microseconds step(stepMicroseconds);
    steady_clock::time_point now{};
    std::uint64_t revision = 0;
    std::vector<std::pair<steady_clock::time_point, std::string>> updates;
    session = std::make_unique<DialogSession>(DialogHooks{}, [&] {
        now += step;
        if (C(id::kRows).revision != revision) {
            revision = C(id::kRows).revision;
            updates.emplace_back(now, Rows());
        }
        return now;
    });
    ChooseSingleRows(256, compatible);
    Click(id::kGenerate); // status and Save button: the next press changes the rows alone
    std::uint64_t before = 0;
    for (const auto& control : Model().Controls()) {
        before = std::max(before, control.revision);
    }
    revision = C(id::kRows).revision;
    updates.clear();
    steady_clock::time_point previous = now + step; // the press begins
    Click(id::kGenerate);

    // Every change takes the dialog's next revision.
    const std::uint64_t updateCount = C(id::kRows).revision - before;
    EXPECT_EQ(updateCount, updates.size() + 1);
    EXPECT_EQ(Rows(), TestText()) << "the last update shows the whole text";
    if (step * 256 < UpdatePace::kInterval) {
        EXPECT_EQ(updateCount, 1u) << "a fast press updates once, at its end";
    } else {
        EXPECT_GE(updateCount, 4u) << "a slow press visibly grows";
    }
    std::string shown;
    for (const auto& [time, text] : updates) {
        EXPECT_GE(time - previous, UpdatePace::kInterval);
        EXPECT_GT(text.size(), shown.size());
        EXPECT_EQ(Rows().substr(0, text.size()), text);
        previous = time;
        shown = text;
    }
}

INSTANTIATE_TEST_SUITE_P(FastAndSlow, UpdatePaceTest,
                         ::testing::Combine(::testing::Bool(), ::testing::Values(1, 1000)));

// ---- Shares of the signs -------------------------------------------------------

class SingleRowShareTest : public SessionTest,
                           public ::testing::WithParamInterface<std::array<int, 4>> {};

// About a million signs per method: a threshold one off moves a share by ten deviations.
TEST_P(SingleRowShareTest, SignSharesFollowTheWeights) {
    const auto [methodId, ones, crosses, twos] = GetParam();
    ChooseSingleRows(256, false);
    ChooseMethod(methodId);
    long counts[3] = {};
    for (int press = 0; press < 300; ++press) {
        Click(id::kGenerate);
        for (const char c : Rows()) {
            counts[0] += c == '1';
            counts[1] += c == 'X';
            counts[2] += c == '2';
        }
    }
    // The labels hold six digits 1 (Match 1, 10, 11, 12, 13) and two 2 (Match 2, 12).
    counts[0] -= 300 * 6;
    counts[2] -= 300 * 2;
    const long total = 300L * 256 * 13;
    const double sum = ones + crosses + twos;
    testing::ExpectBinomial(counts[0], total, ones / sum, "1");
    testing::ExpectBinomial(counts[1], total, crosses / sum, "X");
    testing::ExpectBinomial(counts[2], total, twos / sum, "2");
}

INSTANTIATE_TEST_SUITE_P(Methods, SingleRowShareTest,
                         ::testing::Values(std::array<int, 4>{id::kEngland, 91, 51, 53},
                                           std::array<int, 4>{id::kSverige, 66, 39, 64},
                                           std::array<int, 4>{id::kClassic, 3, 1, 2}));

} // namespace
} // namespace kupongen
