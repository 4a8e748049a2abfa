// Windows-1252 ("ANSI") text: every text the program shows or saves is 8-bit
// Windows-1252, while the sources are UTF-8. The tables here convert both ways,
// at compile time for the program's own literals and at run time for user input.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace kupongen {

// Unicode code point of every Windows-1252 byte. The five bytes Windows leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 control of the same
// value, as Windows' own conversion does, so every byte survives a round trip.
inline constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr char32_t AnsiToCodePoint(unsigned char byte) {
    if (byte >= 0x80 && byte < 0xA0) {
        return kCp1252High[byte - 0x80];
    }
    return byte;
}

// The Windows-1252 byte for a code point, or -1 where the code page has none.
constexpr int CodePointToAnsi(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
        return static_cast<int>(cp);
    }
    for (std::size_t i = 0; i < kCp1252High.size(); ++i) {
        if (kCp1252High[i] == cp) {
            return static_cast<int>(0x80 + i);
        }
    }
    return -1;
}

// Decodes one UTF-8 sequence starting at text[pos]; advances pos. Returns
// U+FFFD for a malformed sequence (one byte consumed).
constexpr char32_t DecodeUtf8(std::u8string_view text, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    int extra = 0;
    char32_t cp = 0;
    if (lead < 0x80) {
        ++pos;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        cp = lead & 0x07;
    } else {
        ++pos;
        return 0xFFFD;
    }
    if (pos + static_cast<std::size_t>(extra) >= text.size()) {
        ++pos;
        return 0xFFFD;
    }
    for (int i = 1; i <= extra; ++i) {
        const auto next = static_cast<unsigned char>(text[pos + static_cast<std::size_t>(i)]);
        if ((next & 0xC0) != 0x80) {
            ++pos;
            return 0xFFFD;
        }
        cp = (cp << 6) | (next & 0x3F);
    }
    pos += static_cast<std::size_t>(extra) + 1;
    return cp;
}

// UTF-8 to Windows-1252; characters the code page cannot hold become '?'.
std::string Utf8ToAnsi(std::string_view utf8);

// Typed text as the rows window hands it over: every line break (CR, LF,
// CR LF, U+2028, U+2029) becomes CR LF, then the text becomes Windows-1252.
std::string Utf8ToAnsiCrLf(std::string_view utf8);

// Windows-1252 to UTF-8, every byte kept.
std::string AnsiToUtf8(std::string_view ansi);

// A Windows-1252 literal made at compile time from a UTF-8 literal, so the
// sources stay readable ("utförd") and the bytes are exact ("utf\xF6rd").
template <std::size_t Capacity> struct AnsiText {
    char bytes[Capacity]{};
    std::size_t size = 0;

    constexpr std::string_view view() const { return {bytes, size}; }
    constexpr const char* c_str() const { return bytes; }
    constexpr operator std::string_view() const { return view(); }
};

// Capacity defaults to the literal's own size, which always suffices because a
// UTF-8 text is never shorter than its Windows-1252 form.
template <std::size_t Capacity = 0, std::size_t N> consteval auto Ansi(const char8_t (&utf8)[N]) {
    constexpr std::size_t kCapacity = Capacity == 0 ? N : Capacity;
    static_assert(kCapacity >= N, "capacity too small for the literal");
    AnsiText<kCapacity> result;
    const std::u8string_view text(utf8, N - 1);
    std::size_t pos = 0;
    while (pos < text.size()) {
        const int byte = CodePointToAnsi(DecodeUtf8(text, pos));
        if (byte < 0) {
            throw "literal holds a character that Windows-1252 cannot hold";
        }
        result.bytes[result.size++] = static_cast<char>(byte);
    }
    return result;
}

// Joins two literals at compile time (the title and the instructions both
// carry the author's address, which is defined once).
template <std::size_t A, std::size_t B>
consteval AnsiText<A + B> operator+(const AnsiText<A>& left, const AnsiText<B>& right) {
    AnsiText<A + B> result;
    for (std::size_t i = 0; i < left.size; ++i) {
        result.bytes[result.size++] = left.bytes[i];
    }
    for (std::size_t i = 0; i < right.size; ++i) {
        result.bytes[result.size++] = right.bytes[i];
    }
    return result;
}

} // namespace kupongen
