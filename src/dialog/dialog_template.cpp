#include "dialog_template.h"

#include <stdexcept>

namespace kupongen {

namespace {

// Decimal caption of a small number ("0" to "256"), at compile time.
consteval AnsiText<kCaptionCapacity> NumberCaption(int value, std::string_view prefix = {},
                                                   std::string_view suffix = {}) {
    AnsiText<kCaptionCapacity> text;
    for (const char c : prefix) {
        text.bytes[text.size++] = c;
    }
    char digits[4]{};
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value > 0);
    while (count > 0) {
        text.bytes[text.size++] = digits[--count];
    }
    for (const char c : suffix) {
        text.bytes[text.size++] = c;
    }
    return text;
}

consteval AnsiText<kCaptionCapacity> AsciiCaption(std::string_view ascii) {
    AnsiText<kCaptionCapacity> text;
    for (const char c : ascii) {
        text.bytes[text.size++] = c;
    }
    return text;
}

template <std::size_t N> consteval AnsiText<kCaptionCapacity> Caption(const char8_t (&utf8)[N]) {
    return Ansi<kCaptionCapacity>(utf8);
}

// Cover values "0" to "13" stand in one row at these x positions.
constexpr std::array<int, kCoverValues> kCoverX = {187, 207, 227, 247, 267, 287, 307,
                                                   327, 347, 367, 387, 409, 431, 453};

// The row-count grid: three columns, nine rows, filled row by row.
constexpr std::array<int, 3> kGridX = {7, 28, 49};
constexpr std::array<int, 9> kGridY = {94, 109, 124, 139, 154, 169, 184, 199, 214};

// Blocks of three matches, 10 apart, 15 between blocks.
constexpr std::array<int, kMatchCount> kMatchY = {92,  102, 112, 127, 137, 147, 162,
                                                  172, 182, 197, 207, 217, 227};
constexpr std::array<int, kSignCount> kSureBoxX = {115, 135, 155};

// The keyboard reaches each option group through its first item: Tab stops
// there, and the arrow keys move on inside the group it opens.
constexpr std::uint32_t kOptionGroupStart = kTabStop | kGroupMark;
constexpr std::uint32_t GroupStartIf(bool first) {
    return first ? kOptionGroupStart : 0;
}

consteval std::array<DialogItem, kDialogItemCount> BuildDialogItems() {
    std::array<DialogItem, kDialogItemCount> items{};
    std::size_t n = 0;
    auto add = [&](int itemId, ItemKind kind, AnsiText<kCaptionCapacity> caption, int x, int y,
                   int w, int h, std::uint32_t styles = 0) {
        // A group box ends the option group before it, so the arrow keys go
        // round the options and never rest on a frame.
        if (kind == ItemKind::GroupBox) {
            styles |= kGroupMark;
        }
        items[n++] = {itemId, kind, caption, x, y, w, h, styles};
    };

    add(kNoId, ItemKind::GroupBox, Caption(u8"Välj:"), 70, 2, 110, 22);
    add(id::kSystem, ItemKind::CheckBox, Caption(u8"SYSTEM"), 77, 10, 40, 12, kOptionGroupStart);
    add(id::kEnkelrader, ItemKind::CheckBox, Caption(u8"ENKELRADER"), 120, 10, 55, 12);
    add(kNoId, ItemKind::GroupBox, Caption(u8"Välj slumpmetod:"), 7, 24, 173, 22);
    add(id::kClassic, ItemKind::CheckBox, Caption(u8"klassiskt"), 12, 32, 40, 12,
        kOptionGroupStart);
    add(id::kEngland, ItemKind::CheckBox, Caption(u8"stat England"), 57, 32, 52, 12);
    add(id::kSverige, ItemKind::CheckBox, Caption(u8"stat Sverige"), 118, 32, 52, 12);

    add(kNoId, ItemKind::GroupBox, Caption(u8"Klicka i antal HALVGARDERINGAR:"), 185, 4, 300, 30);
    for (int value = 0; value < kCoverValues; ++value) {
        const auto v = static_cast<std::size_t>(value);
        add(kHalfCoverIds[v], ItemKind::RadioButton, NumberCaption(value), kCoverX[v], 15, 20, 12,
            GroupStartIf(value == 0));
    }
    add(kNoId, ItemKind::GroupBox, Caption(u8"Klicka i antal HELGARDERINGAR:"), 185, 40, 300, 30);
    for (int value = 0; value < kCoverValues; ++value) {
        const auto v = static_cast<std::size_t>(value);
        add(kFullCoverIds[v], ItemKind::CheckBox, NumberCaption(value), kCoverX[v], 51, 20, 12,
            GroupStartIf(value == 0));
    }

    add(kNoId, ItemKind::GroupBox, Caption(u8"Antal ENKELRADER:"), 3, 86, 75, 156);
    constexpr std::array<int, 27> kGridRows = {1,  2,  3,  4,  5,  6,  7,  8,  9,
                                               10, 11, 12, 13, 14, 15, 16, 17, 18,
                                               19, 20, 21, 22, 23, 24, 36, 50, 60};
    for (std::size_t i = 0; i < kGridRows.size(); ++i) {
        const int rows = kGridRows[i];
        add(RowCountId(rows), ItemKind::RadioButton, NumberCaption(rows), kGridX[i % 3],
            kGridY[i / 3], rows <= 6 ? 15 : 21, 12, GroupStartIf(i == 0));
    }
    add(RowCountId(72), ItemKind::RadioButton, NumberCaption(72), 6, 229, 20, 12);
    add(RowCountId(144), ItemKind::RadioButton, NumberCaption(144), 27, 229, 24, 12);
    add(RowCountId(256), ItemKind::RadioButton, NumberCaption(256), 51, 229, 24, 12);

    add(id::kCompatible, ItemKind::CheckBox,
        Caption(u8"Kompatibel rad för svenska spel? KLICKA HÄR!"), 7, 47, 161, 12,
        kOptionGroupStart);
    add(id::kStryktipset, ItemKind::CheckBox, Caption(u8"Stryktipset"), 7, 59, 61, 12);
    add(id::kItalian, ItemKind::CheckBox, Caption(u8"It. Stryktipset"), 7, 71, 71, 12);
    add(id::kAppend, ItemKind::CheckBox, Caption(u8"Append"), 97, 57, 81, 12);

    add(kNoId, ItemKind::GroupBox, Caption(u8"SÄKRA MATCHER:"), 80, 69, 95, 173);
    constexpr std::array<std::string_view, kSignCount> kSignCaptions = {"1", "X", "2"};
    for (int match = 1; match <= kMatchCount; ++match) {
        for (int sign = 0; sign < kSignCount; ++sign) {
            const auto s = static_cast<std::size_t>(sign);
            add(SureBoxId(match, sign), ItemKind::CheckBox, AsciiCaption(kSignCaptions[s]),
                kSureBoxX[s], kMatchY[static_cast<std::size_t>(match - 1)], 15, 12,
                GroupStartIf(match == 1 && sign == 0));
        }
    }
    for (int match = 1; match <= kMatchCount; ++match) {
        add(kNoId, ItemKind::Label, NumberCaption(match, "Match ", ":"), 83,
            kMatchY[static_cast<std::size_t>(match - 1)] + 1, match <= 9 ? 30 : 32, 12, kGroupMark);
    }

    add(id::kRows, ItemKind::Edit, Caption(u8"Här kommer dina rader visas!"), 185, 73, 232, 200,
        kMultiLine | kWantReturn | kVerticalScrollBar | kHorizontalScrollBar | kBorder | kTabStop);
    add(id::kGenerate, ItemKind::PushButton, Caption(u8"GENERERA rader"), 15, 245, 60, 15,
        kTabStop);
    add(id::kSave, ItemKind::PushButton, Caption(u8"SPARA raderna"), 95, 245, 60, 15, kTabStop);
    add(id::kInstructions, ItemKind::PushButton, Caption(u8"Instruktioner"), 7, 5, 60, 15,
        kTabStop);
    add(id::kRandomSure, ItemKind::PushButton, Caption(u8"SLUMPA säker match"), 89, 79, 73, 12,
        kTabStop);
    add(id::kStatus, ItemKind::Edit, Caption(u8"Här visas status och varningar!"), 2, 263, 180, 14,
        kReadOnly | kAutoHorizontalScroll | kBorder | kTabStop);
    add(id::kInfoPanel, ItemKind::Edit, Caption(u8""), 417, 73, 68, 200,
        kMultiLine | kReadOnly | kAutoHorizontalScroll | kBorder | kTabStop);

    if (n != kDialogItemCount) {
        throw "dialog template must hold 132 items";
    }
    return items;
}

} // namespace

constinit const std::array<DialogItem, kDialogItemCount> kDialogItems = BuildDialogItems();

const DialogItem* FindItem(std::span<const DialogItem> items, int itemId) {
    for (const DialogItem& item : items) {
        if (item.id == itemId) {
            return &item;
        }
    }
    return nullptr;
}

const DialogItem* FindDialogItem(int controlId) {
    return FindItem(kDialogItems, controlId);
}

const DialogItem& MatchLabelItem(int match) {
    // The template's only labels are the match labels, in match order.
    int labels = 0;
    for (const auto& item : kDialogItems) {
        if (item.kind == ItemKind::Label && ++labels == match) {
            return item;
        }
    }
    throw std::out_of_range("no label for this match");
}

} // namespace kupongen
