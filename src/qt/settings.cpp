#include "settings.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace kupongen::qt {

QSettings Settings() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("kupongen"),
                     QStringLiteral("kupongen"));
}

bool OpenAtLastSavedFile(QFileDialog& dialog) {
    const QFileInfo last(Settings().value(LastFileKey()).toString());
    if (last.fileName().isEmpty() || !last.absoluteDir().exists()) {
        dialog.setDirectory(QDir::currentPath());
        return false;
    }
    dialog.setDirectory(last.absolutePath());
    dialog.selectFile(last.fileName());
    return true;
}

} // namespace kupongen::qt
