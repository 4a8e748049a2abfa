#include "file_save.h"

#include "control_table.h"
#include "texts.h"

#include <string>

namespace kupongen {

SaveOutcome SaveAs(platform::Window window, std::string_view bytes) {
    const auto path = platform::ChooseSavePath(window, kDefaultExtension);
    if (!path) {
        return SaveOutcome::kCancelled;
    }
    if (!WriteFileReplacing(*path, bytes)) {
        platform::MessageBox(window, text::kSaveFailed, text::kErrorTitle);
        return SaveOutcome::kFailed;
    }
    return SaveOutcome::kSaved;
}

bool DoFileOpenSave(platform::Window window) {
    const std::string rows = platform::GetWindowText(platform::GetDlgItem(window, id::kRows));
    return SaveAs(window, rows) != SaveOutcome::kFailed;
}

} // namespace kupongen
