// The check and grade window ("Kontrollera och rätta rader"): the core's
// template of it as Qt widgets, showing one RowsReview that the main window
// owns. It is no modal dialog: the main window stays usable beside it, and
// nothing in it changes the dialog. The rows window's text is read when the
// window opens and on "Läs raderna igen", an opened file for this window
// alone; a user's act goes to the review, then every item shows what the
// review gives for it.
#pragma once

#include "rows_review.h"
#include "template_window.h"

#include <QHash>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

class QLineEdit;

namespace kupongen::qt {

struct CheckWindowHooks {
    // The rows window's text as the model holds it, typed text handed over
    // first.
    std::function<std::string()> rowsText;
    // The file chooser: the chosen file, or nothing when the user cancels.
    std::function<std::optional<QString>(QWidget* parent)> chooseOpenPath;
};

class CheckWindow : public TemplateWindow {
    Q_OBJECT

public:
    CheckWindow(rows::RowsReview& review, CheckWindowHooks hooks, QWidget* owner);
    ~CheckWindow() override;

    // Shows the window for a view, raised and active, with the focus on the
    // view's item. A window that was not open reads the rows window first;
    // an open one keeps what it shows, a file the user opened too.
    void Open(rows::ReviewView view);

    const rows::RowsReview& Review() const { return review_; }
    // The widget of an item id, or nullptr.
    QWidget* Item(int itemId) const;

protected:
    QWidget* MakeItem(const DialogItem& item, const QString& caption, QWidget* parent) override;
    FocusState CurrentFocusState() const override;
    // Escape closes the window, as Stäng does.
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Says what waited for the window to take the keyboard.
    bool event(QEvent* event) override;

private:
    void Press(int itemId);
    // A sign box's click from any source, as the main window's check boxes.
    void DeliverSignClick(int itemId);
    void DeliverTyped(const QString& text);
    // Brings the items up to the review when it has changed.
    void Mirror();
    // Has screen readers speak what the core says of a report: its first
    // line and the check's verdict or the grade's summary.
    void AnnounceReport(rows::ReviewView report);
    // After an act on the result: the grade, when it changed.
    void AnnounceGradeChange(const std::string& before);

    rows::RowsReview& review_;
    CheckWindowHooks hooks_;
    QLineEdit* typed_ = nullptr;
    QHash<const QWidget*, std::string> shownText_;
    // What is said once the window is active: a screen reader drops what a
    // window says before the desktop has given it the keyboard.
    QString pendingAnnouncement_;
    std::uint64_t shownRevision_ = ~std::uint64_t{0};
    // Set while the items take the review's state, so that the marks and
    // texts set then are not taken for the user's.
    bool mirroring_ = false;
};

} // namespace kupongen::qt
