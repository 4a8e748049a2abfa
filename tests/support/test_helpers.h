// Helpers tests of every kind share: Windows-1252 bytes written as readable
// UTF-8, a file's bytes, and the lines of a CR LF text.
#pragma once

#include "ansi_text.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace kupongen::testing {

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
