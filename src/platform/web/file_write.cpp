// Saving in the browser: the bytes wait for the page, which gives them to the
// user after the click that saved them. Replacing the user's file is the
// browser's part, so the save itself cannot fail here.
#include "file_write.h"
#include "file_handover.h"

#include <utility>

namespace kupongen {

namespace {
std::optional<std::string> pending;
}

bool WriteFileReplacing(const std::string&, std::string_view bytes) {
    pending = std::string(bytes);
    return true;
}

std::optional<std::string> TakeHandedOverBytes() {
    return std::exchange(pending, std::nullopt);
}

} // namespace kupongen
