// What the window keeps between starts: kupongen/kupongen.conf in the user's
// configuration folder.
#pragma once

#include <QSettings>
#include <QString>

class QFileDialog;

namespace kupongen::qt {

QSettings Settings();

// Opens a file dialog at the file last saved to while its folder exists, and
// says so; else in the current folder.
bool OpenAtLastSavedFile(QFileDialog& dialog);

// The file last saved to, which the save dialog offers again.
inline QString LastFileKey() {
    return QStringLiteral("save/lastFile");
}
// Whether "Unika rader" is on.
inline QString DistinctRowsKey() {
    return QStringLiteral("rows/distinct");
}

} // namespace kupongen::qt
