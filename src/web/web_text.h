// The page's texts: the templates, their layouts, the menu and the check
// window's state as JSON.
#pragma once

#include "rows_review.h"

#include <cstdint>
#include <string>

namespace kupongen::web {

// The bits of a control's state word (kg_states); the template names them.
enum StateBit : std::uint32_t {
    kVisibleBit = 1u << 0,
    kEnabledBit = 1u << 1,
    kCheckedBit = 1u << 2
};

// The dialog template for the page, UTF-8 JSON that names what it holds, so
// the page needs no number of the template's own:
//   {"title": S, "font": S, "fontPoints": I, "width": I, "height": I,
//    "saveName": S, "defaultExtension": S, "saveFailed": S, "errorTitle": S,
//    "stateBits": {"visible": I, "enabled": I, "checked": I},
//    "items": [{"id": I, "kind": S, "styles": [S, ...], "caption": S,
//               "name": S, "group": I or null, "role": S, "match": I,
//               "sign": I}, ...],
//    "controls": [id, ...], "narrowOrder": [I, ...]}
// Items are in template order. kind and styles are the ItemKind and
// ItemStyle names ("CheckBox", "TabStop"); name is the screen-reader name
// where the caption does not say enough ("" otherwise); group is the
// template position of the group box that holds the item. Only some items
// have the rest: role for the controls the page shows its own way ("status",
// "rows", "info"), match for the sure boxes and the match labels, sign (0 for
// 1, 1 for X, 2 for 2) for the sure boxes. controls are the control ids in
// the order of the state words and texts; narrowOrder the template positions
// of the group boxes and the items outside them, in the narrow layout's one
// column.
std::string TemplateJson();

// The states of the controls (kg_states) are followed by those of the menu
// commands, in the menu's order; their words use the same bits.

// Item rectangles in CSS pixels by the one dialog-unit rule, for the page's
// font as the page measured it (the width of the 52 letters A-Z a-z and the
// line height): JSON [[x, y, width, height], ..., [0, 0, width, height]],
// the last being the dialog's client area.
std::string LayoutJson(int widthOf52Letters, int height);

// The menu table, UTF-8 JSON:
//   {"caption": S, "accessKey": S, "keyAt": I,
//    "items": [{"id": I, "kind": "Toggle" or "Action", "caption": S,
//               "accessKey": S, "keyAt": I, "state": I} or {"kind": "Separator"}]}
// Captions come without the '&'; accessKey is the letter it marked ("" for
// none), keyAt its place in the caption (-1 for none). state is the position
// of the item's state words among kg_states'.
std::string MenuJson();

// The check window's template, as TemplateJson's without the main dialog's
// fields: {"title": S, "width": I, "height": I, "maxFileBytes": I,
// "items": [...], "narrowOrder": [...]}. The items' roles: "source",
// "readAgain", "openFile", "typed", "resultStatus", "report" (both reports),
// "chart", "close"; the sign boxes have match and sign, the match labels
// match. maxFileBytes is the largest file the window reads.
std::string ReviewTemplateJson();

// The check window's rectangles, as LayoutJson's.
std::string ReviewLayoutJson(int widthOf52Letters, int height);

// What the check window shows now: {"revision": I, "texts": {"id": S, ...}
// for every item with an id, "checked": [id, ...] (the checked sign boxes),
// "announcements": {"id": S} (what a screen reader hears of each report),
// "rights": [14 counts, 0 to 13 right]}.
std::string ReviewStateJson(const rows::RowsReview& review);

} // namespace kupongen::web
