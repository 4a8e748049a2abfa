// Every text the program shows or saves is Windows-1252; the conversion must
// keep every byte and give one byte per character.
#include "ansi_text.h"
#include "test_helpers.h"

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
    for (int byte = 0; byte < 256; ++byte) {
        const char32_t character = testing::kWindows1252[byte];
        EXPECT_EQ(AnsiToCodePoint(static_cast<unsigned char>(byte)), character) << byte;
        EXPECT_EQ(CodePointToAnsi(character), byte) << byte;
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
