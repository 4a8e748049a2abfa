#include "web_text.h"

#include "ansi_text.h"
#include "control_table.h"
#include "dialog_outline.h"
#include "dialog_template.h"
#include "dialog_units.h"
#include "file_save.h"
#include "menu_table.h"
#include "review_window.h"
#include "rows_reader.h"
#include "texts.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>
#include <span>
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

using Role = std::pair<int, std::string_view>;

// The controls the page shows its own way: the status field as a live
// region, the rows window and the info panel each with its own look.
constexpr std::array<Role, 3> kRoles = {
    {{id::kStatus, "status"}, {id::kRows, "rows"}, {id::kInfoPanel, "info"}}};

// The check window's items the page gives a part of its own: what each button
// does, the live parts, the chart.
constexpr std::array<Role, 9> kReviewRoles = {{
    {rows::review_id::kSource, "source"},
    {rows::review_id::kReadAgain, "readAgain"},
    {rows::review_id::kOpenFile, "openFile"},
    {rows::review_id::kTyped, "typed"},
    {rows::review_id::kResultStatus, "resultStatus"},
    {rows::review_id::kCheckReport, "report"},
    {rows::review_id::kGradeReport, "report"},
    {rows::review_id::kChart, "chart"},
    {rows::review_id::kClose, "close"},
}};

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

// What the page needs to know of one template beyond its items.
struct TemplateKind {
    DialogItems items;
    std::span<const Role> roles;
    std::optional<std::string> (*name)(int itemId);
    // The sign box of an id: match 1 to 13 and sign 0 to 2, or nothing.
    std::optional<rows::MatchSign> (*signBox)(int itemId);
};

std::optional<rows::MatchSign> SureBoxOf(int controlId) {
    const int sureBox = controlId - kFirstSureBoxId;
    if (sureBox < 0 || sureBox >= kSureBoxCount) {
        return std::nullopt;
    }
    return rows::MatchSign{sureBox / kSignCount + 1, sureBox % kSignCount};
}

constexpr TemplateKind kMain = {kDialogItems, kRoles, ScreenReaderName, SureBoxOf};
constexpr TemplateKind kReview = {rows::kReviewItems, kReviewRoles, rows::ReviewScreenReaderName,
                                  rows::ReviewSignBoxOf};

// The match a label names: the label stands left of that match's sign boxes,
// on their line, in the same frame. 0 for any other item.
int MatchOfLabel(const TemplateKind& kind, ItemIndex index) {
    const DialogItem& label = kind.items[index];
    if (label.kind != ItemKind::Label) {
        return 0;
    }
    const int middle = 2 * label.y + label.height;
    for (ItemIndex box = 0; box < kind.items.size(); ++box) {
        const DialogItem& item = kind.items[box];
        const auto sign = kind.signBox(item.id);
        if (sign && item.x >= label.x + label.width && middle >= 2 * item.y &&
            middle <= 2 * (item.y + item.height) &&
            EnclosingGroupBox(kind.items, box) == EnclosingGroupBox(kind.items, index)) {
            return sign->match;
        }
    }
    return 0;
}

void AppendItem(std::string& out, const TemplateKind& kind, ItemIndex index) {
    const DialogItem& item = kind.items[index];
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
    AppendAnsi(out, kind.name(item.id).value_or(""));
    const std::optional<ItemIndex> group = EnclosingGroupBox(kind.items, index);
    out += ",\"group\":" + (group ? std::to_string(*group) : "null");
    for (const auto& [itemId, role] : kind.roles) {
        if (itemId == item.id) {
            out += ",\"role\":";
            AppendJsonString(out, role);
        }
    }
    if (const auto box = kind.signBox(item.id)) {
        out +=
            ",\"match\":" + std::to_string(box->match) + ",\"sign\":" + std::to_string(box->sign);
    } else if (const int match = MatchOfLabel(kind, index); match > 0) {
        out += ",\"match\":" + std::to_string(match);
    }
    out += '}';
}

void AppendItems(std::string& out, const TemplateKind& kind) {
    out += "\"items\":[";
    for (ItemIndex index = 0; index < kind.items.size(); ++index) {
        out += index == 0 ? "" : ",";
        AppendItem(out, kind, index);
    }
    out += ']';
}

void AppendNumbers(std::string& out, std::span<const ItemIndex> numbers) {
    out += '[';
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        out += (i == 0 ? "" : ",") + std::to_string(numbers[i]);
    }
    out += ']';
}

// The template positions of the narrow layout's parts in its order: those
// that hold a control of first (ids of the main template) by the first they
// hold, then any other in template order.
std::vector<ItemIndex> NarrowOrder(DialogItems items, std::span<const int> first) {
    std::vector<ItemIndex> order;
    const auto add = [&](ItemIndex index) {
        const ItemIndex part = EnclosingGroupBox(items, index).value_or(index);
        if (std::find(order.begin(), order.end(), part) == order.end()) {
            order.push_back(part);
        }
    };
    for (const int controlId : first) {
        add(*ItemIndexOf(controlId));
    }
    for (ItemIndex index = 0; index < items.size(); ++index) {
        add(index);
    }
    return order;
}

