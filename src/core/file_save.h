// Saving the rows window to a file the user names.
#pragma once

#include "platform.h"

#include <string>
#include <string_view>

namespace kupongen {

// Asks for a path and saves the rows window's text there; shows "Save file
// failed." when the save itself fails. Cancelling is not a failure.
bool DoFileOpenSave(platform::Window window);

// Writes the edit's whole 8-bit text to path, byte for byte.
bool SaveFile(platform::Item edit, const std::string& path);

// Replaces the file at path with exactly these bytes, or leaves it as it was:
// the bytes go to a temporary file in the same folder, which is renamed over
// the target only once everything is written and flushed.
bool WriteFileReplacing(const std::string& path, std::string_view bytes);

} // namespace kupongen
