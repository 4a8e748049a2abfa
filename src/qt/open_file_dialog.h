// The check window's file chooser: Qt's own dialog, as the save dialog, for
// one existing file, with the filters "Text Files (*.txt)" and "All Files
// (*)". It opens at the file last saved to, the likeliest to be checked,
// while its folder exists; in the current folder before.
#pragma once

#include <QFileDialog>
#include <QString>

namespace kupongen::qt {

class OpenFileDialog : public QFileDialog {
    Q_OBJECT

public:
    explicit OpenFileDialog(QWidget* parent = nullptr);

    // Qt's "*" is every file, as Windows' "*.*" is.
    static QString AllFilesFilter() { return QStringLiteral("All Files (*)"); }
};

} // namespace kupongen::qt
