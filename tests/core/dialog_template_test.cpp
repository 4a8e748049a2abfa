// The dialog template is an external interface: every front end lays itself
// out from it, so ids, kinds, captions and rectangles must be exact.
#include "dialog_template.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace kupongen {
namespace {

using testing::A;

const DialogItem& Item(int controlId) {
    const DialogItem* item = FindDialogItem(controlId);
    EXPECT_NE(item, nullptr) << "id " << controlId;
    static const DialogItem none{};
    return item != nullptr ? *item : none;
}

void ExpectRect(const DialogItem& item, int x, int y, int w, int h) {
    EXPECT_EQ(item.x, x) << "id " << item.id;
    EXPECT_EQ(item.y, y) << "id " << item.id;
    EXPECT_EQ(item.width, w) << "id " << item.id;
    EXPECT_EQ(item.height, h) << "id " << item.id;
}

TEST(DialogTemplateTest, WindowProperties) {
    EXPECT_EQ(kDialogWindow.templateId, 200);
    EXPECT_EQ(kDialogWindow.x, 60);
    EXPECT_EQ(kDialogWindow.y, 60);
    EXPECT_EQ(kDialogWindow.width, 490);
    EXPECT_EQ(kDialogWindow.height, 280);
    EXPECT_EQ(kDialogWindow.fontFace, "Tahoma");
    EXPECT_EQ(kDialogWindow.fontPointSize, 9);
    EXPECT_EQ(kDialogWindow.bigIconId, 300);
    EXPECT_EQ(kDialogWindow.smallIconId, 301);
}

TEST(DialogTemplateTest, TitleBytes) {
    EXPECT_EQ(std::string(kWindowTitle.view()),
              A(u8"Kupongen    v7.04       2004-04-11     Info/Frågor? Besök: ") +
                  std::string(kAuthorAddress.view()) +
                  A(u8"        Första releasen 9 November 2002"));
    EXPECT_FALSE(kAuthorAddress.view().empty());
}

TEST(DialogTemplateTest, ItemCountsPerKind) {
    std::map<ItemKind, int> counts;
    for (const auto& item : kDialogItems) {
        ++counts[item.kind];
    }
    EXPECT_EQ(kDialogItems.size(), 132u);
    EXPECT_EQ(counts[ItemKind::GroupBox], 6);
    EXPECT_EQ(counts[ItemKind::Label], 13);
    EXPECT_EQ(counts[ItemKind::CheckBox], 62);
    EXPECT_EQ(counts[ItemKind::RadioButton], 44);
    EXPECT_EQ(counts[ItemKind::PushButton], 4);
    EXPECT_EQ(counts[ItemKind::Edit], 3);
}

TEST(DialogTemplateTest, OnlyDecorationSharesTheNoId) {
    std::set<int> ids;
    int decoration = 0;
    for (const auto& item : kDialogItems) {
        const bool isDecoration = item.kind == ItemKind::GroupBox || item.kind == ItemKind::Label;
        EXPECT_EQ(item.id == kNoId, isDecoration) << "item " << item.id;
        if (item.id == kNoId) {
            ++decoration;
        } else {
            EXPECT_TRUE(ids.insert(item.id).second) << "duplicate id " << item.id;
        }
    }
    EXPECT_EQ(decoration, 19);
    EXPECT_EQ(ids.size(), 113u);
}

TEST(DialogTemplateTest, StylesOfTabStopsAndGroupMarks) {
    std::vector<int> tabStops;
    for (const auto& item : kDialogItems) {
        EXPECT_EQ(item.Has(kGroupMark), item.kind == ItemKind::Label) << "id " << item.id;
        if (item.Has(kTabStop)) {
            tabStops.push_back(item.id);
        }
    }
    EXPECT_EQ(tabStops, (std::vector<int>{1039, 1007, 1008, 1009, 1114, 1000, 1117}));

    const DialogItem& rows = Item(id::kRows);
    for (const ItemStyle style :
         {kMultiLine, kWantReturn, kVerticalScrollBar, kHorizontalScrollBar, kBorder}) {
        EXPECT_TRUE(rows.Has(style));
    }
    EXPECT_FALSE(rows.Has(kReadOnly));
    const DialogItem& status = Item(id::kStatus);
    EXPECT_TRUE(status.Has(kReadOnly) && status.Has(kAutoHorizontalScroll) && status.Has(kBorder));
    EXPECT_FALSE(status.Has(kMultiLine));
    const DialogItem& info = Item(id::kInfoPanel);
    EXPECT_TRUE(info.Has(kMultiLine) && info.Has(kReadOnly) && info.Has(kAutoHorizontalScroll));
    EXPECT_FALSE(info.Has(kVerticalScrollBar) || info.Has(kHorizontalScrollBar));
}

struct FixedItem {
    int id;
    ItemKind kind;
    const char8_t* caption;
    int x, y, w, h;
};

TEST(DialogTemplateTest, SingleItemsCaptionsAndRectangles) {
    const FixedItem expected[] = {
        {1002, ItemKind::CheckBox, u8"SYSTEM", 77, 10, 40, 12},
        {1001, ItemKind::CheckBox, u8"ENKELRADER", 120, 10, 55, 12},
        {1072, ItemKind::CheckBox, u8"klassiskt", 12, 32, 40, 12},
        {1073, ItemKind::CheckBox, u8"stat England", 57, 32, 52, 12},
        {1116, ItemKind::CheckBox, u8"stat Sverige", 118, 32, 52, 12},
        {1068, ItemKind::CheckBox, u8"Kompatibel rad för svenska spel? KLICKA HÄR!", 7, 47, 161,
         12},
        {1069, ItemKind::CheckBox, u8"Stryktipset", 7, 59, 61, 12},
        {1070, ItemKind::CheckBox, u8"It. Stryktipset", 7, 71, 71, 12},
        {1115, ItemKind::CheckBox, u8"Append", 97, 57, 81, 12},
        {1039, ItemKind::Edit, u8"Här kommer dina rader visas!", 185, 73, 232, 200},
        {1007, ItemKind::PushButton, u8"GENERERA rader", 15, 245, 60, 15},
        {1008, ItemKind::PushButton, u8"SPARA raderna", 95, 245, 60, 15},
        {1009, ItemKind::PushButton, u8"Instruktioner", 7, 5, 60, 15},
        {1114, ItemKind::PushButton, u8"SLUMPA säker match", 89, 79, 73, 12},
        {1000, ItemKind::Edit, u8"Här visas status och varningar!", 2, 263, 180, 14},
        {1117, ItemKind::Edit, u8"", 417, 73, 68, 200},
    };
    for (const auto& e : expected) {
        const DialogItem& item = Item(e.id);
        EXPECT_EQ(item.kind, e.kind) << "id " << e.id;
        EXPECT_EQ(std::string(item.caption.view()), A(e.caption)) << "id " << e.id;
        ExpectRect(item, e.x, e.y, e.w, e.h);
    }
}

TEST(DialogTemplateTest, GroupBoxesInOrder) {
    const FixedItem expected[] = {
        {kNoId, ItemKind::GroupBox, u8"Välj:", 70, 2, 110, 22},
        {kNoId, ItemKind::GroupBox, u8"Välj slumpmetod:", 7, 24, 173, 22},
        {kNoId, ItemKind::GroupBox, u8"Klicka i antal HALVGARDERINGAR:", 185, 4, 300, 30},
        {kNoId, ItemKind::GroupBox, u8"Klicka i antal HELGARDERINGAR:", 185, 40, 300, 30},
        {kNoId, ItemKind::GroupBox, u8"Antal ENKELRADER:", 3, 86, 75, 156},
        {kNoId, ItemKind::GroupBox, u8"SÄKRA MATCHER:", 80, 69, 95, 173},
    };
    std::vector<const DialogItem*> boxes;
    for (const auto& item : kDialogItems) {
        if (item.kind == ItemKind::GroupBox) {
            boxes.push_back(&item);
        }
    }
    ASSERT_EQ(boxes.size(), std::size(expected));
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        EXPECT_EQ(std::string(boxes[i]->caption.view()), A(expected[i].caption));
        ExpectRect(*boxes[i], expected[i].x, expected[i].y, expected[i].w, expected[i].h);
    }
}

