// Distinct rows: the menu's commands, presses that run out of rows in both
// formats, the rows of the text a press adds to, the bounded redraw, and the
// plain press wherever nothing repeats.
#include "test_support.h"

#include "menu_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace kupongen {
namespace {

using testing::A;
using testing::CompatibleRows;
using testing::kNoSure;
using testing::OracleSign;
using testing::SameState;
using testing::SessionTest;
using testing::SureSigns;
using testing::TableRows;

class DistinctRowsTest : public SessionTest {
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
        if (compatible) {
            return CompatibleRows(Rows(), 1);
        }
        return TableRows(Rows(), static_cast<int>((Rows().find("\r\n") - 11) / 3));
    }
};

void ExpectDistinctWithSure(const std::vector<std::string>& rows, const SureSigns& sure) {
    EXPECT_EQ(std::set<std::string>(rows.begin(), rows.end()).size(), rows.size());
    for (const std::string& row : rows) {
        for (std::size_t match = 0; match < sure.size(); ++match) {
            if (sure[match] >= 0) {
                EXPECT_EQ(row[match], "1X2"[sure[match]]) << row;
            }
        }
    }
}

std::string MadeMessage(std::size_t made, std::size_t asked) {
    return "Unika rader: " + std::to_string(made) + " av " + std::to_string(asked) +
           " gjordes, fler finns inte.";
}

TEST_F(DistinctRowsTest, MenuCommands) {
    std::vector<RowsReviewKind> reviews;
    DialogHooks hooks;
    hooks.showRowsReview = [&](RowsReviewKind kind) { reviews.push_back(kind); };
    session = std::make_unique<DialogSession>(std::move(hooks));
    const MenuItemState& mark = *Model().MenuState(id::kMenuDistinct);
    EXPECT_FALSE(mark.checked) << "off at start";
    TurnOn();
    EXPECT_TRUE(mark.checked);
    EXPECT_EQ(Status(), A(u8"Unika rader: på."));
    const std::uint64_t revision = mark.revision;
    platform::SetMenuCheck(&Model(), id::kMenuDistinct, true);
    EXPECT_EQ(mark.revision, revision) << "no change, no new revision";
    session->Notify(id::kMenuDistinct, 1); // another code: everything but the message
    EXPECT_FALSE(mark.checked);
    EXPECT_GT(mark.revision, revision);
    EXPECT_EQ(Status(), A(u8"Unika rader: på."));
    TurnOn();
    TurnOn();
    EXPECT_EQ(Status(), A(u8"Unika rader: av."));

    session->Notify(id::kMenuCheckRows, 0);
    session->Notify(id::kMenuGradeRows, 1);
    EXPECT_EQ(reviews, (std::vector{RowsReviewKind::Check, RowsReviewKind::Grade}));
    const auto before = testing::TakeSnapshot(Model());
    for (const int menuId : {id::kMenuSaveSystem, kFirstMenuId - 1, kLastMenuId + 1}) {
        session->Notify(menuId, 0);
    }
    EXPECT_EQ(testing::TakeSnapshot(Model()), before);
    EXPECT_FALSE(mark.checked);
    EXPECT_EQ(reviews.size(), 2u);
}

// 256 rows with X sure on the first matches: 3^f rows exist for f free ones.
class DistinctPressTest : public DistinctRowsTest,
                          public ::testing::WithParamInterface<std::tuple<int, bool>> {};

