#include "web_text.h"

#include "ansi_text.h"
#include "control_table.h"
#include "dialog_template.h"
#include "texts.h"

#include <cstdint>
#include <cstdio>

namespace kupongen::web {

namespace {

// Screen-reader names of the controls whose caption names nothing.
constexpr std::string_view kRowsName = "Rader";
constexpr std::string_view kStatusName = "Status";
constexpr std::string_view kInfoName = "Slumpmetod info";
constexpr std::string_view kSignNames[kSignCount] = {"1", "X", "2"};

void AppendJsonString(std::string& out, std::string_view utf8) {
    out += '"';
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    out += '"';
}

void AppendAnsi(std::string& out, std::string_view ansi) {
    AppendJsonString(out, AnsiToUtf8(ansi));
}

std::string ScreenReaderName(int controlId) {
    if (controlId == id::kRows) {
        return std::string(kRowsName);
    }
    if (controlId == id::kStatus) {
        return std::string(kStatusName);
    }
    if (controlId == id::kInfoPanel) {
        return std::string(kInfoName);
    }
    const int sure = controlId - kFirstSureBoxId;
    if (sure >= 0 && sure < kSureBoxCount) {
        return AnsiToUtf8(text::kMatchWord) + std::to_string(sure / kSignCount + 1) + ": " +
               std::string(kSignNames[sure % kSignCount]);
    }
    return {};
}

// The dialog manager's rounding of dialog units to pixels.
int MulDiv(int number, int numerator, int denominator) {
    const std::int64_t product = std::int64_t{number} * numerator;
    const std::int64_t half = denominator / 2;
    return static_cast<int>((product >= 0 ? product + half : product - half) / denominator);
}

} // namespace

std::string ToAnsiCrLf(std::string_view utf8) {
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

std::string TemplateJson() {
    std::string out = "{\"title\":";
    AppendAnsi(out, kWindowTitle);
    out += ",\"font\":";
    AppendJsonString(out, kDialogWindow.fontFace);
    out += ",\"fontPoints\":" + std::to_string(kDialogWindow.fontPointSize);
    out += ",\"width\":" + std::to_string(kDialogWindow.width);
    out += ",\"height\":" + std::to_string(kDialogWindow.height);
    out += ",\"saveFailed\":";
    AppendAnsi(out, text::kSaveFailed);
    out += ",\"errorTitle\":";
    AppendAnsi(out, text::kErrorTitle);
    out += ",\"items\":[";
    for (std::size_t i = 0; i < kDialogItems.size(); ++i) {
        const DialogItem& item = kDialogItems[i];
        out += i == 0 ? "[" : ",[";
        for (const int number : {item.id, static_cast<int>(item.kind), item.x, item.y, item.width,
                                 item.height, static_cast<int>(item.styles)}) {
            out += std::to_string(number) + ',';
        }
        AppendAnsi(out, item.caption);
        out += ',';
        AppendJsonString(out, ScreenReaderName(item.id));
        out += ']';
    }
    out += "],\"controls\":[";
    for (std::size_t i = 0; i < kControlTable.size(); ++i) {
        out += (i == 0 ? "" : ",") + std::to_string(kControlTable[i].id);
    }
    out += "]}";
    return out;
}

std::string LayoutJson(int baseX, int baseY) {
    std::string out = "[";
    const auto rect = [&](int x, int y, int width, int height) {
        out += '[' + std::to_string(MulDiv(x, baseX, 4)) + ',' +
               std::to_string(MulDiv(y, baseY, 8)) + ',' + std::to_string(MulDiv(width, baseX, 4)) +
               ',' + std::to_string(MulDiv(height, baseY, 8)) + "],";
    };
    for (const DialogItem& item : kDialogItems) {
        rect(item.x, item.y, item.width, item.height);
    }
    rect(0, 0, kDialogWindow.width, kDialogWindow.height);
    out.back() = ']';
    return out;
}

} // namespace kupongen::web
