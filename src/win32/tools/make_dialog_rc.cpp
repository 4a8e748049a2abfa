// Writes dialog template 200 as a resource script, from the core's template
// table, so the native dialog and every other window share one layout.
// Runs on the build machine: it knows the Win32 style bits by value.
#include "dialog_template.h"

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>

namespace {

using kupongen::DialogItem;
using kupongen::ItemKind;

// Window, button, static and edit styles (winuser.h).
constexpr std::uint32_t WS_VISIBLE = 0x10000000;
constexpr std::uint32_t WS_CHILD = 0x40000000;
constexpr std::uint32_t WS_CAPTION = 0x00C00000;
constexpr std::uint32_t WS_BORDER = 0x00800000;
constexpr std::uint32_t WS_VSCROLL = 0x00200000;
constexpr std::uint32_t WS_HSCROLL = 0x00100000;
constexpr std::uint32_t WS_SYSMENU = 0x00080000;
constexpr std::uint32_t WS_GROUP = 0x00020000;
constexpr std::uint32_t WS_MINIMIZEBOX = 0x00020000;
constexpr std::uint32_t WS_TABSTOP = 0x00010000;
constexpr std::uint32_t WS_EX_NOPARENTNOTIFY = 0x00000004;
constexpr std::uint32_t DS_3DLOOK = 0x0004;
constexpr std::uint32_t DS_SETFONT = 0x0040;
constexpr std::uint32_t BS_PUSHBUTTON = 0x0;
constexpr std::uint32_t BS_AUTOCHECKBOX = 0x3;
constexpr std::uint32_t BS_GROUPBOX = 0x7;
constexpr std::uint32_t BS_AUTORADIOBUTTON = 0x9;
constexpr std::uint32_t SS_LEFT = 0x0;
constexpr std::uint32_t ES_LEFT = 0x0;
constexpr std::uint32_t ES_MULTILINE = 0x0004;
constexpr std::uint32_t ES_AUTOVSCROLL = 0x0040;
constexpr std::uint32_t ES_AUTOHSCROLL = 0x0080;
constexpr std::uint32_t ES_READONLY = 0x0800;
constexpr std::uint32_t ES_WANTRETURN = 0x1000;
constexpr int FW_NORMAL = 400;
constexpr int DEFAULT_CHARSET = 1;

std::string_view ClassOf(ItemKind kind) {
    switch (kind) {
    case ItemKind::Edit:
        return "Edit";
    case ItemKind::Label:
        return "Static";
    case ItemKind::GroupBox:
    case ItemKind::CheckBox:
    case ItemKind::RadioButton:
    case ItemKind::PushButton:
        break;
    }
    return "Button";
}

std::uint32_t StyleOf(const DialogItem& item) {
    std::uint32_t style = WS_CHILD | WS_VISIBLE;
    switch (item.kind) {
    case ItemKind::GroupBox:
        style |= BS_GROUPBOX;
        break;
    case ItemKind::CheckBox:
        style |= BS_AUTOCHECKBOX;
        break;
    case ItemKind::RadioButton:
        style |= BS_AUTORADIOBUTTON;
        break;
    case ItemKind::PushButton:
        style |= BS_PUSHBUTTON;
        break;
    case ItemKind::Label:
        style |= SS_LEFT;
        break;
    case ItemKind::Edit:
        style |= ES_LEFT;
        break;
    }
    const struct {
        kupongen::ItemStyle flag;
        std::uint32_t bits;
    } kFlags[] = {
        {kupongen::kTabStop, WS_TABSTOP},
        {kupongen::kGroupMark, WS_GROUP},
        {kupongen::kReadOnly, ES_READONLY},
        {kupongen::kMultiLine, ES_MULTILINE},
        {kupongen::kWantReturn, ES_WANTRETURN},
        {kupongen::kVerticalScrollBar, WS_VSCROLL},
        {kupongen::kHorizontalScrollBar, WS_HSCROLL},
        {kupongen::kAutoHorizontalScroll, ES_AUTOHSCROLL},
        {kupongen::kBorder, WS_BORDER},
    };
    for (const auto& flag : kFlags) {
        if (item.Has(flag.flag)) {
            style |= flag.bits;
        }
    }
    return style;
}

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
        << "STYLE "
        << Hex(WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | DS_3DLOOK | DS_SETFONT)
        << "\r\n"
        << "EXSTYLE " << Hex(WS_EX_NOPARENTNOTIFY) << "\r\n"
        << "CAPTION " << Quoted(kupongen::kWindowTitle.view()) << "\r\n"
        << "FONT " << window.fontPointSize << ", " << Quoted(window.fontFace) << ", " << FW_NORMAL
        << ", 0, " << DEFAULT_CHARSET << "\r\n"
        << "BEGIN\r\n";
    for (const DialogItem& item : kupongen::kDialogItems) {
        out << "    CONTROL " << Quoted(item.caption.view()) << ", " << item.id << ", "
            << Quoted(ClassOf(item.kind)) << ", " << Hex(StyleOf(item)) << ", " << item.x << ", "
            << item.y << ", " << item.width << ", " << item.height << ", 0x00000000\r\n";
    }
    out << "END\r\n";
    out.close();
    if (!out) {
        std::cerr << "make_dialog_rc: cannot write " << argv[1] << "\n";
        return 1;
    }
    return 0;
}
