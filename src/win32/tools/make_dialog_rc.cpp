// Writes dialog template 200 as a resource script, from the template table
// (src/dialog), so the native dialog and every other window share one layout.
// Runs on the build machine, with the Win32 style bits by value.
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

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_dialog_rc OUTPUT.rc\n";
        return 2;
    }
    std::ofstream out(argv[1], std::ios::binary);
    const auto& window = kupongen::kDialogWindow;
    out << "// Generated from the dialog template table. Do not edit.\r\n"
        << "#pragma code_page(1252)\r\n\r\n"
        << window.templateId << " DIALOGEX " << window.x << ", " << window.y << ", " << window.width
        << ", " << window.height << "\r\n"
        << "STYLE " << Hex(styles::kDialogStyle) << "\r\n"
        << "EXSTYLE " << Hex(styles::kDialogExStyle) << "\r\n"
        << "CAPTION " << Quoted(kupongen::kWindowTitle.view()) << "\r\n"
        << "FONT " << window.fontPointSize << ", " << Quoted(window.fontFace) << ", "
        << styles::kNormalWeight << ", 0, " << styles::kDefaultCharset << "\r\n"
        << "BEGIN\r\n";
    for (const DialogItem& item : kupongen::kDialogItems) {
        out << "    CONTROL " << Quoted(item.caption.view()) << ", " << item.id << ", "
            << Quoted(styles::ClassOf(item.kind)) << ", " << Hex(styles::StyleOf(item)) << ", "
            << item.x << ", " << item.y << ", " << item.width << ", " << item.height
            << ", 0x00000000\r\n";
    }
    out << "END\r\n";
    out.close();
    if (!out) {
        std::cerr << "make_dialog_rc: cannot write " << argv[1] << "\n";
        return 1;
    }
    return 0;
}
