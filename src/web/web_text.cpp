#include "web_text.h"

#include "ansi_text.h"
#include "control_table.h"
#include "dialog_outline.h"
#include "dialog_template.h"
#include "dialog_units.h"
#include "file_save.h"
#include "texts.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string_view>
#include <utility>
#include <vector>

namespace kupongen::web {

namespace {

constexpr std::array<std::pair<ItemStyle, std::string_view>, 9> kStyleNames = {{
    {kTabStop, "TabStop"},
    {kGroupMark, "GroupMark"},
    {kReadOnly, "ReadOnly"},
    {kMultiLine, "MultiLine"},
    {kWantReturn, "WantReturn"},
    {kVerticalScrollBar, "VerticalScrollBar"},
    {kHorizontalScrollBar, "HorizontalScrollBar"},
    {kAutoHorizontalScroll, "AutoHorizontalScroll"},
    {kBorder, "Border"},
}};

// The controls the page shows its own way: the status field as a live
// region, the rows window and the info panel each with its own look.
constexpr std::array<std::pair<int, std::string_view>, 3> kRoles = {
    {{id::kStatus, "status"}, {id::kRows, "rows"}, {id::kInfoPanel, "info"}}};

// The narrow layout's one column: each group box, or item outside every group
// box, stands where the first of these controls it holds stands. The buttons
// come before the tall rows window.
constexpr std::array kNarrowOrder = {
    id::kSystem,       id::kClassic,    kHalfCoverIds[0], kFullCoverIds[0],
    RowCountId(1),     id::kCompatible, id::kStryktipset, id::kItalian,
    id::kAppend,       SureBoxId(1, 0), id::kGenerate,    id::kSave,
    id::kInstructions, id::kRows,       id::kStatus,      id::kInfoPanel};

std::string_view KindName(ItemKind kind) {
    switch (kind) {
    case ItemKind::GroupBox:
        return "GroupBox";
    case ItemKind::CheckBox:
        return "CheckBox";
    case ItemKind::RadioButton:
        return "RadioButton";
    case ItemKind::PushButton:
        return "PushButton";
    case ItemKind::Edit:
        return "Edit";
    case ItemKind::Label:
        return "Label";
    }
    return {};
}

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

// The match a match label stands beside, or 0.
int MatchOfLabel(const DialogItem& item) {
    for (int match = 1; match <= kMatchCount; ++match) {
        if (&MatchLabelItem(match) == &item) {
            return match;
        }
    }
    return 0;
}

void AppendItem(std::string& out, ItemIndex index) {
    const DialogItem& item = kDialogItems[index];
    out += "{\"id\":" + std::to_string(item.id) + ",\"kind\":";
    AppendJsonString(out, KindName(item.kind));
    out += ",\"styles\":[";
    const char* separator = "";
    for (const auto& [style, name] : kStyleNames) {
        if (item.Has(style)) {
            out += separator;
            AppendJsonString(out, name);
            separator = ",";
        }
    }
    out += "],\"caption\":";
    AppendAnsi(out, item.caption);
    out += ",\"name\":";
    AppendAnsi(out, ScreenReaderName(item.id).value_or(""));
    const std::optional<ItemIndex> group = EnclosingGroupBox(index);
    out += ",\"group\":" + (group ? std::to_string(*group) : "null");
    for (const auto& [controlId, role] : kRoles) {
        if (controlId == item.id) {
            out += ",\"role\":";
            AppendJsonString(out, role);
        }
    }
    const int sureBox = item.id - kFirstSureBoxId;
    if (sureBox >= 0 && sureBox < kSureBoxCount) {
        out += ",\"match\":" + std::to_string(sureBox / kSignCount + 1) +
               ",\"sign\":" + std::to_string(sureBox % kSignCount);
    } else if (const int match = MatchOfLabel(item); match > 0) {
        out += ",\"match\":" + std::to_string(match);
    }
    out += '}';
}

// The template positions of the narrow layout's parts in its order: those
// that hold a control of kNarrowOrder by the first they hold, then any other.
std::vector<ItemIndex> NarrowOrder() {
    std::vector<ItemIndex> order;
    const auto add = [&order](ItemIndex index) {
        const ItemIndex part = EnclosingGroupBox(index).value_or(index);
        if (std::find(order.begin(), order.end(), part) == order.end()) {
            order.push_back(part);
        }
    };
    for (const int controlId : kNarrowOrder) {
        add(*ItemIndexOf(controlId));
    }
    for (ItemIndex index = 0; index < kDialogItems.size(); ++index) {
        add(index);
    }
    return order;
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
    out += ",\"saveName\":";
    AppendJsonString(out, kOfferedSaveName);
    out += ",\"defaultExtension\":";
    AppendJsonString(out, kDefaultExtension);
    out += ",\"saveFailed\":";
    AppendAnsi(out, text::kSaveFailed);
    out += ",\"errorTitle\":";
    AppendAnsi(out, text::kErrorTitle);
    out += ",\"stateBits\":{\"visible\":" + std::to_string(kVisibleBit) +
           ",\"enabled\":" + std::to_string(kEnabledBit) +
           ",\"checked\":" + std::to_string(kCheckedBit) + "},\"items\":[";
    for (ItemIndex index = 0; index < kDialogItems.size(); ++index) {
        out += index == 0 ? "" : ",";
        AppendItem(out, index);
    }
    out += "],\"controls\":[";
    for (std::size_t i = 0; i < kControlTable.size(); ++i) {
        out += (i == 0 ? "" : ",") + std::to_string(kControlTable[i].id);
    }
    out += "],\"narrowOrder\":[";
    const std::vector<ItemIndex> narrow = NarrowOrder();
    for (std::size_t i = 0; i < narrow.size(); ++i) {
        out += (i == 0 ? "" : ",") + std::to_string(narrow[i]);
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
