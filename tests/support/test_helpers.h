// What tests of every kind share: the Windows-1252 code page written out, its
// bytes as readable UTF-8 literals, a file's bytes, the lines of a CR LF text.
#pragma once

#include "ansi_text.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace kupongen::testing {

// The character of every Windows-1252 byte, 0x00 first, written out here so
// that no test compares the program's own table with itself; each line holds
// the next 16 or 32 bytes. The five bytes the code page leaves undefined
// stand for the C1 controls of their values.
inline constexpr char16_t kWindows1252[] =
    u"\x00\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0A\x0B\x0C\x0D\x0E\x0F"
    u"\x10\x11\x12\x13\x14\x15\x16\x17\x18\x19\x1A\x1B\x1C\x1D\x1E\x1F"
    u" !\"#$%&'()*+,-./0123456789:;<=>?"
    u"@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_"
    u"`abcdefghijklmnopqrstuvwxyz{|}~\x7F"
    u"\u20AC\x81\u201A\u0192\u201E\u2026\u2020\u2021\u02C6\u2030\u0160\u2039\u0152\x8D\u017D\x8F"
    u"\x90\u2018\u2019\u201C\u201D\u2022\u2013\u2014\u02DC\u2122\u0161\u203A\u0153\x9D\u017E\u0178"
    u"\xA0¡¢£¤¥¦§¨©ª«¬\xAD®¯°±²³´µ¶·¸¹º»¼½¾¿"
    u"ÀÁÂÃÄÅÆÇÈÉÊËÌÍÎÏÐÑÒÓÔÕÖ×ØÙÚÛÜÝÞß"
    u"àáâãäåæçèéêëìíîïðñòóôõö÷øùúûüýþÿ";
static_assert(std::size(kWindows1252) == 256 + 1);

// Windows-1252 bytes of a UTF-8 literal, so expectations stay readable.
inline std::string A(std::u8string_view utf8) {
    return Utf8ToAnsi({reinterpret_cast<const char*>(utf8.data()), utf8.size()});
}

// Every byte of a file; nothing when it cannot be read.
inline std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// The lines of a text whose lines end in CR LF; the part after the last CR LF
// is a line too, empty when the text ends with one.
inline std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find("\r\n", start);
        lines.emplace_back(text.substr(start, end - start));
        if (end == std::string_view::npos) {
            return lines;
        }
        start = end + 2;
    }
}

} // namespace kupongen::testing
