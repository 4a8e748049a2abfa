#include "dialog_template.h"

#include "template_builder.h"

#include <stdexcept>

namespace kupongen {

namespace {

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

constexpr std::uint32_t GroupStartIf(bool first) {
    return first ? kOptionGroupStart : 0;
}

consteval std::array<DialogItem, kDialogItemCount> BuildDialogItems() {
    TemplateBuilder<kDialogItemCount> builder;

    builder.Add(kNoId, ItemKind::GroupBox, Caption(u8"Välj:"), 70, 2, 110, 22);
    builder.Add(id::kSystem, ItemKind::CheckBox, Caption(u8"SYSTEM"), 77, 10, 40, 12,
                kOptionGroupStart);
    builder.Add(id::kEnkelrader, ItemKind::CheckBox, Caption(u8"ENKELRADER"), 120, 10, 55, 12);
    builder.Add(kNoId, ItemKind::GroupBox, Caption(u8"Välj slumpmetod:"), 7, 24, 173, 22);
    builder.Add(id::kClassic, ItemKind::CheckBox, Caption(u8"klassiskt"), 12, 32, 40, 12,
                kOptionGroupStart);
    builder.Add(id::kEngland, ItemKind::CheckBox, Caption(u8"stat England"), 57, 32, 52, 12);
    builder.Add(id::kSverige, ItemKind::CheckBox, Caption(u8"stat Sverige"), 118, 32, 52, 12);

    builder.Add(kNoId, ItemKind::GroupBox, Caption(u8"Klicka i antal HALVGARDERINGAR:"), 185, 4,
                300, 30);
    for (int value = 0; value < kCoverValues; ++value) {
        const auto v = static_cast<std::size_t>(value);
        builder.Add(kHalfCoverIds[v], ItemKind::RadioButton, NumberCaption(value), kCoverX[v], 15,
                    20, 12, GroupStartIf(value == 0));
    }
    builder.Add(kNoId, ItemKind::GroupBox, Caption(u8"Klicka i antal HELGARDERINGAR:"), 185, 40,
                300, 30);
    for (int value = 0; value < kCoverValues; ++value) {
        const auto v = static_cast<std::size_t>(value);
        builder.Add(kFullCoverIds[v], ItemKind::CheckBox, NumberCaption(value), kCoverX[v], 51, 20,
                    12, GroupStartIf(value == 0));
    }

    builder.Add(kNoId, ItemKind::GroupBox, Caption(u8"Antal ENKELRADER:"), 3, 86, 75, 156);
    constexpr std::array<int, 27> kGridRows = {1,  2,  3,  4,  5,  6,  7,  8,  9,
                                               10, 11, 12, 13, 14, 15, 16, 17, 18,
                                               19, 20, 21, 22, 23, 24, 36, 50, 60};
    for (std::size_t i = 0; i < kGridRows.size(); ++i) {
        const int rows = kGridRows[i];
        builder.Add(RowCountId(rows), ItemKind::RadioButton, NumberCaption(rows), kGridX[i % 3],
                    kGridY[i / 3], rows <= 6 ? 15 : 21, 12, GroupStartIf(i == 0));
    }
    builder.Add(RowCountId(72), ItemKind::RadioButton, NumberCaption(72), 6, 229, 20, 12);
    builder.Add(RowCountId(144), ItemKind::RadioButton, NumberCaption(144), 27, 229, 24, 12);
    builder.Add(RowCountId(256), ItemKind::RadioButton, NumberCaption(256), 51, 229, 24, 12);

    builder.Add(id::kCompatible, ItemKind::CheckBox,
                Caption(u8"Kompatibel rad för svenska spel? KLICKA HÄR!"), 7, 47, 161, 12,
                kOptionGroupStart);
    builder.Add(id::kStryktipset, ItemKind::CheckBox, Caption(u8"Stryktipset"), 7, 59, 61, 12);
    builder.Add(id::kItalian, ItemKind::CheckBox, Caption(u8"It. Stryktipset"), 7, 71, 71, 12);
    builder.Add(id::kAppend, ItemKind::CheckBox, Caption(u8"Append"), 97, 57, 81, 12);

    builder.Add(kNoId, ItemKind::GroupBox, Caption(u8"SÄKRA MATCHER:"), 80, 69, 95, 173);
    for (int match = 1; match <= kMatchCount; ++match) {
        for (int sign = 0; sign < kSignCount; ++sign) {
            const auto s = static_cast<std::size_t>(sign);
            builder.Add(SureBoxId(match, sign), ItemKind::CheckBox, SignCaption(sign), kSureBoxX[s],
                        kMatchY[static_cast<std::size_t>(match - 1)], 15, 12,
                        GroupStartIf(match == 1 && sign == 0));
        }
    }
    for (int match = 1; match <= kMatchCount; ++match) {
        builder.Add(kNoId, ItemKind::Label, NumberCaption(match, "Match ", ":"), 83,
                    kMatchY[static_cast<std::size_t>(match - 1)] + 1, match <= 9 ? 30 : 32, 12,
                    kGroupMark);
    }

    builder.Add(
        id::kRows, ItemKind::Edit, Caption(u8"Här kommer dina rader visas!"), 185, 73, 232, 200,
        kMultiLine | kWantReturn | kVerticalScrollBar | kHorizontalScrollBar | kBorder | kTabStop);
    builder.Add(id::kGenerate, ItemKind::PushButton, Caption(u8"GENERERA rader"), 15, 245, 60, 15,
                kTabStop);
    builder.Add(id::kSave, ItemKind::PushButton, Caption(u8"SPARA raderna"), 95, 245, 60, 15,
                kTabStop);
    builder.Add(id::kInstructions, ItemKind::PushButton, Caption(u8"Instruktioner"), 7, 5, 60, 15,
                kTabStop);
    builder.Add(id::kRandomSure, ItemKind::PushButton, Caption(u8"SLUMPA säker match"), 89, 79, 73,
                12, kTabStop);
    builder.Add(id::kStatus, ItemKind::Edit, Caption(u8"Här visas status och varningar!"), 2, 263,
                180, 14, kReadOnly | kAutoHorizontalScroll | kBorder | kTabStop);
    builder.Add(id::kInfoPanel, ItemKind::Edit, Caption(u8""), 417, 73, 68, 200,
                kMultiLine | kReadOnly | kAutoHorizontalScroll | kBorder | kTabStop);

    return builder.Items();
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