std::string LayoutJson(DialogItems items, const DialogWindow& window, int widthOf52Letters,
                       int height) {
    const DialogUnits units(BaseUnits::FromLetters(widthOf52Letters, height));
    std::string out = "[";
    const auto append = [&out](const PixelRect& rect) {
        out += '[' + std::to_string(rect.x) + ',' + std::to_string(rect.y) + ',' +
               std::to_string(rect.width) + ',' + std::to_string(rect.height) + "],";
    };
    for (const DialogItem& item : items) {
        append(units.Rect(item));
    }
    append(units.Rect(0, 0, window.width, window.height));
    out.back() = ']';
    return out;
}

// A menu caption without its '&', and where the access key stands in it (a
// position in Windows-1252 bytes, which are UTF-16 units in the page), or -1;
// "&&" is a '&' of the caption.
struct AccessKey {
    std::string caption;
    int at = -1;
};

AccessKey SplitAccessKey(std::string_view ansi) {
    AccessKey key;
    for (std::size_t i = 0; i < ansi.size(); ++i) {
        if (ansi[i] == '&' && i + 1 < ansi.size()) {
            ++i;
            if (ansi[i] != '&') {
                key.at = static_cast<int>(key.caption.size());
            }
        }
        key.caption += ansi[i];
    }
    return key;
}

void AppendCaption(std::string& out, std::string_view ansi) {
    const AccessKey key = SplitAccessKey(ansi);
    out += "\"caption\":";
    AppendAnsi(out, key.caption);
    out += ",\"accessKey\":";
    AppendAnsi(out,
               key.at < 0
                   ? std::string_view()
                   : std::string_view(key.caption).substr(static_cast<std::size_t>(key.at), 1));
    out += ",\"keyAt\":" + std::to_string(key.at);
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
           ",\"checked\":" + std::to_string(kCheckedBit) + "},";
    AppendItems(out, kMain);
    out += ",\"controls\":[";
    for (std::size_t i = 0; i < kControlTable.size(); ++i) {
        out += (i == 0 ? "" : ",") + std::to_string(kControlTable[i].id);
    }
    out += "],\"narrowOrder\":";
    AppendNumbers(out, NarrowOrder(kDialogItems, kNarrowOrder));
    out += '}';
    return out;
}

std::string LayoutJson(int widthOf52Letters, int height) {
    return LayoutJson(kDialogItems, kDialogWindow, widthOf52Letters, height);
}

std::string MenuJson() {
    std::string out = "{";
    AppendCaption(out, kMenuTitle.view());
    out += ",\"items\":[";
    std::size_t command = 0;
    for (const MenuItem& item : kMenuItems) {
        out += &item == kMenuItems.data() ? "{" : ",{";
        if (item.kind == MenuItemKind::Separator) {
            out += "\"kind\":\"Separator\"}";
            continue;
        }
        out += "\"id\":" + std::to_string(item.id) + ",\"kind\":";
        AppendJsonString(out, item.kind == MenuItemKind::Toggle ? "Toggle" : "Action");
        out += ',';
        AppendCaption(out, item.caption.view());
        out += ",\"state\":" + std::to_string(kControlCount + command++) + '}';
    }
    out += "]}";
    return out;
}

std::string ReviewTemplateJson() {
    std::string out = "{\"title\":";
    AppendAnsi(out, rows::kReviewTitle);
    out += ",\"width\":" + std::to_string(rows::kReviewWindow.width);
    out += ",\"height\":" + std::to_string(rows::kReviewWindow.height);
    out += ",\"maxFileBytes\":" + std::to_string(rows::kMaxTextBytes) + ',';
    AppendItems(out, kReview);
    out += ",\"narrowOrder\":";
    AppendNumbers(out, NarrowOrder(rows::kReviewItems, {}));
    out += '}';
    return out;
}

std::string ReviewLayoutJson(int widthOf52Letters, int height) {
    return LayoutJson(rows::kReviewItems, rows::kReviewWindow, widthOf52Letters, height);
}

std::string ReviewStateJson(const rows::RowsReview& review) {
    std::string out = "{\"revision\":" + std::to_string(review.Revision()) + ",\"texts\":{";
    std::string checked;
    std::string announcements;
    for (const DialogItem& item : rows::kReviewItems) {
        if (item.id == kNoId) {
            continue;
        }
        const std::string itemId = '"' + std::to_string(item.id) + "\":";
        out += (out.back() == '{' ? "" : ",") + itemId;
        AppendAnsi(out, rows::ReviewItemText(review, item.id));
        if (rows::ReviewItemChecked(review, item.id)) {
            checked += (checked.empty() ? "" : ",") + std::to_string(item.id);
        }
        if (const std::string said = rows::ReviewAnnouncement(review, item.id); !said.empty()) {
            announcements += (announcements.empty() ? "" : ",") + itemId;
            AppendAnsi(announcements, said);
        }
    }
    out += "},\"checked\":[" + checked + "],\"announcements\":{" + announcements + "},\"rights\":[";
    for (const std::uint64_t count : review.Rights()) {
        out += (out.back() == '[' ? "" : ",") + std::to_string(count);
    }
    out += "]}";
    return out;
}

} // namespace kupongen::web