// Cover values 0 to 13 stand at the same x in both rows.
constexpr std::array<int, 14> kCoverX = {187, 207, 227, 247, 267, 287, 307,
                                         327, 347, 367, 387, 409, 431, 453};

class CoverItemTest : public ::testing::TestWithParam<int> {};

TEST_P(CoverItemTest, HalfAndFullCoverItems) {
    const int value = GetParam();
    const auto v = static_cast<std::size_t>(value);
    const int halfId = value == 0 ? 1037 : value == 1 ? 1003 : 1010 + value;
    const int fullId = value == 0 ? 1038 : 1023 + value;
    const DialogItem& half = Item(halfId);
    const DialogItem& full = Item(fullId);
    EXPECT_EQ(half.kind, ItemKind::RadioButton);
    EXPECT_EQ(full.kind, ItemKind::CheckBox);
    EXPECT_EQ(std::string(half.caption.view()), std::to_string(value));
    EXPECT_EQ(std::string(full.caption.view()), std::to_string(value));
    ExpectRect(half, kCoverX[v], 15, 20, 12);
    ExpectRect(full, kCoverX[v], 51, 20, 12);
}

INSTANTIATE_TEST_SUITE_P(Values, CoverItemTest, ::testing::Range(0, 14));

struct RowCountItem {
    int rows;
    int id;
};

