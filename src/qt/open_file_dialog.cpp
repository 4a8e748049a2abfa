#include "open_file_dialog.h"

#include "name_only_icons.h"
#include "save_file_dialog.h"
#include "settings.h"

namespace kupongen::qt {

OpenFileDialog::OpenFileDialog(QWidget* parent) : QFileDialog(parent) {
    setOption(DontUseNativeDialog);
    setAcceptMode(AcceptOpen);
    setFileMode(ExistingFile);
    setNameFilters({SaveFileDialog::TextFilesFilter(), AllFilesFilter()});
    setIconProvider(new NameOnlyIconProvider(this));
    OpenAtLastSavedFile(*this);
}

} // namespace kupongen::qt
