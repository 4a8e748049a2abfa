// The generator must reproduce the MT11213A sequence exactly: the same seed
// and clicks give the same rows everywhere.
#include "random_mersenne.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace kupongen {
namespace {

TEST(RandomMersenneTest, SeedingRecurrence) {
    const TRandomMersenne one(1);
    EXPECT_EQ(one.State()[0], 29943828u);
    EXPECT_EQ(one.State()[1], 2607622563u);
    EXPECT_EQ(one.State()[350], 3010698202u);
    const TRandomMersenne zero(0);
    EXPECT_EQ(zero.State()[0], 4294967295u);
    EXPECT_EQ(zero.State()[1], 4265023466u);
}

TEST(RandomMersenneTest, FirstFiveBitsOfSeedsOneAndZero) {
    TRandomMersenne one(1);
    TRandomMersenne zero(0);
    for (const std::uint32_t v : {2258625865u, 4233392635u, 1874677523u, 4178400341u, 541030912u}) {
        EXPECT_EQ(one.BRandom(), v);
    }
    for (const std::uint32_t v : {181098056u, 2693552888u, 1109610203u, 1074585042u, 4073715843u}) {
        EXPECT_EQ(zero.BRandom(), v);
    }
    zero.RandomInit(1); // reseeding restarts the sequence
    EXPECT_EQ(zero.BRandom(), 2258625865u);
}

TEST(RandomMersenneTest, KeepsGoingAcrossRegenerations) {
    // Draws 351 and 702 (from 0) are the first of a regenerated state.
    TRandomMersenne g(1);
    std::vector<std::uint32_t> v;
    for (int i = 0; i < 1054; ++i) {
        v.push_back(g.BRandom());
    }
    EXPECT_EQ(v[350], 2729715705u);
    EXPECT_EQ(v[351], 1102588024u);
    EXPECT_EQ(v[352], 2166859214u);
    EXPECT_EQ(v[701], 3966832428u);
    EXPECT_EQ(v[702], 4022839251u);
    EXPECT_EQ(v[1053], 3123690932u);
}

TEST(RandomMersenneTest, RandomIsTheDrawOverTwoToThe32) {
    TRandomMersenne g(1);
    TRandomMersenne twin(1);
    EXPECT_NEAR(g.Random(), 0.525877313921228, 1e-15);
    twin.BRandom();
    for (int i = 0; i < 2000; ++i) {
        ASSERT_EQ(g.Random(), twin.BRandom() / 4294967296.0);
    }
}

TEST(RandomMersenneTest, IRandomValuesAndDrawsTaken) {
    TRandomMersenne g(1);
    for (const int v : {1, 2, 1, 2, 0, 1, 2, 2, 0, 1}) {
        EXPECT_EQ(g.IRandom(0, 2), v);
    }
    TRandomMersenne twin = g;
    EXPECT_EQ(g.IRandom(5, 5), 5);
    EXPECT_EQ(g.IRandom(3, 2), INT32_MIN);
    twin.BRandom();
    twin.BRandom();
    EXPECT_EQ(g.BRandom(), twin.BRandom()) << "each call takes one draw";
}

// Every caller draws from 1 to n: the value is 1 + draw * n / 2^32, rounded down.
TEST(RandomMersenneTest, IRandomMapsDrawsOntoTheCallersRanges) {
    for (const int n : {1, 2, 6, 13, 15, 169, 195}) {
        TRandomMersenne g(31);
        TRandomMersenne twin(31);
        std::vector<int> seen(static_cast<std::size_t>(n) + 1);
        for (int i = 0; i < 40 * n; ++i) {
            const int v = g.IRandom(1, n);
            ASSERT_EQ(v, 1 + static_cast<int>((std::uint64_t{twin.BRandom()} * n) >> 32));
            ++seen[static_cast<std::size_t>(v)];
        }
        for (int v = 1; v <= n; ++v) {
            EXPECT_GT(seen[static_cast<std::size_t>(v)], 0) << v << " of " << n;
        }
    }
}

} // namespace
} // namespace kupongen
