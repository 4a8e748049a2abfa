// Writes dialog template 200 and the check window's template 210 as a resource
// script, from the template tables (src/dialog, src/rows), so the native dialog
// and every other window share one layout. Runs on the build machine, with the
// Win32 style bits by value.
#include "dialog_styles.h"

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>

namespace {

using kupongen::DialogItem;
namespace styles = kupongen::win32_styles;

// A resource-script string literal of Windows-1252 bytes.
std::string Quoted(std::string_view ansi) {
    std::string quoted = "\"";
    for (const char c : ansi) {
        if (c == '"') {
            quoted += "\"\"";
        } else if (c == '\\') {
            quoted += "\\\\";
        } else {
            quoted += c;
        }
    }
    return quoted + "\"";
}

std::string Hex(std::uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(value));
    return text;
}

void Write(std::ostream& out, const styles::NativeTemplate& dialog) {
    const auto& window = dialog.window;
    out << window.templateId << " DIALOGEX " << window.x << ", " << window.y << ", " << window.width
        << ", " << window.height << "\r\n"
        << "STYLE " << Hex(dialog.style) << "\r\n"
        << "EXSTYLE " << Hex(dialog.exStyle) << "\r\n"
        << "CAPTION " << Quoted(dialog.title) << "\r\n"
        << "FONT " << window.fontPointSize << ", " << Quoted(window.fontFace) << ", "
        << styles::kNormalWeight << ", 0, " << styles::kDefaultCharset << "\r\n"
        << "BEGIN\r\n";
    for (const DialogItem& item : dialog.items) {
        out << "    CONTROL " << Quoted(item.caption.view()) << ", " << item.id << ", "
            << Quoted(styles::ClassOf(item.kind)) << ", "
            << Hex(styles::StyleOf(item, dialog.marks)) << ", " << item.x << ", " << item.y << ", "
            << item.width << ", " << item.height << ", 0x00000000\r\n";
    }
    out << "END\r\n";
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_dialog_rc OUTPUT.rc\n";
        return 2;
    }
    std::ofstream out(argv[1], std::ios::binary);
    out << "// Generated from the dialog template tables. Do not edit.\r\n"
        << "#pragma code_page(1252)\r\n\r\n";
    Write(out, styles::kMainTemplate);
    out << "\r\n";
    Write(out, styles::kReviewTemplate);
    out.close();
    if (!out) {
        std::cerr << "make_dialog_rc: cannot write " << argv[1] << "\n";
        return 1;
    }
    return 0;
}
