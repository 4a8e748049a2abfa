// Saving in the browser: a page has no file system of its own, so a save
// keeps the bytes for the page, which hands them to the user (a save picker
// or a download).
#pragma once

#include <optional>
#include <string>

namespace kupongen {

struct HandedOverFile {
    std::string name;  // as the save dialog returned it
    std::string bytes; // exactly the bytes the save wrote
};

// The last save's file, once; nothing when no save happened since.
std::optional<HandedOverFile> TakeHandedOverFile();

} // namespace kupongen
