#include "file_save.h"

#include "control_table.h"
#include "texts.h"

namespace kupongen {

bool DoFileOpenSave(platform::Window window) {
    const auto path = platform::ChooseSavePath(window, kDefaultExtension);
    if (!path) {
        return true;
    }
    if (!SaveFile(platform::GetDlgItem(window, id::kRows), *path)) {
        platform::MessageBox(window, text::kSaveFailed, text::kErrorTitle);
        return false;
    }
    return true;
}

bool SaveFile(platform::Item edit, const std::string& path) {
    return WriteFileReplacing(path, platform::GetWindowText(edit));
}

} // namespace kupongen
