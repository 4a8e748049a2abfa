#include "ansi_text.h"

namespace kupongen {

std::string Utf8ToAnsi(std::string_view utf8) {
    const std::u8string_view text(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size());
    std::string result;
    result.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        const int byte = CodePointToAnsi(DecodeUtf8(text, pos));
        result.push_back(byte < 0 ? '?' : static_cast<char>(byte));
    }
    return result;
}

std::string AnsiToUtf8(std::string_view ansi) {
    std::string result;
    result.reserve(ansi.size() + ansi.size() / 8);
    for (const char c : ansi) {
        const char32_t cp = AnsiToCodePoint(static_cast<unsigned char>(c));
        if (cp < 0x80) {
            result.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            result.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            result.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            result.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            result.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            result.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return result;
}

std::string Utf8ToAnsiCrLf(std::string_view utf8) {
    std::string crlf;
    crlf.reserve(utf8.size() + utf8.size() / 16);
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const char c = utf8[i];
        if (c == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n') {
            continue; // the '\n' brings the whole pair
        }
        // U+2028 and U+2029, the line and paragraph separators.
        const bool separator = c == '\xE2' && i + 2 < utf8.size() && utf8[i + 1] == '\x80' &&
                               (utf8[i + 2] == '\xA8' || utf8[i + 2] == '\xA9');
        if (c == '\r' || c == '\n' || separator) {
            crlf += "\r\n";
            i += separator ? 2 : 0;
        } else {
            crlf += c;
        }
    }
    return Utf8ToAnsi(crlf);
}

} // namespace kupongen