TEST_P(DistinctPressTest, MakesEveryDistinctRowThatExists) {
    const auto [sureCount, compatible] = GetParam();
    ChooseSingleRows(256, compatible);
    const SureSigns sure = SureCrosses(sureCount);
    TurnOn();
    Click(id::kGenerate);
    std::size_t exist = 1;
    for (int free = 0; free < kMatchCount - sureCount; ++free) {
        exist *= 3;
    }
    const std::size_t made = std::min<std::size_t>(256, exist);
    const auto rows = TextRows(compatible);
    EXPECT_EQ(rows.size(), made);
    ExpectDistinctWithSure(rows, sure);
    EXPECT_EQ(Rows(), TestText());
    EXPECT_EQ(Rows().size(), compatible ? 11 + 29 * made : 205 + 48 * made);
    EXPECT_EQ(Rader, compatible ? static_cast<int>(made) : 0);
    EXPECT_EQ(Status(), made < 256 ? MadeMessage(made, 256) : A(u8"ENKELRADS generering utförd."));
}

INSTANTIATE_TEST_SUITE_P(SureMatches, DistinctPressTest,
                         ::testing::Combine(::testing::Values(5, 8, 10, 13), ::testing::Bool()));

// Exactly the rows equal to an earlier row of the press are drawn again.
TEST_F(DistinctRowsTest, OnlyRepeatsAreDrawnAgain) {
    ChooseSingleRows(256, true);
    const SureSigns sure = SureCrosses(5);
    const TRandomMersenne start = rg;
    Click(id::kGenerate);
    const auto plain = CompatibleRows(Rows(), 1);
    rg = start;
    TurnOn();
    Click(id::kGenerate);
    const auto distinct = CompatibleRows(Rows(), 1);
    ASSERT_EQ(distinct.size(), 256u);
    ExpectDistinctWithSure(distinct, sure);
    int redrawn = 0;
    for (std::size_t row = 0; row < plain.size(); ++row) {
        const auto earlier = distinct.begin() + static_cast<std::ptrdiff_t>(row);
        const bool repeats = std::find(distinct.begin(), earlier, plain[row]) != earlier;
        EXPECT_EQ(distinct[row] != plain[row], repeats) << "row " << row;
        redrawn += repeats ? 1 : 0;
    }
    EXPECT_GT(redrawn, 0) << "the plain press repeated rows";
}

class PlainPressTest : public DistinctRowsTest, public ::testing::WithParamInterface<bool> {};

TEST_P(PlainPressTest, NothingRepeatsIsThePlainPress) {
    ChooseSingleRows(256, GetParam());
    const TRandomMersenne start = rg;
    Click(id::kGenerate);
    const std::string plain = Rows();
    const auto rows = TextRows(GetParam());
    ASSERT_EQ(std::set<std::string>(rows.begin(), rows.end()).size(), 256u);
    const TRandomMersenne after = rg;
    rg = start;
    TurnOn();
    Click(id::kGenerate);
    EXPECT_EQ(Rows(), plain);
    EXPECT_TRUE(SameState(after));
}

INSTANTIATE_TEST_SUITE_P(BothFormats, PlainPressTest, ::testing::Bool());

TEST_F(DistinctRowsTest, AppendedPressesRepeatNoEarlierRow) {
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
    EXPECT_EQ(Status(), A(u8"ENKELRADS generering utförd."));
}

// Without a header the rows go below the text, whose rows count: with all
// matches sure there is one row, and a second press has none to make.
TEST_F(DistinctRowsTest, RowsOfTheTextCountWithoutHeader) {
    ChooseSingleRows(1, true);
    SureCrosses(13);
    TurnOn();
    Click(id::kGenerate);
    Click(id::kStryktipset); // no header: the rows follow the text
    Click(id::kGenerate);
    const std::string text(TestText());
    EXPECT_EQ(Status(), MadeMessage(0, 1));
    session->TypeRowsText("hand edit");
    Click(id::kGenerate);
    EXPECT_EQ(TestText(), text);
    EXPECT_EQ(Rows(), text) << "the press still shows the rows text";
    EXPECT_EQ(Rader, 0) << "the header box's click reset it, and no row was made";
    Click(id::kStryktipset); // a header starts the text again
    Click(id::kGenerate);
    EXPECT_EQ(Rows(), "Stryktipset\r\nE,X,X,X,X,X,X,X,X,X,X,X,X,X");
}

