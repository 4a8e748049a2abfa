// Dialog template 200: the window and all 132 items with their captions,
// rectangles in dialog units and styles. Every window of the program (the Qt
// window, the native Windows dialog) lays itself out from this one table.
#pragma once

#include "ansi_text.h"
#include "control_table.h"
#include "version.h"

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace kupongen {

// The author's web page, shown in the title and in the instructions.
inline constexpr auto kAuthorAddress = Ansi(u8"www.kupongen.example");

enum class ItemKind { GroupBox, CheckBox, RadioButton, PushButton, Edit, Label };

// Styles that change how an item looks or behaves; all items are visible
// child windows.
enum ItemStyle : std::uint32_t {
    kTabStop = 1u << 0,
    kGroupMark = 1u << 1,
    kReadOnly = 1u << 2,
    kMultiLine = 1u << 3,
    kWantReturn = 1u << 4,
    kVerticalScrollBar = 1u << 5,
    kHorizontalScrollBar = 1u << 6,
    kAutoHorizontalScroll = 1u << 7,
    kBorder = 1u << 8,
};

inline constexpr int kNoId = 65535;
inline constexpr std::size_t kCaptionCapacity = 48;

struct DialogItem {
    int id;
    ItemKind kind;
    AnsiText<kCaptionCapacity> caption; // Windows-1252
    int x, y, width, height;            // dialog units
    std::uint32_t styles;

    constexpr bool Has(ItemStyle style) const { return (styles & style) != 0; }
};

inline constexpr std::size_t kDialogItemCount = 132;

struct DialogWindow {
    int templateId;
    int x, y, width, height; // dialog units
    std::string_view fontFace;
    int fontPointSize;
    int bigIconId;   // 64 x 64
    int smallIconId; // 32 x 32
};

inline constexpr DialogWindow kDialogWindow = {200, 60, 60, 490, 280, "Tahoma", 9, 300, 301};

// The version as the title and the programs' --version show it.
inline constexpr auto kVersion = Ansi(kVersionUtf8);

inline constexpr auto kWindowTitle =
    Ansi(u8"Kupongen    v") + kVersion + Ansi(u8"       2004-04-11     Info/Frågor? Besök: ") +
    kAuthorAddress + Ansi(u8"        Första releasen 9 November 2002");

extern const std::array<DialogItem, kDialogItemCount> kDialogItems;

// The template item of a control id, or nullptr.
const DialogItem* FindDialogItem(int controlId);

// The item of an id in any template of the program, or nullptr.
const DialogItem* FindItem(std::span<const DialogItem> items, int itemId);

// The label "Match m:" beside the sure boxes of match m (1 to 13).
const DialogItem& MatchLabelItem(int match);

} // namespace kupongen
