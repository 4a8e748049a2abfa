#include "web_text.h"

#include "ansi_text.h"
#include "control_table.h"
#include "dialog_outline.h"
#include "dialog_template.h"
#include "dialog_units.h"
#include "texts.h"

#include <cstdio>

namespace kupongen::web {

namespace {

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

} // namespace

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
        AppendAnsi(out, ScreenReaderName(item.id).value_or(""));
        out += ']';
    }
    out += "],\"controls\":[";
    for (std::size_t i = 0; i < kControlTable.size(); ++i) {
        out += (i == 0 ? "" : ",") + std::to_string(kControlTable[i].id);
    }
    out += "]}";
    return out;
}

std::string LayoutJson(int widthOf52Letters, int height) {
    const DialogUnits units(BaseUnits::FromLetters(widthOf52Letters, height));
    std::string out = "[";
    const auto append = [&out](const PixelRect& rect) {
        out += '[' + std::to_string(rect.x) + ',' + std::to_string(rect.y) + ',' +
               std::to_string(rect.width) + ',' + std::to_string(rect.height) + "],";
    };
    for (const DialogItem& item : kDialogItems) {
        append(units.Rect(item));
    }
    const PixelRect window = units.Window();
    append({0, 0, window.width, window.height});
    out.back() = ']';
    return out;
}

} // namespace kupongen::web
