// The generator must reproduce the MT11213A sequence exactly: the same seed
// and clicks give the same rows everywhere.
#include "random_mersenne.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

namespace kupongen {
namespace {

constexpr double kTwoTo32 = 4294967296.0;

TEST(RandomInitTest, SeedOneStateWords) {
    TRandomMersenne g(1);
    EXPECT_EQ(g.State()[0], 29943828u);
    EXPECT_EQ(g.State()[1], 2607622563u);
    EXPECT_EQ(g.State()[350], 3010698202u);
}

TEST(RandomInitTest, SeedZeroStateWords) {
    TRandomMersenne g(0);
    EXPECT_EQ(g.State()[0], 4294967295u);
    EXPECT_EQ(g.State()[1], 4265023466u);
}

TEST(RandomInitTest, NegativeSeedIsTakenAsItsBitPattern) {
    // -1 * 29943829 - 1 wraps to the second word of seed 0.
    TRandomMersenne g(-1);
    EXPECT_EQ(g.State()[0], 4265023466u);
}

TEST(RandomInitTest, ReseedingRestartsTheSequence) {
    TRandomMersenne g(7);
    for (int i = 0; i < 500; ++i) {
        g.BRandom();
    }
    g.RandomInit(1);
    EXPECT_EQ(g.BRandom(), 2258625865u);
}

struct BRandomCase {
    std::int32_t seed;
    std::array<std::uint32_t, 5> first;
};

class BRandomTest : public ::testing::TestWithParam<BRandomCase> {};

TEST_P(BRandomTest, FirstFiveValues) {
    TRandomMersenne g(GetParam().seed);
    for (const std::uint32_t expected : GetParam().first) {
        EXPECT_EQ(g.BRandom(), expected);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Seeds, BRandomTest,
    ::testing::Values(
        BRandomCase{1, {2258625865u, 4233392635u, 1874677523u, 4178400341u, 541030912u}},
        BRandomCase{0, {181098056u, 2693552888u, 1109610203u, 1074585042u, 4073715843u}}));

TEST(BRandomTest, KeepsGoingAcrossRegenerations) {
    // Draws 351 and 702 (counting from 0) are the first of a regenerated state.
    TRandomMersenne g(1);
    std::vector<std::uint32_t> values;
    for (int i = 0; i < 1054; ++i) {
        values.push_back(g.BRandom());
    }
    EXPECT_EQ(values[350], 2729715705u);
    EXPECT_EQ(values[351], 1102588024u);
    EXPECT_EQ(values[352], 2166859214u);
    EXPECT_EQ(values[701], 3966832428u);
    EXPECT_EQ(values[702], 4022839251u);
    EXPECT_EQ(values[703], 3118694554u);
    EXPECT_EQ(values[1052], 1613147758u);
    EXPECT_EQ(values[1053], 3123690932u);
}

TEST(RandomTest, FirstValueOfSeedOne) {
    TRandomMersenne g(1);
    const double r = g.Random();
    EXPECT_EQ(r, 2258625865.0 / kTwoTo32);
    EXPECT_NEAR(r, 0.525877313921228, 1e-15);
}

TEST(RandomTest, IsExactlyTheDrawOverTwoToThe32) {
    TRandomMersenne a(99);
    TRandomMersenne b(99);
    for (int i = 0; i < 2000; ++i) {
        const double r = a.Random();
        EXPECT_EQ(r, b.BRandom() / kTwoTo32);
        ASSERT_GE(r, 0.0);
        ASSERT_LT(r, 1.0);
    }
}

TEST(IRandomTest, TenDrawsFromZeroToTwo) {
    TRandomMersenne g(1);
    const std::array<int, 10> expected = {1, 2, 1, 2, 0, 1, 2, 2, 0, 1};
    for (const int value : expected) {
        EXPECT_EQ(g.IRandom(0, 2), value);
    }
}

TEST(IRandomTest, SingleValueRangeConsumesOneDraw) {
    TRandomMersenne g(1);
    TRandomMersenne twin(1);
    EXPECT_EQ(g.IRandom(5, 5), 5);
    twin.BRandom();
    EXPECT_EQ(g.BRandom(), twin.BRandom());
}

TEST(IRandomTest, InvalidRangeReturnsMinimumIntAndConsumesOneDraw) {
    TRandomMersenne g(1);
    TRandomMersenne twin(1);
    EXPECT_EQ(g.IRandom(3, 2), INT32_MIN);
    twin.BRandom();
    EXPECT_EQ(g.BRandom(), twin.BRandom());
}

class IRandomRangeTest : public ::testing::TestWithParam<int> {};

// Every caller draws from 1 to n; each value is the integer part of draw * n / 2^32.
TEST_P(IRandomRangeTest, MapsEachDrawToItsShareOfTheRange) {
    const int n = GetParam();
    TRandomMersenne g(31);
    TRandomMersenne twin(31);
    std::vector<int> seen(static_cast<std::size_t>(n) + 1, 0);
    for (int i = 0; i < 40 * n; ++i) {
        const int value = g.IRandom(1, n);
        const auto expected =
            1 + static_cast<int>((static_cast<std::uint64_t>(twin.BRandom()) * n) >> 32);
        ASSERT_EQ(value, expected);
        ++seen[static_cast<std::size_t>(value)];
    }
    for (int value = 1; value <= n; ++value) {
        EXPECT_GT(seen[static_cast<std::size_t>(value)], 0) << "value " << value;
    }
}

INSTANTIATE_TEST_SUITE_P(CallerRanges, IRandomRangeTest,
                         ::testing::Values(1, 2, 3, 6, 13, 15, 169, 195));

} // namespace
} // namespace kupongen
