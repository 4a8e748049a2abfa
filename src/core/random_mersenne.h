// Mersenne twister with the MT11213A parameters, seeded by its own linear
// recurrence. The exact sequence matters: the same seed and clicks must give
// the same rows on every platform.
#pragma once

#include <array>
#include <cstdint>

namespace kupongen {

class TRandomMersenne {
public:
    explicit TRandomMersenne(std::int32_t seed) { RandomInit(seed); }

    void RandomInit(std::int32_t seed);
    std::uint32_t BRandom();
    double Random();
    std::int32_t IRandom(std::int32_t min, std::int32_t max);

    // The raw state, for tests of the seeding recurrence.
    const std::array<std::uint32_t, 351>& State() const { return mt_; }

private:
    void Regenerate();

    std::array<std::uint32_t, 351> mt_{};
    std::uint32_t index_ = 351;
};

// Seeded once before anything else runs, from the clock and the system's
// entropy, so that no two starts share their rows; never reseeded, except by
// kupongen-headless --seed, which replays a chosen seed.
extern std::int32_t seed;
extern TRandomMersenne rg;

} // namespace kupongen
