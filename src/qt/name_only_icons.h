// Icons and type names for Qt's file dialogs from a file's name and kind
// alone. Qt's own provider reads a file's first bytes to name its type, and
// reading /proc/kmsg, or any file with nothing to give yet, never returns.
#pragma once

#include <QFileIconProvider>
#include <QMimeDatabase>
#include <QObject>

namespace kupongen::qt {

// Set it on a dialog as a child made after Qt's file model, so it outlives
// the model's worker thread.
class NameOnlyIconProvider : public QObject, public QFileIconProvider {
public:
    explicit NameOnlyIconProvider(QObject* parent) : QObject(parent) {}

    QIcon icon(const QFileInfo& info) const override;
    // Folders, devices, pipes and sockets are named by their kind alone.
    QString type(const QFileInfo& info) const override;

private:
    QMimeType TypeByName(const QFileInfo& info) const;

    QMimeDatabase mimeTypes_;
};

} // namespace kupongen::qt
