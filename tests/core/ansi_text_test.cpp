// Every text the program shows or saves is Windows-1252; the conversion must
// keep every byte and give one byte per character.
#include "ansi_text.h"

#include <gtest/gtest.h>

#include <string>

namespace kupongen {
namespace {

TEST(AnsiTextTest, EveryByteRoundTrips) {
    std::string all;
    for (int byte = 0; byte < 256; ++byte) {
        const std::string one(1, static_cast<char>(byte));
        EXPECT_EQ(Utf8ToAnsi(AnsiToUtf8(one)), one) << byte;
        all += one;
    }
    EXPECT_EQ(Utf8ToAnsi(AnsiToUtf8(all)), all);
}

TEST(AnsiTextTest, CodePageTable) {
    EXPECT_EQ(Utf8ToAnsi("\xC3\xA5\xC3\xA4\xC3\xB6"), "\xE5\xE4\xF6"); // å ä ö
    EXPECT_EQ(AnsiToUtf8("\xC5\xC4\xD6"), "\xC3\x85\xC3\x84\xC3\x96");
    // 0x80 to 0x9F; the five bytes the code page leaves free stand for themselves.
    const char32_t high[32] = {0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                               0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x8D,   0x017D, 0x8F,
                               0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                               0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};
    for (int i = 0; i < 32; ++i) {
        EXPECT_EQ(AnsiToCodePoint(static_cast<unsigned char>(0x80 + i)), high[i]) << i;
        EXPECT_EQ(CodePointToAnsi(high[i]), 0x80 + i) << i;
    }
}

TEST(AnsiTextTest, WhatTheCodePageCannotHoldBecomesAQuestionMark) {
    EXPECT_EQ(Utf8ToAnsi("a\xC4\x80z"), "a?z");        // U+0100
    EXPECT_EQ(Utf8ToAnsi("\xE2\x82\xAD"), "?");        // U+20AD, beside the euro
    EXPECT_EQ(Utf8ToAnsi("\xF0\x9F\x98\x80!"), "?!");  // one emoji, one character
    EXPECT_EQ(Utf8ToAnsi("\xFF\xC3(b\xC3"), "?\?(b?"); // malformed and cut off
    EXPECT_EQ(Ansi(u8"utförd").view(), "utf\xF6rd");   // literals at compile time
}

} // namespace
} // namespace kupongen
