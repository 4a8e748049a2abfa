// Words the rows module's reports share (Windows-1252). Internal to the
// module: front ends show whole texts, never these pieces.
#pragma once

#include "ansi_text.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kupongen::rows::words {

inline constexpr std::string_view kLineEnd = "\r\n";

// A Windows-1252 literal (Ansi(u8"…")) as a string to build on.
template <std::size_t N> std::string Str(const AnsiText<N>& text) {
    return std::string(text.view());
}

// How many items a report lists before it says how many more there are.
inline constexpr std::size_t kListed = 50;

// A number as Swedish prints an amount: "59 049", "1 594 323".
inline std::string Amount(std::uint64_t n) {
    std::string digits = std::to_string(n);
    for (std::size_t at = digits.size(); at > 3; at -= 3) {
        digits.insert(at - 3, 1, ' ');
    }
    return digits;
}

// "1 rad", "72 rader".
inline std::string Rows(std::uint64_t n) {
    return Amount(n) + (n == 1 ? " rad" : " rader");
}

// "… och 950 till." after a list cut short.
inline std::string More(std::uint64_t n) {
    return std::string(Ansi(u8"… och ").view()) + Amount(n) + " till.";
}

// A byte as a report names it: "'Y'" when it shows as itself, else by its code
// ("tecken med koden 27"), so no report holds a control character.
inline std::string Byte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    const bool undefined =
        byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D;
    const bool shows =
        (byte >= 0x21 && byte <= 0x7E) || (byte >= 0x80 && byte != 0xA0 && !undefined);
    if (!shows) {
        return "tecken med koden " + std::to_string(byte);
    }
    std::string quoted = "'";
    quoted += c;
    return quoted += '\'';
}

} // namespace kupongen::rows::words
