#include "save_file_dialog.h"

#include "ansi_qt.h"
#include "file_save.h"

#include <QComboBox>
#include <QDir>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QIcon>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QMimeType>
#include <QSettings>

namespace kupongen::qt {

namespace {

// Icons and type names from a file's name and kind alone. Qt's own provider
// reads a file's first bytes to name its type, and reading /proc/kmsg, or
// any file with nothing to give yet, never returns. A child of the dialog
// made after Qt's file model, so it outlives the model's worker thread.
class NameOnlyIconProvider : public QObject, public QFileIconProvider {
public:
    explicit NameOnlyIconProvider(QObject* parent) : QObject(parent) {}

    QIcon icon(const QFileInfo& info) const override {
        if (info.isRoot()) {
            return QFileIconProvider::icon(Drive);
        }
        if (info.isDir()) {
            return QFileIconProvider::icon(Folder);
        }
        const QMimeType type = TypeByName(info);
        return QIcon::fromTheme(type.iconName(), QIcon::fromTheme(type.genericIconName(),
                                                                  QFileIconProvider::icon(File)));
    }

    // Folders, devices, pipes and sockets are named by their kind alone.
    QString type(const QFileInfo& info) const override {
        if (!info.isFile()) {
            return QFileIconProvider::type(info);
        }
        const QMimeType type = TypeByName(info);
        return type.comment().isEmpty() ? type.name() : type.comment();
    }

private:
    QMimeType TypeByName(const QFileInfo& info) const {
        return mimeTypes_.mimeTypeForFile(info, QMimeDatabase::MatchExtension);
    }

    QMimeDatabase mimeTypes_;
};

QSettings Settings() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("kupongen"),
                     QStringLiteral("kupongen"));
}

} // namespace

SaveFileDialog::SaveFileDialog(QWidget* parent) : QFileDialog(parent) {
    // Qt's own dialog everywhere, so the folder rule below always applies.
    setOption(DontUseNativeDialog);
    setAcceptMode(AcceptSave);
    setFileMode(AnyFile);
    setNameFilters({TextFilesFilter(), AllFilesFilter()});
    setDefaultSuffix(FromAnsi(kDefaultExtension));
    setIconProvider(new NameOnlyIconProvider(this));

    // The folder last saved to, while it exists; the current folder before.
    const QFileInfo last(Settings().value(SettingsKey()).toString());
    if (!last.fileName().isEmpty() && last.absoluteDir().exists()) {
        setDirectory(last.absolutePath());
        selectFile(last.fileName());
    } else {
        setDirectory(QDir::currentPath());
        selectFile(FromAnsi(kOfferedSaveName));
    }
    connect(this, &QFileDialog::fileSelected, this,
            [](const QString& file) { Settings().setValue(SettingsKey(), file); });

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
