// The page's texts: the template and the layout as JSON.
#pragma once

#include <string>
#include <string_view>

namespace kupongen::web {

// The dialog template for the page, UTF-8 JSON:
//   {"title": S, "font": S, "width": I, "height": I, "texts": {...},
//    "items": [[id, kind, x, y, width, height, styles, caption, name], ...],
//    "controls": [id, ...]}
// kind is the ItemKind's number, positions are dialog units, name is the
// screen-reader name where the caption does not say enough ("" otherwise).
std::string TemplateJson();

// Item rectangles in CSS pixels by the one dialog-unit rule, for the page's
// font as the page measured it (the width of the 52 letters A-Z a-z and the
// line height): JSON [[x, y, width, height], ..., [0, 0, width, height]],
// the last being the dialog's client area.
std::string LayoutJson(int widthOf52Letters, int height);

} // namespace kupongen::web
