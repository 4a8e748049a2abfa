// The sign draw: which value of each range gives which sign, and that every
// draw takes exactly one value of the generator and leaves it in ir.
#include "test_support.h"

#include <gtest/gtest.h>

namespace kupongen {
namespace {

struct BoundCase {
    DrawMethod method;
    int value;
    Sign sign;
};

class SignOfDrawTest : public ::testing::TestWithParam<BoundCase> {};

TEST_P(SignOfDrawTest, ValueGivesSign) {
    EXPECT_EQ(SignOfDraw(GetParam().method, GetParam().value), GetParam().sign)
        << "value " << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(Bounds, SignOfDrawTest,
                         ::testing::Values(BoundCase{DrawMethod::England, 1, Sign::One},
                                           BoundCase{DrawMethod::England, 91, Sign::One},
                                           BoundCase{DrawMethod::England, 92, Sign::Cross},
                                           BoundCase{DrawMethod::England, 142, Sign::Cross},
                                           BoundCase{DrawMethod::England, 143, Sign::Two},
                                           BoundCase{DrawMethod::England, 195, Sign::Two},
                                           BoundCase{DrawMethod::Sverige, 1, Sign::One},
                                           BoundCase{DrawMethod::Sverige, 66, Sign::One},
                                           BoundCase{DrawMethod::Sverige, 67, Sign::Cross},
                                           BoundCase{DrawMethod::Sverige, 105, Sign::Cross},
                                           BoundCase{DrawMethod::Sverige, 106, Sign::Two},
                                           BoundCase{DrawMethod::Sverige, 169, Sign::Two},
                                           BoundCase{DrawMethod::Classic, 1, Sign::One},
                                           BoundCase{DrawMethod::Classic, 3, Sign::One},
                                           BoundCase{DrawMethod::Classic, 4, Sign::Cross},
                                           BoundCase{DrawMethod::Classic, 5, Sign::Two},
                                           BoundCase{DrawMethod::Classic, 6, Sign::Two}));

struct WeightCase {
    DrawMethod method;
    int range;
    int ones;
    int crosses;
    int twos;
};

class SignWeightTest : public ::testing::TestWithParam<WeightCase> {};

// Counting over the whole range gives the weights of the statistics tables.
TEST_P(SignWeightTest, EveryValueOfTheRangeCounts) {
    const auto [method, range, ones, crosses, twos] = GetParam();
    EXPECT_EQ(DrawRange(method), range);
    int counts[3] = {};
    for (int value = 1; value <= range; ++value) {
        ++counts[static_cast<int>(SignOfDraw(method, value))];
    }
    EXPECT_EQ(counts[0], ones);
    EXPECT_EQ(counts[1], crosses);
    EXPECT_EQ(counts[2], twos);
}

INSTANTIATE_TEST_SUITE_P(Methods, SignWeightTest,
                         ::testing::Values(WeightCase{DrawMethod::England, 195, 91, 51, 53},
                                           WeightCase{DrawMethod::Sverige, 169, 66, 39, 64},
                                           WeightCase{DrawMethod::Classic, 6, 3, 1, 2}));

TEST(SignDrawTest, OneDrawPerSignKeptInIr) {
    for (const DrawMethod method :
         {DrawMethod::England, DrawMethod::Sverige, DrawMethod::Classic}) {
        rg.RandomInit(5);
        TRandomMersenne twin(5);
        for (int i = 0; i < 1000; ++i) {
            const int expected = twin.IRandom(1, DrawRange(method));
            ASSERT_EQ(DrawSign(method), SignOfDraw(method, expected));
            ASSERT_EQ(ir, expected);
        }
    }
}

} // namespace
} // namespace kupongen
