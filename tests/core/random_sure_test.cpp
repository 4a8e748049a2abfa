// The random-sure button: one more sure match per press, in a free match,
// with a sign by the draw method, until all 13 are sure.
#include "test_support.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace kupongen {
namespace {

using testing::A;
using testing::OracleSign;
using testing::SessionTest;

class RandomSureTest : public SessionTest {
protected:
    // Sign index of the checked box of each match, -1 for none; fails on two.
    std::array<int, 13> SureSigns() {
        std::array<int, 13> signs{};
        for (int m = 1; m <= 13; ++m) {
            signs[static_cast<std::size_t>(m - 1)] = -1;
            for (int s = 0; s < 3; ++s) {
                if (Checked(SureBoxId(m, s))) {
                    EXPECT_EQ(signs[static_cast<std::size_t>(m - 1)], -1) << "match " << m;
                    signs[static_cast<std::size_t>(m - 1)] = s;
                }
            }
        }
        return signs;
    }

    // The match and sign the press must give, from a copy of the generator.
    static std::pair<int, char> ExpectedPick(TRandomMersenne& g, const std::array<int, 13>& sure,
                                             DrawMethod method) {
        while (true) {
            const int m = g.IRandom(1, 13);
            if (sure[static_cast<std::size_t>(m - 1)] < 0) {
                return {m, OracleSign(g, method)};
            }
        }
    }
};

struct SureMethodCase {
    bool classic, england, sverige;
    DrawMethod expected;
};

class RandomSureMethodTest : public RandomSureTest,
                             public ::testing::WithParamInterface<SureMethodCase> {};

TEST_P(RandomSureMethodTest, FillsAllThirteenMatchesThenStops) {
    const auto setup = GetParam();
    SetChecked(id::kClassic, setup.classic);
    SetChecked(id::kEngland, setup.england);
    SetChecked(id::kSverige, setup.sverige);
    for (const std::int32_t seed : {1, 2, 3, 2004}) {
        for (int box = 1074; box <= 1112; ++box) {
            SetChecked(box, false);
        }
        rg.RandomInit(seed);
        TRandomMersenne twin(seed);
        for (int press = 0; press < 13; ++press) {
            auto sure = SureSigns();
            const auto [match, sign] = ExpectedPick(twin, sure, setup.expected);
            Click(id::kRandomSure);
            EXPECT_EQ(Status(), A(u8"Säker match slumpad."));
            EXPECT_EQ(antalsakra, press);
            sure[static_cast<std::size_t>(match - 1)] =
                static_cast<int>(std::string("1X2").find(sign));
            ASSERT_EQ(SureSigns(), sure) << "seed " << seed << " press " << press;
        }
        const auto before = testing::TakeSnapshot(Model());
        const TRandomMersenne generator = rg;
        Click(id::kRandomSure);
        EXPECT_EQ(Status(), A(u8"13 matcher redan säkra."));
        EXPECT_EQ(antalsakra, 13);
        auto after = testing::TakeSnapshot(Model());
        after.controls[1] = before.controls[1]; // the status field
        after.globals[5] = before.globals[5];   // antalsakra
        EXPECT_EQ(after, before);
        TRandomMersenne twinGenerator = generator;
        EXPECT_EQ(rg.BRandom(), twinGenerator.BRandom()) << "nothing drawn";
    }
}

INSTANTIATE_TEST_SUITE_P(Methods, RandomSureMethodTest,
                         ::testing::Values(SureMethodCase{false, true, false, DrawMethod::England},
                                           SureMethodCase{false, false, true, DrawMethod::Sverige},
                                           SureMethodCase{true, false, false, DrawMethod::Classic},
                                           SureMethodCase{false, false, false, DrawMethod::Classic},
                                           SureMethodCase{false, true, true, DrawMethod::England}));

TEST_F(RandomSureTest, KeepsHandSetSignsAndTouchesNoOtherState) {
    ChooseSystem(2, 1);
    Click(id::kGenerate);
    for (int m = 1; m <= 13; ++m) {
        if (m != 9) {
            Click(SureBoxId(m, (m * 7) % 3));
        }
    }
    const auto hand = SureSigns();
    Rader = 4;
    sakra = -3;
    antal_enkeltecken = 11;
    const std::string rows = Rows();
    Click(id::kRandomSure);
    const auto after = SureSigns();
    for (int m = 1; m <= 13; ++m) {
        if (m != 9) {
            EXPECT_EQ(after[static_cast<std::size_t>(m - 1)],
                      hand[static_cast<std::size_t>(m - 1)]);
        }
    }
    EXPECT_GE(after[8], 0) << "the only free match becomes sure";
    EXPECT_EQ(antalsakra, 12);
    EXPECT_EQ(Status(), A(u8"Säker match slumpad."));
    EXPECT_EQ(Rows(), rows);
    EXPECT_EQ(Rader, 4);
    EXPECT_EQ(sakra, -3);
    EXPECT_EQ(antal_enkeltecken, 11);
    EXPECT_EQ(antal_halvgarderingar, 2);
    EXPECT_EQ(antal_helgarderingar, 1);
}

struct SureShareCase {
    int methodId;
    int ones, crosses, twos;
};

class RandomSureShareTest : public RandomSureTest,
                            public ::testing::WithParamInterface<SureShareCase> {};

// Each free match is equally likely, and the sign follows the method's weights.
TEST_P(RandomSureShareTest, MatchesAndSigns) {
    const auto [methodId, ones, crosses, twos] = GetParam();
    ChooseMethod(methodId);
    constexpr long kPresses = 30000;
    long matches[13] = {};
    long signs[3] = {};
    for (long press = 0; press < kPresses; ++press) {
        Click(id::kRandomSure);
        const auto sure = SureSigns();
        for (int m = 0; m < 13; ++m) {
            if (sure[static_cast<std::size_t>(m)] >= 0) {
                ++matches[m];
                ++signs[sure[static_cast<std::size_t>(m)]];
                SetChecked(SureBoxId(m + 1, sure[static_cast<std::size_t>(m)]), false);
            }
        }
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
                         ::testing::Values(SureShareCase{id::kEngland, 91, 51, 53},
                                           SureShareCase{id::kSverige, 66, 39, 64},
                                           SureShareCase{id::kClassic, 3, 1, 2}));

} // namespace
} // namespace kupongen
