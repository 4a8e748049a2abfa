// Every text the program shows or saves is Windows-1252; the conversion must
// keep every byte and never produce more than one byte per character.
#include "ansi_text.h"

#include <gtest/gtest.h>

#include <string>

namespace kupongen {
namespace {

TEST(AnsiTextTest, EveryByteRoundTrips) {
    for (int byte = 0; byte < 256; ++byte) {
        const std::string one(1, static_cast<char>(byte));
        EXPECT_EQ(Utf8ToAnsi(AnsiToUtf8(one)), one) << "byte " << byte;
    }
}

TEST(AnsiTextTest, AllBytesInOneTextRoundTrip) {
    std::string all;
    for (int byte = 0; byte < 256; ++byte) {
        all.push_back(static_cast<char>(byte));
    }
    EXPECT_EQ(Utf8ToAnsi(AnsiToUtf8(all)), all);
}

TEST(AnsiTextTest, SwedishLettersAreSingleBytes) {
    EXPECT_EQ(Utf8ToAnsi("\xC3\xA5\xC3\xA4\xC3\xB6"), "\xE5\xE4\xF6"); // åäö
    EXPECT_EQ(Utf8ToAnsi("\xC3\x85\xC3\x84\xC3\x96"), "\xC5\xC4\xD6"); // ÅÄÖ
    EXPECT_EQ(AnsiToUtf8("utf\xF6rd"), "utf\xC3\xB6rd");
}

TEST(AnsiTextTest, CodePageSpecialsMapBothWays) {
    EXPECT_EQ(Utf8ToAnsi("\xE2\x82\xAC"), "\x80"); // euro sign
    EXPECT_EQ(Utf8ToAnsi("\xE2\x80\x9C"), "\x93"); // left double quote
    EXPECT_EQ(Utf8ToAnsi("\xC5\xB8"), "\x9F");     // Y with diaeresis
    EXPECT_EQ(AnsiToUtf8("\x80"), "\xE2\x82\xAC");
    EXPECT_EQ(AnsiToUtf8("\x99"), "\xE2\x84\xA2"); // trade mark
}

TEST(AnsiTextTest, UnrepresentableCharactersBecomeQuestionMarks) {
    EXPECT_EQ(Utf8ToAnsi("a\xC4\x80z"), "a?z");              // U+0100
    EXPECT_EQ(Utf8ToAnsi("\xE2\x82\xAD"), "?");              // U+20AD, beside the euro
    EXPECT_EQ(Utf8ToAnsi("\xE4\xB8\xAD\xE6\x96\x87"), "??"); // two CJK characters
    EXPECT_EQ(Utf8ToAnsi("\xF0\x9F\x98\x80!"), "?!");        // one emoji, one mark
}

TEST(AnsiTextTest, MalformedSequencesBecomeQuestionMarks) {
    EXPECT_EQ(Utf8ToAnsi("\xFF"), "?");
    EXPECT_EQ(Utf8ToAnsi("a\xC3"), "a?"); // cut off at the end
    EXPECT_EQ(Utf8ToAnsi("\xC3(b"), "?(b");
}

TEST(AnsiTextTest, CompileTimeLiteralsMatchRunTimeConversion) {
    constexpr auto text = Ansi(u8"Säker match slumpad.");
    EXPECT_EQ(text.view(), "S\xE4ker match slumpad.");
    EXPECT_EQ(text.size, 20u);
    EXPECT_EQ(text.c_str()[text.size], '\0');
}

} // namespace
} // namespace kupongen