// All but two rows with X sure on matches 1 to 7 are taken: the rarest two
// under the classic draw. A repeat is drawn again up to 10,000 times; then k
// is drawn from 1 to the free rows, and the k-th free row in order is taken.
// A row with none left is dropped without a draw.
TEST_F(DistinctRowsTest, RedrawIsBoundedThenChoosesInOrder) {
    const auto key = [](const std::string& row) { // 1 < X < 2
        std::string k;
        for (const char c : row) {
            k += c == '1' ? 'a' : c == 'X' ? 'b' : 'c';
        }
        return k;
    };
    std::set<std::string> all;
    for (int i = 0; i < 729; ++i) {
        std::string row(7, 'X');
        for (int v = i, m = 0; m < 6; ++m, v /= 3) {
            row += "1X2"[v % 3];
        }
        all.insert(row);
    }
    const std::set<std::string> free = {std::string(13, 'X'), std::string(12, 'X') + "2"};
    std::string text = "Stryktipset";
    for (const std::string& row : all) {
        if (!free.contains(row)) {
            text += "\r\nE";
            for (const char c : row) {
                text += std::string(",") + c;
            }
        }
    }
    ChooseSingleRows(3, true);
    ChooseMethod(id::kClassic);
    SureCrosses(7);
    Click(id::kAppend);
    TestCopy(text);
    Rader = 727;
    TurnOn();

    rg.RandomInit(1);
    TRandomMersenne twin = rg;
    std::vector<std::string> expected(3);
    for (std::string& row : expected) {
        row = std::string(7, 'X');
        for (int m = 0; m < 6; ++m) {
            row += OracleSign(twin, DrawMethod::Classic);
        }
    }
    std::set<std::string> left = free;
    std::vector<std::string> made;
    int choicesOfTwo = 0;
    for (std::string row : expected) {
        if (!left.contains(row) && left.empty()) {
            continue;
        }
        for (int redraw = 0; !left.contains(row); ++redraw) {
            if (redraw == 10000) {
                std::vector<std::string> ordered(left.begin(), left.end());
                std::sort(ordered.begin(), ordered.end(),
                          [&](const auto& a, const auto& b) { return key(a) < key(b); });
                choicesOfTwo += left.size() == 2 ? 1 : 0;
                row = ordered[static_cast<std::size_t>(
                    twin.IRandom(1, static_cast<int>(left.size())) - 1)];
                break;
            }
            row.resize(7);
            for (int m = 0; m < 6; ++m) {
                row += OracleSign(twin, DrawMethod::Classic);
            }
        }
        left.erase(row);
        made.push_back(row);
    }
    ASSERT_EQ(choicesOfTwo, 1) << "the seed must reach the bound with both rows free";
    ASSERT_EQ(made.size(), 2u);

    Click(id::kGenerate);
    EXPECT_EQ(CompatibleRows(Rows(), 728), made);
    EXPECT_TRUE(SameState(twin));
    EXPECT_EQ(Rader, 729);
    EXPECT_EQ(Status(), MadeMessage(2, 3));
}

TEST_F(DistinctRowsTest, PressThatDoesNotFitIsStillRefusedFirst) {
    ChooseSingleRows(256, true);
    Click(id::kAppend);
    TurnOn();
    for (int press = 1; press <= 34; ++press) {
        Click(id::kGenerate);
    }
    const auto rows = CompatibleRows(Rows(), 1);
    EXPECT_EQ(std::set<std::string>(rows.begin(), rows.end()).size(), 34u * 256u);
    const TRandomMersenne before = rg;
    Click(id::kGenerate);
    EXPECT_EQ(Status(), A(u8"Raderna får inte plats! Spara och börja om."));
    EXPECT_EQ(Rader, 34 * 256);
    EXPECT_TRUE(SameState(before));
}

} // namespace
} // namespace kupongen