class RowCountItemTest : public ::testing::TestWithParam<RowCountItem> {};

TEST_P(RowCountItemTest, CaptionIdAndPlace) {
    const auto [rows, controlId] = GetParam();
    const DialogItem& item = Item(controlId);
    EXPECT_EQ(item.kind, ItemKind::RadioButton);
    EXPECT_EQ(std::string(item.caption.view()), std::to_string(rows));
    const std::vector<int> grid = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14,
                                   15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 36, 50, 60};
    const auto at = std::find(grid.begin(), grid.end(), rows);
    if (at != grid.end()) {
        const auto i = static_cast<std::size_t>(at - grid.begin());
        const int xs[] = {7, 28, 49};
        ExpectRect(item, xs[i % 3], 94 + 15 * static_cast<int>(i / 3), rows <= 6 ? 15 : 21, 12);
    } else if (rows == 72) {
        ExpectRect(item, 6, 229, 20, 12);
    } else if (rows == 144) {
        ExpectRect(item, 27, 229, 24, 12);
    } else {
        ExpectRect(item, 51, 229, 24, 12);
    }
}

std::vector<RowCountItem> AllRowCountItems() {
    std::vector<RowCountItem> items;
    for (int rows = 1; rows <= 14; ++rows) {
        items.push_back({rows, 1039 + rows});
    }
    for (int rows = 15; rows <= 24; ++rows) {
        items.push_back({rows, 1040 + rows});
    }
    items.insert(items.end(),
                 {{36, 1065}, {50, 1066}, {60, 1067}, {72, 1054}, {144, 1071}, {256, 1113}});
    return items;
}

INSTANTIATE_TEST_SUITE_P(AllThirty, RowCountItemTest, ::testing::ValuesIn(AllRowCountItems()));

TEST(DialogTemplateTest, RowCountGridThenTheTenthRowInTemplateOrder) {
    std::vector<std::string> captions;
    for (const auto& item : kDialogItems) {
        if (item.kind == ItemKind::RadioButton && item.y >= 94) {
            captions.emplace_back(item.caption.view());
        }
    }
    ASSERT_EQ(captions.size(), 30u);
    EXPECT_EQ(captions[0], "1");
    EXPECT_EQ(captions[26], "60");
    EXPECT_EQ(captions[27], "72");
    EXPECT_EQ(captions[28], "144");
    EXPECT_EQ(captions[29], "256");
}

constexpr std::array<int, 13> kMatchY = {92,  102, 112, 127, 137, 147, 162,
                                         172, 182, 197, 207, 217, 227};

class MatchItemsTest : public ::testing::TestWithParam<int> {};

