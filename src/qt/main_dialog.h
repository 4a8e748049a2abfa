// The Kupongen window: the template's 132 items as Qt widgets over one
// DialogSession. The window only mirrors the model: a user's click goes to the
// session, then the widgets take the model's state, and only the controls
// whose revision changed are touched. The keyboard follows the template's tab
// stops and groups, as the dialog manager does.
#pragma once

#include "control_table.h"
#include "dialog_session.h"
#include "template_window.h"

#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QPlainTextEdit;

namespace kupongen::qt {

// The modal dialogs the window opens, replaceable so that tests never wait on
// a modal loop.
struct Prompts {
    // The save dialog: the chosen path, or nothing when the user cancels.
    std::function<std::optional<QString>(QWidget* parent)> chooseSavePath;
    // A message box with an OK button and the warning icon.
    std::function<void(QWidget* parent, const QString& text, const QString& title)> showWarning;
};

// The real save dialog and message box.
Prompts DefaultPrompts();

class MainDialog : public TemplateWindow {
    Q_OBJECT

public:
    explicit MainDialog(Prompts prompts = DefaultPrompts(), QWidget* parent = nullptr);
    ~MainDialog() override;

    DialogSession& Session() { return session_; }

    // The widget of a control id, or nullptr.
    QWidget* Control(int controlId) const;

    // Brings the widgets up to the model; only changed controls are touched.
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
    // A click from any source (mouse, keyboard, screen reader, a program's
    // setChecked or toggle): the model's click, then the model's state.
    void DeliverClick(int controlId);
    // Has screen readers speak the status message a click wrote, if any.
    void AnnounceStatus(int controlId, const std::vector<bool>& sureBefore);
    void HandOverRowsEdits();
    void ShowControl(const ControlState& state, QWidget* widget);
    void ShowRowsText(const std::string& text);
    void ShowIcons();

    Prompts prompts_;
    DialogSession session_;
    std::array<QWidget*, kControlCount> controls_{}; // by control-table position
    std::array<std::uint64_t, kControlCount> shownRevision_{};
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
