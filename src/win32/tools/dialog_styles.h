// The Win32 class and style bits of each template item, by value, and the two
// dialog templates as the resource script holds them: the template generator
// runs on the build machine, which has no windows.h. The native checks
// compare every value here with the system's own.
#pragma once

#include "dialog_template.h"
#include "review_window.h"

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace kupongen::win32_styles {

// Window, button, static and edit styles (winuser.h).
inline constexpr std::uint32_t kPopup = 0x80000000;       // WS_POPUP
inline constexpr std::uint32_t kVisible = 0x10000000;     // WS_VISIBLE
inline constexpr std::uint32_t kChild = 0x40000000;       // WS_CHILD
inline constexpr std::uint32_t kCaption = 0x00C00000;     // WS_CAPTION
inline constexpr std::uint32_t kBorder = 0x00800000;      // WS_BORDER
inline constexpr std::uint32_t kVScroll = 0x00200000;     // WS_VSCROLL
inline constexpr std::uint32_t kHScroll = 0x00100000;     // WS_HSCROLL
inline constexpr std::uint32_t kSysMenu = 0x00080000;     // WS_SYSMENU
inline constexpr std::uint32_t kGroup = 0x00020000;       // WS_GROUP
inline constexpr std::uint32_t kMinimizeBox = 0x00020000; // WS_MINIMIZEBOX
inline constexpr std::uint32_t kTabStop = 0x00010000;     // WS_TABSTOP
inline constexpr std::uint32_t kNoParentNotify = 0x0004;  // WS_EX_NOPARENTNOTIFY
inline constexpr std::uint32_t k3dLook = 0x0004;          // DS_3DLOOK
inline constexpr std::uint32_t kSetFont = 0x0040;         // DS_SETFONT
inline constexpr std::uint32_t kModalFrame = 0x0080;      // DS_MODALFRAME
inline constexpr std::uint32_t kPushButton = 0x0;         // BS_PUSHBUTTON
inline constexpr std::uint32_t kCheckBox = 0x2;           // BS_CHECKBOX
inline constexpr std::uint32_t kAutoCheckBox = 0x3;       // BS_AUTOCHECKBOX
inline constexpr std::uint32_t kGroupBox = 0x7;           // BS_GROUPBOX
inline constexpr std::uint32_t kAutoRadioButton = 0x9;    // BS_AUTORADIOBUTTON
inline constexpr std::uint32_t kStaticLeft = 0x0;         // SS_LEFT
inline constexpr std::uint32_t kEditLeft = 0x0;           // ES_LEFT
inline constexpr std::uint32_t kMultiLine = 0x0004;       // ES_MULTILINE
inline constexpr std::uint32_t kAutoHScroll = 0x0080;     // ES_AUTOHSCROLL
inline constexpr std::uint32_t kReadOnly = 0x0800;        // ES_READONLY
inline constexpr std::uint32_t kWantReturn = 0x1000;      // ES_WANTRETURN
inline constexpr int kNormalWeight = 400;                 // FW_NORMAL
inline constexpr int kDefaultCharset = 1;                 // DEFAULT_CHARSET

// The dialog window itself.
inline constexpr std::uint32_t kDialogStyle =
    kVisible | kCaption | kSysMenu | kMinimizeBox | k3dLook | kSetFont;
inline constexpr std::uint32_t kDialogExStyle = kNoParentNotify;

// The check window: a dialog frame owned by the main dialog, shown once its
// texts are in.
inline constexpr std::uint32_t kReviewStyle =
    kPopup | kCaption | kSysMenu | kModalFrame | k3dLook | kSetFont;
inline constexpr std::uint32_t kReviewExStyle = kNoParentNotify;

// Whose check boxes mark themselves on a click: the main dialog's do, the
// check window's sign boxes are marked from the review.
enum class Marks { Automatic, Program };

constexpr std::string_view ClassOf(ItemKind kind) {
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

constexpr std::uint32_t StyleOf(const DialogItem& item, Marks marks = Marks::Automatic) {
    std::uint32_t style = kChild | kVisible;
    switch (item.kind) {
    case ItemKind::GroupBox:
        style |= kGroupBox;
        break;
    case ItemKind::CheckBox:
        style |= marks == Marks::Automatic ? kAutoCheckBox : kCheckBox;
        break;
    case ItemKind::RadioButton:
        style |= kAutoRadioButton;
        break;
    case ItemKind::PushButton:
        style |= kPushButton;
        break;
    case ItemKind::Label:
        style |= kStaticLeft;
        break;
    case ItemKind::Edit:
        style |= kEditLeft;
        break;
    }
    const struct {
        ItemStyle flag;
        std::uint32_t bits;
    } kFlags[] = {
        {ItemStyle::kTabStop, kTabStop},
        {ItemStyle::kGroupMark, kGroup},
        {ItemStyle::kReadOnly, kReadOnly},
        {ItemStyle::kMultiLine, kMultiLine},
        {ItemStyle::kWantReturn, kWantReturn},
        {ItemStyle::kVerticalScrollBar, kVScroll},
        {ItemStyle::kHorizontalScrollBar, kHScroll},
        {ItemStyle::kAutoHorizontalScroll, kAutoHScroll},
        {ItemStyle::kBorder, kBorder},
    };
    for (const auto& flag : kFlags) {
        if (item.Has(flag.flag)) {
            style |= flag.bits;
        }
    }
    return style;
}

// The check window's items as the native dialog has them: the bar chart is a
// read-only text of its counts, which the dialog manager can tab to and a
// screen reader reads.
inline const std::array<DialogItem, rows::kReviewItemCount> kNativeReviewItems = [] {
    std::array<DialogItem, rows::kReviewItemCount> items = rows::kReviewItems;
    for (DialogItem& item : items) {
        if (rows::IsReviewChart(item)) {
            item.kind = ItemKind::Edit;
            item.styles |= kupongen::kMultiLine | kupongen::kReadOnly |
                           kupongen::kVerticalScrollBar | kupongen::kBorder;
        }
    }
    return items;
}();

// A dialog template as the resource script holds it.
struct NativeTemplate {
    const DialogWindow& window;
    std::uint32_t style;
    std::uint32_t exStyle;
    std::string_view title;
    std::span<const DialogItem> items;
    Marks marks;
};

// Template 200, the main dialog, and 210, the check window.
inline const NativeTemplate kMainTemplate = {kDialogWindow,       kDialogStyle, kDialogExStyle,
                                             kWindowTitle.view(), kDialogItems, Marks::Automatic};
inline const NativeTemplate kReviewTemplate = {rows::kReviewWindow, kReviewStyle,
                                               kReviewExStyle,      rows::kReviewTitle.view(),
                                               kNativeReviewItems,  Marks::Program};

} // namespace kupongen::win32_styles
