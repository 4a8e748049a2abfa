// The generation state: plain globals that the option handlers set and the
// generators read, the statistics tables, the rows text buffer and the sign
// draw.
#pragma once

#include "control_table.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace kupongen {

extern std::int32_t Rader;
extern std::int32_t antal_enkelrader;
extern std::int32_t antal_halvgarderingar;
extern std::int32_t antal_helgarderingar;
extern std::int32_t antal_enkeltecken;
extern std::int32_t antalsakra;
extern std::int32_t sakra;
extern std::int32_t ir;

// Cumulative counts of 1, 1+X and all results, English then Swedish matches.
inline constexpr std::int32_t tot_tecken = 195;
inline constexpr std::int32_t tot_ettor = 91;
inline constexpr std::int32_t tot_kryss = 142;
inline constexpr std::int32_t tot_tvaor = 195;
inline constexpr std::int32_t tot_teckens = 169;
inline constexpr std::int32_t tot_ettors = 66;
inline constexpr std::int32_t tot_krysss = 105;
inline constexpr std::int32_t tot_tvaors = 169;

// The rows text: one zero-terminated Windows-1252 text. Its length is kept
// beside it so that appending a row costs the row, not a scan of the text.
inline constexpr std::size_t kTestCapacity = 254560;
extern char test[kTestCapacity];

std::size_t TestLength();
std::string_view TestText();
void TestCopy(std::string_view text);
// Never writes past the buffer: callers check the room first (TestFits).
void TestAppend(std::string_view text);
bool TestFits(std::size_t length);

enum class DrawMethod { Classic, England, Sverige };

// The sign a drawn value ir stands for under a draw method.
constexpr Sign SignOfDraw(DrawMethod method, std::int32_t value) {
    switch (method) {
    case DrawMethod::England:
        return value <= tot_ettor ? Sign::One : value <= tot_kryss ? Sign::Cross : Sign::Two;
    case DrawMethod::Sverige:
        return value <= tot_ettors ? Sign::One : value <= tot_krysss ? Sign::Cross : Sign::Two;
    case DrawMethod::Classic:
        break;
    }
    return value <= 3 ? Sign::One : value == 4 ? Sign::Cross : Sign::Two;
}

constexpr std::int32_t DrawRange(DrawMethod method) {
    switch (method) {
    case DrawMethod::England:
        return tot_tecken;
    case DrawMethod::Sverige:
        return tot_teckens;
    case DrawMethod::Classic:
        break;
    }
    return 6;
}

// One draw of rg by the method, stored in ir.
Sign DrawSign(DrawMethod method);

// Draws rg's next value in 1..max and keeps it in ir, as every draw does.
std::int32_t DrawValue(std::int32_t max);

} // namespace kupongen
