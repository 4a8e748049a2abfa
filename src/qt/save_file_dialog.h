// The save dialog: the filters "Text Files (*.txt)" and "All Files (*.*)",
// the core's default extension, a folder that must exist, and a question
// before an existing file is replaced. It offers the core's name until a file
// is chosen, then that file's name in its folder, remembered across runs.
#pragma once

#include <QFileDialog>
#include <QString>

namespace kupongen::qt {

class SaveFileDialog : public QFileDialog {
    Q_OBJECT

public:
    explicit SaveFileDialog(QWidget* parent = nullptr);

    static QString TextFilesFilter() { return QStringLiteral("Text Files (*.txt)"); }
    static QString AllFilesFilter() { return QStringLiteral("All Files (*.*)"); }

protected slots:
    // Refuses a name in a folder that does not exist; then Qt's own checks,
    // the overwrite question among them.
    void accept() override;

private:
    void OnFilterChosen(int index);

    QString nameBeforeFilter_;
    QString name_;
};

} // namespace kupongen::qt
