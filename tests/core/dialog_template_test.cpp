// The dialog template is an external interface: every front end lays itself
// out from it, so ids, kinds, captions and rectangles must be exact.
#include "dialog_template.h"
#include "dialog_units.h"
#include "test_support.h"
#include "texts.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace kupongen {
namespace {

using testing::A;

std::string Caption(const DialogItem& item) {
    return std::string(item.caption.view());
}

// Compares kind, caption and rectangle of the item with this id.
void ExpectItem(int itemId, ItemKind kind, const std::string& caption, int x, int y, int w, int h) {
    const DialogItem* item = FindDialogItem(itemId);
    ASSERT_NE(item, nullptr) << itemId;
    EXPECT_EQ(item->kind, kind) << itemId;
    EXPECT_EQ(Caption(*item), caption) << itemId;
    EXPECT_EQ(std::vector<int>({item->x, item->y, item->width, item->height}),
              std::vector<int>({x, y, w, h}))
        << itemId;
}

TEST(DialogTemplateTest, ItemsKindsAndIds) {
    std::map<ItemKind, int> kinds;
    std::set<int> ids;
    std::vector<int> tabStops;
    std::vector<int> groupStarts;
    for (const auto& item : kDialogItems) {
        ++kinds[item.kind];
        const bool decoration = item.kind == ItemKind::GroupBox || item.kind == ItemKind::Label;
        EXPECT_EQ(item.id == kNoId, decoration) << item.id;
        EXPECT_TRUE(decoration || ids.insert(item.id).second) << "duplicate " << item.id;
        if (item.Has(kTabStop)) {
            tabStops.push_back(item.id);
        }
        if (item.Has(kGroupMark) && !decoration) {
            groupStarts.push_back(item.id);
        } else {
            EXPECT_EQ(item.Has(kGroupMark), decoration) << item.id;
        }
    }
    EXPECT_EQ(kDialogItems.size(), 132u);
    EXPECT_EQ(kinds, (std::map<ItemKind, int>{{ItemKind::GroupBox, 6},
                                              {ItemKind::CheckBox, 62},
                                              {ItemKind::RadioButton, 44},
                                              {ItemKind::PushButton, 4},
                                              {ItemKind::Edit, 3},
                                              {ItemKind::Label, 13}}));
    // The first item of each option group opens it for the keyboard.
    const std::vector<int> optionGroups = {id::kSystem, id::kClassic,    1037,           1038,
                                           1040,        id::kCompatible, kFirstSureBoxId};
    EXPECT_EQ(groupStarts, optionGroups);
    std::vector<int> expectedTabStops = optionGroups;
    expectedTabStops.insert(expectedTabStops.end(),
                            {id::kRows, id::kGenerate, id::kSave, id::kInstructions,
                             id::kRandomSure, id::kStatus, id::kInfoPanel});
    EXPECT_EQ(tabStops, expectedTabStops);
    EXPECT_FALSE(FindDialogItem(id::kRows)->Has(kReadOnly));
    EXPECT_TRUE(FindDialogItem(id::kRows)->Has(kWantReturn));
    EXPECT_TRUE(FindDialogItem(id::kStatus)->Has(kReadOnly));
    EXPECT_TRUE(FindDialogItem(id::kInfoPanel)->Has(kReadOnly));
}

TEST(DialogTemplateTest, TitleAndWindow) {
    EXPECT_EQ(std::string(kWindowTitle.view()),
              A(u8"Kupongen    v7.04       2004-04-11     Info/Frågor? Besök: ") +
                  std::string(kAuthorAddress.view()) +
                  A(u8"        Första releasen 9 November 2002"));
    EXPECT_EQ(std::vector<int>(
                  {kDialogWindow.x, kDialogWindow.y, kDialogWindow.width, kDialogWindow.height}),
              std::vector<int>({60, 60, 490, 280}));
}

TEST(DialogTemplateTest, SingleItems) {
    using K = ItemKind;
    ExpectItem(id::kSystem, K::CheckBox, "SYSTEM", 77, 10, 40, 12);
    ExpectItem(id::kEnkelrader, K::CheckBox, "ENKELRADER", 120, 10, 55, 12);
    ExpectItem(id::kClassic, K::CheckBox, "klassiskt", 12, 32, 40, 12);
    ExpectItem(id::kEngland, K::CheckBox, "stat England", 57, 32, 52, 12);
    ExpectItem(id::kSverige, K::CheckBox, "stat Sverige", 118, 32, 52, 12);
    ExpectItem(id::kCompatible, K::CheckBox, A(u8"Kompatibel rad för svenska spel? KLICKA HÄR!"), 7,
               47, 161, 12);
    ExpectItem(id::kStryktipset, K::CheckBox, "Stryktipset", 7, 59, 61, 12);
    ExpectItem(id::kItalian, K::CheckBox, "It. Stryktipset", 7, 71, 71, 12);
    ExpectItem(id::kAppend, K::CheckBox, "Append", 97, 57, 81, 12);
    ExpectItem(id::kRows, K::Edit, A(u8"Här kommer dina rader visas!"), 185, 73, 232, 200);
    ExpectItem(id::kGenerate, K::PushButton, "GENERERA rader", 15, 245, 60, 15);
    ExpectItem(id::kSave, K::PushButton, "SPARA raderna", 95, 245, 60, 15);
    ExpectItem(id::kInstructions, K::PushButton, "Instruktioner", 7, 5, 60, 15);
    ExpectItem(id::kRandomSure, K::PushButton, A(u8"SLUMPA säker match"), 89, 79, 73, 12);
    ExpectItem(id::kStatus, K::Edit, A(u8"Här visas status och varningar!"), 2, 263, 180, 14);
    ExpectItem(id::kInfoPanel, K::Edit, "", 417, 73, 68, 200);

    std::vector<std::string> groups;
    for (const auto& item : kDialogItems) {
        if (item.kind == ItemKind::GroupBox) {
            groups.push_back(Caption(item) + " " + std::to_string(item.x) + "," +
                             std::to_string(item.y) + "," + std::to_string(item.width) + "," +
                             std::to_string(item.height));
        }
    }
    EXPECT_EQ(groups, (std::vector<std::string>{
                          A(u8"Välj: 70,2,110,22"), A(u8"Välj slumpmetod: 7,24,173,22"),
                          "Klicka i antal HALVGARDERINGAR: 185,4,300,30",
                          "Klicka i antal HELGARDERINGAR: 185,40,300,30",
                          "Antal ENKELRADER: 3,86,75,156", A(u8"SÄKRA MATCHER: 80,69,95,173")}));
}

TEST(DialogTemplateTest, CoverRows) {
    const int x[14] = {187, 207, 227, 247, 267, 287, 307, 327, 347, 367, 387, 409, 431, 453};
    for (int v = 0; v < 14; ++v) {
        const int halfId = v == 0 ? 1037 : v == 1 ? 1003 : 1010 + v;
        const int fullId = v == 0 ? 1038 : 1023 + v;
        ExpectItem(halfId, ItemKind::RadioButton, std::to_string(v), x[v], 15, 20, 12);
        ExpectItem(fullId, ItemKind::CheckBox, std::to_string(v), x[v], 51, 20, 12);
    }
}

TEST(DialogTemplateTest, RowCountGrid) {
    const int grid[27] = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14,
                          15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 36, 50, 60};
    const int gridIds[27] = {1040, 1041, 1042, 1043, 1044, 1045, 1046, 1047, 1048,
                             1049, 1050, 1051, 1052, 1053, 1055, 1056, 1057, 1058,
                             1059, 1060, 1061, 1062, 1063, 1064, 1065, 1066, 1067};
    for (int i = 0; i < 27; ++i) {
        ExpectItem(gridIds[i], ItemKind::RadioButton, std::to_string(grid[i]), 7 + 21 * (i % 3),
                   94 + 15 * (i / 3), grid[i] <= 6 ? 15 : 21, 12);
    }
    ExpectItem(1054, ItemKind::RadioButton, "72", 6, 229, 20, 12);
    ExpectItem(1071, ItemKind::RadioButton, "144", 27, 229, 24, 12);
    ExpectItem(1113, ItemKind::RadioButton, "256", 51, 229, 24, 12);
}

