// The Kupongen window: the menu bar of the menu table above the template's
// 132 items as Qt widgets, over one DialogSession. The window only mirrors
// the model: a user's click or menu choice goes to the session, then the
// widgets and the menu's marks take the model's state, and only what changed
// is touched. The keyboard follows the template's tab stops and groups, as
// the dialog manager does.
#pragma once

#include "control_table.h"
#include "dialog_session.h"
#include "menu_table.h"
#include "rows_review.h"
#include "template_window.h"

#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QMenuBar;
class QPlainTextEdit;

namespace kupongen::qt {

// The modal dialogs the window opens, replaceable so that tests never wait on
// a modal loop.
struct Prompts {
    // The save dialog: the chosen path, or nothing when the user cancels.
    std::function<std::optional<QString>(QWidget* parent)> chooseSavePath;
    // The check window's file chooser: the chosen file, or nothing.
    std::function<std::optional<QString>(QWidget* parent)> chooseOpenPath;
    // A message box with an OK button and the warning icon.
    std::function<void(QWidget* parent, const QString& text, const QString& title)> showWarning;
};

// The real save and open dialogs and message box.
Prompts DefaultPrompts();

class CheckWindow;

class MainDialog : public TemplateWindow {
    Q_OBJECT

public:
    explicit MainDialog(Prompts prompts = DefaultPrompts(), QWidget* parent = nullptr);
    ~MainDialog() override;

    DialogSession& Session() { return session_; }
    const DialogSession& Session() const { return session_; }

    // The widget of a control id, or nullptr.
    QWidget* Control(int controlId) const;
    QMenuBar* MenuBar() const { return menuBar_; }
    // The menu item of a menu command, or nullptr.
    QAction* MenuAction(int menuId) const;
    // The check window once the menu has opened it, else nullptr.
    CheckWindow* OpenedCheckWindow() const { return checkWindow_; }

    // Brings the widgets and the menu's marks up to the model; only what
    // changed is touched.
    void Mirror();

protected:
    QWidget* MakeItem(const DialogItem& item, const QString& caption, QWidget* parent) override;
    FocusState CurrentFocusState() const override;
    // An automatic radio button the arrow keys reach is clicked, as the
    // dialog manager does.
    void ArrowReached(ItemIndex item) override;
    void closeEvent(QCloseEvent* event) override;

private:
    DialogHooks MakeHooks();
    void BuildMenu();
    // A click from any source (mouse, keyboard, screen reader, a program's
    // setChecked or toggle): the model's click, then the model's state.
    void DeliverClick(int controlId);
    // A menu choice from any source, as a click: the model's menu command,
    // then the model's state, the toggle's mark included.
    void DeliverMenuCommand(int menuId);
    // Has screen readers speak the status message a click wrote, if any.
    void AnnounceStatus(int controlId, const std::vector<bool>& sureBefore);
    void ShowCheckWindow(RowsReviewKind kind);
    void HandOverRowsEdits();
    void ShowControl(const ControlState& state, QWidget* widget);
    void ShowRowsText(const std::string& text);
    void ShowMenuMarks();
    void ShowIcons();

    Prompts prompts_;
    DialogSession session_;
    rows::RowsReview review_;
    std::array<QWidget*, kControlCount> controls_{}; // by control-table position
    std::array<std::uint64_t, kControlCount> shownRevision_{};
    QMenuBar* menuBar_ = nullptr;
    std::array<QAction*, kMenuCommandCount> menuActions_{}; // in the order of their ids
    std::array<std::uint64_t, kMenuCommandCount> shownMenuRevision_{};
    CheckWindow* checkWindow_ = nullptr;
    int shownBigIcon_ = -1;
    int shownSmallIcon_ = -1;

    QPlainTextEdit* rows_ = nullptr;
    std::string rowsShown_; // the model's text the rows window shows
    bool rowsEdited_ = false;
    bool settingRows_ = false;
    // Set while the widgets take the model's state, so that the marks set
    // then are not taken for clicks.
    bool mirroring_ = false;
    bool statusWritten_ = false;
};

} // namespace kupongen::qt
