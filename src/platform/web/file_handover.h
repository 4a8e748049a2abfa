// Saving in the browser: a page has no file system of its own, so a save
// keeps the bytes for the page, which hands them to the user (a save picker
// or a download).
#pragma once

#include <optional>
#include <string>

namespace kupongen {

// The bytes the last save wrote, once; nothing when no save happened since.
// The page names the file itself.
std::optional<std::string> TakeHandedOverBytes();

} // namespace kupongen
