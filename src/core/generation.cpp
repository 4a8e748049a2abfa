#include "generation.h"

#include "random_mersenne.h"

#include <algorithm>
#include <cstring>

namespace kupongen {

std::int32_t Rader = 0;
std::int32_t antal_enkelrader = 1;
std::int32_t antal_halvgarderingar = 0;
std::int32_t antal_helgarderingar = 0;
std::int32_t antal_enkeltecken = 0;
std::int32_t antalsakra = 0;
std::int32_t sakra = 0;
std::int32_t ir = 0;

char test[kTestCapacity];

namespace {
std::size_t testLength = 0;
} // namespace

std::size_t TestLength() {
    return testLength;
}

std::string_view TestText() {
    return {test, testLength};
}

bool TestFits(std::size_t length) {
    return length < kTestCapacity;
}

void TestCopy(std::string_view text) {
    testLength = 0;
    TestAppend(text);
}

void TestAppend(std::string_view text) {
    const std::size_t room = kTestCapacity - 1 - testLength;
    const std::size_t count = std::min(text.size(), room);
    std::memcpy(test + testLength, text.data(), count);
    testLength += count;
    test[testLength] = '\0';
}

std::int32_t DrawValue(std::int32_t max) {
    ir = rg.IRandom(1, max);
    return ir;
}

Sign DrawSign(DrawMethod method) {
    return SignOfDraw(method, DrawValue(DrawRange(method)));
}

} // namespace kupongen