TEST(DialogTemplateTest, SureBoxesAndMatchLabels) {
    const int y[13] = {92, 102, 112, 127, 137, 147, 162, 172, 182, 197, 207, 217, 227};
    std::vector<const DialogItem*> labels;
    for (const auto& item : kDialogItems) {
        if (item.kind == ItemKind::Label) {
            labels.push_back(&item);
        }
    }
    ASSERT_EQ(labels.size(), 13u);
    for (int m = 1; m <= 13; ++m) {
        for (int s = 0; s < 3; ++s) {
            ExpectItem(kFirstSureBoxId + 3 * (m - 1) + s, ItemKind::CheckBox,
                       std::string(1, "1X2"[s]), 115 + 20 * s, y[m - 1], 15, 12);
        }
        const DialogItem& label = *labels[static_cast<std::size_t>(m - 1)];
        EXPECT_EQ(Caption(label), "Match " + std::to_string(m) + ":");
        EXPECT_EQ(&MatchLabelItem(m), &label);
        EXPECT_EQ(std::vector<int>({label.x, label.y, label.width, label.height}),
                  std::vector<int>({83, y[m - 1] + 1, m <= 9 ? 30 : 32, 12}));
    }
}

TEST(DialogTemplateTest, ScreenReaderNamesOfSureBoxes) {
    EXPECT_EQ(text::SureBoxName(1, 0), "Match 1: 1");
    EXPECT_EQ(text::SureBoxName(4, 1), "Match 4: X");
    EXPECT_EQ(text::SureBoxName(13, 2), "Match 13: 2");
}

