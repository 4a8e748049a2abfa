#include "random_mersenne.h"

#include <bit>
#include <chrono>
#include <cstring>
#include <exception>
#include <random>

namespace kupongen {

namespace {
constexpr std::uint32_t kN = 351;
constexpr std::uint32_t kM = 175;
constexpr std::uint32_t kUpperMask = 0xFFF80000u;
constexpr std::uint32_t kLowerMask = 0x0007FFFFu;
constexpr std::uint32_t kMatrixA = 0xE4BD75F5u;
constexpr std::uint32_t kSeedMultiplier = 29943829u;

constexpr std::uint32_t Twist(std::uint32_t y) {
    return (y >> 1) ^ ((y & 1u) ? kMatrixA : 0u);
}
} // namespace

namespace {
// The clock in seconds gives two starts in the same second, on one machine or
// on two players', the same rows; its full resolution mixed with the system's
// entropy does not.
std::int32_t StartSeed() {
    const auto ticks =
        static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
    std::seed_seq::result_type entropy[2] = {};
    try {
        std::random_device device;
        entropy[0] = device();
        entropy[1] = device();
    } catch (const std::exception&) {
        // No entropy source: the clock still tells starts apart.
    }
    std::seed_seq mix{static_cast<std::uint32_t>(ticks), static_cast<std::uint32_t>(ticks >> 32),
                      entropy[0], entropy[1]};
    std::uint32_t mixed = 0;
    mix.generate(&mixed, &mixed + 1);
    return static_cast<std::int32_t>(mixed);
}
} // namespace

std::int32_t seed = StartSeed();
TRandomMersenne rg(seed);

void TRandomMersenne::RandomInit(std::int32_t seedValue) {
    auto s = static_cast<std::uint32_t>(seedValue);
    for (auto& word : mt_) {
        s = s * kSeedMultiplier - 1u;
        word = s;
    }
    index_ = kN;
}

void TRandomMersenne::Regenerate() {
    // In place, in increasing order: from k = 176 on, mt[k + M - N] is already new.
    for (std::uint32_t k = 0; k < kN - 1; ++k) {
        const std::uint32_t y = (mt_[k] & kUpperMask) | (mt_[k + 1] & kLowerMask);
        mt_[k] = mt_[(k + kM) % kN] ^ Twist(y);
    }
    const std::uint32_t y = (mt_[kN - 1] & kUpperMask) | (mt_[0] & kLowerMask);
    mt_[kN - 1] = mt_[kM - 1] ^ Twist(y);
    index_ = 0;
}

std::uint32_t TRandomMersenne::BRandom() {
    if (index_ >= kN) {
        Regenerate();
    }
    std::uint32_t y = mt_[index_++];
    y ^= y >> 11;
    y ^= (y << 7) & 0x655E5280u;
    y ^= (y << 15) & 0xFFD58000u;
    y ^= y >> 17;
    return y;
}

double TRandomMersenne::Random() {
    // Fill the mantissa of a double in [1, 2) with the 32 bits, then drop the 1.
    const std::uint32_t r = BRandom();
    const std::uint64_t bits =
        (std::uint64_t{0x3FF00000u | (r >> 12)} << 32) | std::uint32_t(r << 20);
#if defined(__cpp_lib_bit_cast)
    return std::bit_cast<double>(bits) - 1.0;
#else
    // Older standard libraries (emscripten's) lack bit_cast.
    double value = 0.0;
    std::memcpy(&value, &bits, sizeof value);
    return value - 1.0;
#endif
}

std::int32_t TRandomMersenne::IRandom(std::int32_t min, std::int32_t max) {
    const double r = Random();
    if (max < min) {
        return INT32_MIN;
    }
    // The span wraps like the 32-bit arithmetic it was written in.
    const auto span = static_cast<std::int32_t>(static_cast<std::uint32_t>(max) -
                                                static_cast<std::uint32_t>(min) + 1u);
    const auto offset = static_cast<std::int32_t>(r * span);
    const auto value = static_cast<std::int32_t>(static_cast<std::uint32_t>(min) +
                                                 static_cast<std::uint32_t>(offset));
    return value > max ? max : value;
}

} // namespace kupongen
