// Saving the rows window to a file the user names.
#pragma once

#include "file_write.h" // the platform's safe write
#include "platform.h"   // src/platform/model or src/platform/win32, chosen by the build

#include <string_view>

namespace kupongen {

// The extension a save adds to a name that has none, as the save dialog does.
inline constexpr std::string_view kDefaultExtension = "txt";

// The name the Qt window's save dialog and the page offer until the user has
// chosen one; the native dialog offers none, as the original did.
inline constexpr std::string_view kOfferedSaveName = "rader.txt";

enum class SaveOutcome { kSaved, kCancelled, kFailed };

// Asks for a path with the save dialog and writes bytes there, replacing the
// file whole or not at all; shows "Save file failed." when the write fails.
SaveOutcome SaveAs(platform::Window window, std::string_view bytes);

// SPARA: saves the rows window's text, byte for byte. Cancelling is not a
// failure.
bool DoFileOpenSave(platform::Window window);

} // namespace kupongen
