// The page's texts: the template as JSON, and typed text as the model takes
// it.
#pragma once

#include <string>
#include <string_view>

namespace kupongen::web {

// Typed UTF-8 text as the Qt window hands it over: every line break (CR LF,
// a lone CR or LF, U+2028, U+2029) becomes CR LF, then Windows-1252 with '?'
// for what the code page cannot hold.
std::string ToAnsiCrLf(std::string_view utf8);

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
