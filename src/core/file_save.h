// Saving the rows window to a file the user names.
#pragma once

#include "file_write.h" // the platform's safe write
#include "platform.h"   // src/platform/model or src/platform/win32, chosen by the build

#include <string>
#include <string_view>

namespace kupongen {

// The extension a save adds to a name that has none, as the save dialog does.
inline constexpr std::string_view kDefaultExtension = "txt";

// The name the Qt window's save dialog and the page offer until the user has
// chosen one; the native dialog offers none, as the original did.
inline constexpr std::string_view kOfferedSaveName = "rader.txt";

// Asks for a path and saves the rows window's text there; shows "Save file
// failed." when the save itself fails. Cancelling is not a failure.
bool DoFileOpenSave(platform::Window window);

// Writes the edit's whole 8-bit text to path, byte for byte.
bool SaveFile(platform::Item edit, const std::string& path);

} // namespace kupongen
