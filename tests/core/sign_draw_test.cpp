// The sign draw: which value of each range gives which sign, and that every
// draw takes exactly one value of the generator and leaves it in ir.
#include "test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace kupongen {
namespace {

constexpr DrawMethod kMethods[] = {DrawMethod::England, DrawMethod::Sverige, DrawMethod::Classic};

char SignChar(Sign sign) {
    return "1X2"[static_cast<int>(sign)];
}

// The sign of every value of a method's range, as one string.
std::string SignsOfRange(DrawMethod method) {
    std::string signs;
    for (int value = 1; value <= DrawRange(method); ++value) {
        signs.push_back(SignChar(SignOfDraw(method, value)));
    }
    return signs;
}

TEST(SignDrawTest, RangesAndThresholds) {
    EXPECT_EQ(SignsOfRange(DrawMethod::England),
              std::string(91, '1') + std::string(51, 'X') + std::string(53, '2'));
    EXPECT_EQ(SignsOfRange(DrawMethod::Sverige),
              std::string(66, '1') + std::string(39, 'X') + std::string(64, '2'));
    EXPECT_EQ(SignsOfRange(DrawMethod::Classic), "111X22");
}

TEST(SignDrawTest, OneDrawPerSignKeptInIr) {
    for (const DrawMethod method : kMethods) {
        rg.RandomInit(5);
        TRandomMersenne twin(5);
        for (int i = 0; i < 2000; ++i) {
            TRandomMersenne copy = twin;
            ASSERT_EQ(SignChar(DrawSign(method)), testing::OracleSign(twin, method));
            ASSERT_EQ(ir, copy.IRandom(1, DrawRange(method)));
        }
    }
}

} // namespace
} // namespace kupongen
