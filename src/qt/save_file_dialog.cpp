#include "save_file_dialog.h"

#include "ansi_qt.h"
#include "file_save.h"
#include "name_only_icons.h"
#include "settings.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QMessageBox>

namespace kupongen::qt {

SaveFileDialog::SaveFileDialog(QWidget* parent) : QFileDialog(parent) {
    // Qt's own dialog everywhere, so the folder rule below always applies.
    setOption(DontUseNativeDialog);
    setAcceptMode(AcceptSave);
    setFileMode(AnyFile);
    setNameFilters({TextFilesFilter(), AllFilesFilter()});
    setDefaultSuffix(FromAnsi(kDefaultExtension));
    setIconProvider(new NameOnlyIconProvider(this));

    // The folder last saved to, while it exists; the current folder before.
    if (!OpenAtLastSavedFile(*this)) {
        selectFile(FromAnsi(kOfferedSaveName));
    }
    connect(this, &QFileDialog::fileSelected, this,
            [](const QString& file) { Settings().setValue(LastFileKey(), file); });

    // Qt reads "*.*" literally (only names with a dot) and, on saving, even
    // renames "rows.txt" to "rows.*" when that filter is picked. Windows
    // means every file by it.
    auto* name = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    auto* types = findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    if (name != nullptr && types != nullptr) {
        connect(name, &QLineEdit::textChanged, this, [this](const QString& text) {
            nameBeforeFilter_ = name_;
            name_ = text;
        });
        connect(types, &QComboBox::activated, this, &SaveFileDialog::OnFilterChosen);
    }
}

void SaveFileDialog::OnFilterChosen(int index) {
    if (index != 1) {
        return;
    }
    if (auto* files = findChild<QFileSystemModel*>()) {
        files->setNameFilters({QStringLiteral("*")});
    }
    auto* name = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    if (name != nullptr && name->text().endsWith(QStringLiteral(".*")) &&
        !nameBeforeFilter_.endsWith(QStringLiteral(".*"))) {
        name->setText(nameBeforeFilter_);
    }
}

void SaveFileDialog::accept() {
    const QStringList files = selectedFiles();
    if (!files.isEmpty()) {
        const QFileInfo file(files.first());
        if (!file.isDir() && !file.absoluteDir().exists()) {
            QMessageBox::warning(this, windowTitle(),
                                 tr("%1\nThe folder does not exist.\nCheck the path and try again.")
                                     .arg(QDir::toNativeSeparators(file.absolutePath())));
            return;
        }
    }
    QFileDialog::accept();
}

} // namespace kupongen::qt