// The one rule every window places the template by, at Tahoma 9 pt's base
// units of 7 x 14 pixels.
TEST(DialogUnitsTest, PositionAndSizeEachRoundedAndScaledWithTheDpi) {
    EXPECT_EQ(MulDiv(5, 1, 2), 3);
    EXPECT_EQ(MulDiv(-5, 1, 2), -3);
    EXPECT_EQ(MulDiv(7, 3, 4), 5);
    EXPECT_EQ(BaseUnits::FromLetters(364, 14).x, 7);
    EXPECT_EQ(BaseUnits::FromLetters(338, 14).x, 7); // 6.5 rounds up
    const DialogUnits at96({7, 14});
    EXPECT_EQ(at96.Window(), (PixelRect{105, 105, 858, 490}));
    EXPECT_EQ(at96.Rect(*FindDialogItem(id::kRows)), (PixelRect{324, 128, 406, 350}));
    // The size is rounded on its own, not as the distance of rounded edges
    // (which would give 3).
    EXPECT_EQ(at96.Rect(2, 0, 2, 0), (PixelRect{4, 0, 4, 0}));
    // Exactly 1.5 and 2 times the 96-DPI window, to the pixel's rounding.
    EXPECT_EQ(DialogUnits({7, 14}, 144).Window(), (PixelRect{158, 158, 1286, 735}));
    EXPECT_EQ(DialogUnits({7, 14}, 192).Window(), (PixelRect{210, 210, 1715, 980}));
}

TEST(ControlTableTest, OrderAndKinds) {
    std::vector<int> expected = {id::kInfoPanel, id::kStatus, id::kRows, id::kEnkelrader,
                                 id::kSystem,    1037,        1003};
    auto range = [&](int from, int to) {
        for (int i = from; i <= to; ++i) {
            expected.push_back(i);
        }
    };
    range(1012, 1023);
    range(1040, 1067);
    expected.insert(expected.end(),
                    {1071, 1113, id::kAppend, id::kCompatible, id::kStryktipset, id::kItalian,
                     id::kGenerate, id::kSave, id::kInstructions, id::kRandomSure});
    range(1024, 1036);
    expected.insert(expected.end(), {1038, id::kClassic, id::kEngland, id::kSverige});
    range(kFirstSureBoxId, kFirstSureBoxId + kSureBoxCount - 1);
    const std::map<ControlKind, ItemKind> kinds = {
        {ControlKind::Edit, ItemKind::Edit},
        {ControlKind::PushButton, ItemKind::PushButton},
        {ControlKind::CheckBox, ItemKind::CheckBox},
        {ControlKind::RadioButton, ItemKind::RadioButton}};
    std::vector<int> ids;
    for (const auto& entry : kControlTable) {
        ids.push_back(entry.id);
        ASSERT_NE(FindDialogItem(entry.id), nullptr) << entry.id;
        EXPECT_EQ(FindDialogItem(entry.id)->kind, kinds.at(entry.kind)) << entry.id;
    }
    EXPECT_EQ(ids, expected);
    EXPECT_EQ(kLowestControlId, 1000);
    EXPECT_EQ(kHighestControlId, id::kInfoPanel);
}

} // namespace
} // namespace kupongen
