#include "name_only_icons.h"

#include <QFileInfo>
#include <QIcon>
#include <QMimeType>

namespace kupongen::qt {

QIcon NameOnlyIconProvider::icon(const QFileInfo& info) const {
    if (info.isRoot()) {
        return QFileIconProvider::icon(Drive);
    }
    if (info.isDir()) {
        return QFileIconProvider::icon(Folder);
    }
    const QMimeType type = TypeByName(info);
    return QIcon::fromTheme(
        type.iconName(), QIcon::fromTheme(type.genericIconName(), QFileIconProvider::icon(File)));
}

QString NameOnlyIconProvider::type(const QFileInfo& info) const {
    if (!info.isFile()) {
        return QFileIconProvider::type(info);
    }
    const QMimeType type = TypeByName(info);
    return type.comment().isEmpty() ? type.name() : type.comment();
}

QMimeType NameOnlyIconProvider::TypeByName(const QFileInfo& info) const {
    return mimeTypes_.mimeTypeForFile(info, QMimeDatabase::MatchExtension);
}

} // namespace kupongen::qt