TEST_P(MatchItemsTest, SureBoxesAndLabel) {
    const int m = GetParam();
    const int y = kMatchY[static_cast<std::size_t>(m - 1)];
    const char* signs[] = {"1", "X", "2"};
    for (int s = 0; s < 3; ++s) {
        const DialogItem& box = Item(1074 + 3 * (m - 1) + s);
        EXPECT_EQ(box.kind, ItemKind::CheckBox);
        EXPECT_EQ(std::string(box.caption.view()), signs[s]);
        ExpectRect(box, 115 + 20 * s, y, 15, 12);
    }
    const std::string caption = "Match " + std::to_string(m) + ":";
    const auto label = std::find_if(kDialogItems.begin(), kDialogItems.end(), [&](const auto& i) {
        return i.kind == ItemKind::Label && i.caption.view() == caption;
    });
    ASSERT_NE(label, kDialogItems.end()) << caption;
    ExpectRect(*label, 83, y + 1, m <= 9 ? 30 : 32, 12);
}

INSTANTIATE_TEST_SUITE_P(Matches, MatchItemsTest, ::testing::Range(1, 14));

TEST(DialogTemplateTest, SureBoxesMatchByMatchThenLabels) {
    const auto first = std::find_if(kDialogItems.begin(), kDialogItems.end(),
                                    [](const auto& i) { return i.id == 1074; });
    ASSERT_NE(first, kDialogItems.end());
    for (int i = 0; i < 39; ++i) {
        EXPECT_EQ(first[i].id, 1074 + i);
    }
    for (int i = 39; i < 52; ++i) {
        EXPECT_EQ(first[i].kind, ItemKind::Label);
    }
    // The rows window, the four buttons, the status field and the info panel close the list.
    const std::vector<int> tail = {1039, 1007, 1008, 1009, 1114, 1000, 1117};
    for (std::size_t i = 0; i < tail.size(); ++i) {
        EXPECT_EQ(kDialogItems[kDialogItems.size() - tail.size() + i].id, tail[i]);
    }
}

std::vector<int> ExpectedControlOrder() {
    std::vector<int> ids = {1117, 1000, 1039, 1001, 1002, 1037, 1003};
    for (int i = 1012; i <= 1023; ++i) {
        ids.push_back(i);
    }
    for (int i = 1040; i <= 1067; ++i) {
        ids.push_back(i);
    }
    ids.insert(ids.end(), {1071, 1113, 1115, 1068, 1069, 1070, 1007, 1008, 1009, 1114});
    for (int i = 1024; i <= 1036; ++i) {
        ids.push_back(i);
    }
    ids.insert(ids.end(), {1038, 1072, 1073, 1116});
    for (int i = 1074; i <= 1112; ++i) {
        ids.push_back(i);
    }
    return ids;
}

TEST(ControlTableTest, OrderOfThe113Controls) {
    std::vector<int> ids;
    for (const auto& entry : kControlTable) {
        ids.push_back(entry.id);
    }
    EXPECT_EQ(ids, ExpectedControlOrder());
    for (int match = 1; match <= 13; ++match) {
        for (int sign = 0; sign < 3; ++sign) {
            const int position = 74 + 3 * (match - 1) + sign;
            EXPECT_EQ(ControlPosition(SureBoxId(match, sign)), position);
            EXPECT_EQ(SureBoxId(match, sign), position + 1000);
        }
    }
    EXPECT_EQ(ControlPosition(1004), -1);
    EXPECT_EQ(ControlPosition(kNoId), -1);
}

TEST(ControlTableTest, EveryControlHasATemplateItemOfItsKind) {
    for (const auto& entry : kControlTable) {
        const DialogItem& item = Item(entry.id);
        switch (entry.kind) {
        case ControlKind::Edit:
            EXPECT_EQ(item.kind, ItemKind::Edit) << entry.id;
            break;
        case ControlKind::PushButton:
            EXPECT_EQ(item.kind, ItemKind::PushButton) << entry.id;
            break;
        case ControlKind::CheckBox:
            EXPECT_EQ(item.kind, ItemKind::CheckBox) << entry.id;
            break;
        case ControlKind::RadioButton:
            EXPECT_EQ(item.kind, ItemKind::RadioButton) << entry.id;
            break;
        }
    }
}

} // namespace
} // namespace kupongen
