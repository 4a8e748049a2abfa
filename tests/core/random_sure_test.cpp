// The random-sure button: one more sure match per press, in a free match,
// with a sign by the draw method, until all 13 are sure.
#include "test_support.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace kupongen {
namespace {

using testing::A;
using testing::SessionTest;

class RandomSureTest : public SessionTest {
protected:
    // The checked sign of each match as "1", "X" or "2", "." for none.
    std::string SureSigns() {
        std::string signs;
        for (int m = 1; m <= 13; ++m) {
            signs.push_back('.');
            for (int s = 0; s < 3; ++s) {
                if (Checked(SureBoxId(m, s))) {
                    EXPECT_EQ(signs.back(), '.') << "two signs in match " << m;
                    signs.back() = "1X2"[s];
                }
            }
        }
        return signs;
    }
};

class RandomSureMethodTest : public RandomSureTest, public ::testing::WithParamInterface<int> {};

// Boxes checked (klassiskt, England, Sverige as bits 0..2); England, then Sverige decide.
TEST_P(RandomSureMethodTest, FillsAllThirteenMatchesThenStops) {
    const int boxes = GetParam();
    const DrawMethod method = (boxes & 2)   ? DrawMethod::England
                              : (boxes & 4) ? DrawMethod::Sverige
                                            : DrawMethod::Classic;
    SetChecked(id::kClassic, boxes & 1);
    SetChecked(id::kEngland, boxes & 2);
    SetChecked(id::kSverige, boxes & 4);
    for (const std::int32_t seed : {1, 2, 2004}) {
        for (int box = kFirstSureBoxId; box < kFirstSureBoxId + kSureBoxCount; ++box) {
            SetChecked(box, false);
        }
        rg.RandomInit(seed);
        TRandomMersenne twin(seed);
        for (int press = 0; press < 13; ++press) {
            std::string expected = SureSigns();
            int match = twin.IRandom(1, 13);
            while (expected[static_cast<std::size_t>(match - 1)] != '.') {
                match = twin.IRandom(1, 13); // a sure match is drawn again
            }
            expected[static_cast<std::size_t>(match - 1)] = testing::OracleSign(twin, method);
            Click(id::kRandomSure);
            EXPECT_EQ(Status(), A(u8"Säker match slumpad."));
            EXPECT_EQ(antalsakra, press);
            ASSERT_EQ(SureSigns(), expected) << "seed " << seed << " press " << press;
            EXPECT_TRUE(testing::SameState(twin));
        }
        const auto before = testing::TakeSnapshot(Model());
        const TRandomMersenne generator = rg;
        Click(id::kRandomSure);
        EXPECT_EQ(Status(), A(u8"13 matcher redan säkra."));
        EXPECT_EQ(antalsakra, 13);
        auto after = testing::TakeSnapshot(Model());
        std::get<0>(after)[1] = std::get<0>(before)[1]; // the status field
        std::get<1>(after)[5] = std::get<1>(before)[5]; // antalsakra
        EXPECT_EQ(after, before);
        EXPECT_TRUE(testing::SameState(generator)) << "nothing drawn";
    }
}

INSTANTIATE_TEST_SUITE_P(Methods, RandomSureMethodTest, ::testing::Values(2, 4, 1, 0, 6));

TEST_F(RandomSureTest, KeepsHandSetSignsAndTouchesNoOtherState) {
    ChooseSystem(2, 1);
    Click(id::kGenerate);
    for (int m = 1; m <= 13; ++m) {
        if (m != 9) {
            Click(SureBoxId(m, (m * 7) % 3));
        }
    }
    std::string hand = SureSigns();
    Rader = 4;
    sakra = -3;
    antal_enkeltecken = 11;
    const std::string rows = Rows();
    Click(id::kRandomSure);
    const std::string after = SureSigns();
    EXPECT_NE(after[8], '.') << "the only free match becomes sure";
    hand[8] = after[8];
    EXPECT_EQ(after, hand);
    EXPECT_EQ(antalsakra, 12);
    EXPECT_EQ(Rows(), rows);
    EXPECT_EQ(std::vector<int>(
                  {Rader, sakra, antal_enkeltecken, antal_halvgarderingar, antal_helgarderingar}),
              std::vector<int>({4, -3, 11, 2, 1}));
}

class RandomSureShareTest : public RandomSureTest,
                            public ::testing::WithParamInterface<std::array<int, 4>> {};

// Each free match is equally likely, and the sign follows the method's weights.
TEST_P(RandomSureShareTest, MatchesAndSigns) {
    const auto [methodId, ones, crosses, twos] = GetParam();
    ChooseMethod(methodId);
    constexpr long kPresses = 30000;
    long matches[13] = {};
    long signs[3] = {};
    for (long press = 0; press < kPresses; ++press) {
        Click(id::kRandomSure);
        const std::string sure = SureSigns();
        const auto m = sure.find_first_not_of('.');
        ASSERT_NE(m, std::string::npos);
        const int s = static_cast<int>(std::string("1X2").find(sure[m]));
        ++matches[m];
        ++signs[s];
        SetChecked(SureBoxId(static_cast<int>(m) + 1, s), false);
    }
    for (int m = 0; m < 13; ++m) {
        testing::ExpectBinomial(matches[m], kPresses, 1.0 / 13, "match " + std::to_string(m + 1));
    }
    const double sum = ones + crosses + twos;
    testing::ExpectBinomial(signs[0], kPresses, ones / sum, "1");
    testing::ExpectBinomial(signs[1], kPresses, crosses / sum, "X");
    testing::ExpectBinomial(signs[2], kPresses, twos / sum, "2");
}

INSTANTIATE_TEST_SUITE_P(Methods, RandomSureShareTest,
                         ::testing::Values(std::array<int, 4>{id::kEngland, 91, 51, 53},
                                           std::array<int, 4>{id::kSverige, 66, 39, 64},
                                           std::array<int, 4>{id::kClassic, 3, 1, 2}));

} // namespace
} // namespace kupongen
