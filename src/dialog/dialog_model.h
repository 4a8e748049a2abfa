// The dialog as data: the 113 controls with visibility, enabled state, check
// mark and 8-bit text. On a build without the native dialog manager this is
// the truth that every front end (the Qt window, the page, kupongen-headless)
// shows and that the platform operations act on.
#pragma once

#include "control_table.h"
#include "menu_table.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace kupongen {

struct ControlState {
    int id = 0;
    ControlKind kind = ControlKind::Edit;
    bool visible = true;
    bool enabled = true;
    bool checked = false;
    std::string text; // Windows-1252
    // Raised on every change, so a view can redraw only what changed.
    std::uint64_t revision = 0;
};

// The mark of a menu item, held here as a check box's mark is.
struct MenuItemState {
    int id = 0;
    bool checked = false;
    // Raised on every change, as a control's is.
    std::uint64_t revision = 0;
};

// The modal parts of the platform, supplied by the front end. Without a
// message box handler the message is dropped; without a path chooser the save
// dialog counts as cancelled.
struct DialogHooks {
    // A modal message box with an OK button and the exclamation icon; both
    // texts are Windows-1252.
    std::function<void(std::string_view text, std::string_view title)> showMessageBox;
    // The save dialog: the chosen path, or nothing when the user cancels.
    std::function<std::optional<std::string>()> chooseSavePath;
    // Every text put into a control, also one equal to the text it holds: a
    // status message said again is news for a screen reader.
    std::function<void(int controlId)> textWritten;
    // The check window, opened from the menu for one kind of review.
    std::function<void(RowsReviewKind kind)> showRowsReview;
};

class DialogModel {
public:
    // The 113 controls in their template state: visible, enabled, unmarked,
    // with the template's captions and texts.
    DialogModel();

    DialogModel(const DialogModel&) = delete;
    DialogModel& operator=(const DialogModel&) = delete;

    // The control with this dialog id, or nullptr.
    ControlState* Item(int controlId);
    const ControlState* Item(int controlId) const;

    std::array<ControlState, kControlCount>& Controls() { return controls_; }
    const std::array<ControlState, kControlCount>& Controls() const { return controls_; }

    // Change operations; each raises the control's revision only when
    // something really changed.
    void SetVisible(ControlState& control, bool visible);
    void SetEnabled(ControlState& control, bool enabled);
    void SetChecked(ControlState& control, bool checked);
    void SetText(ControlState& control, std::string_view text);

    // The state of a menu command, or nullptr for an id no menu item has.
    MenuItemState* MenuState(int menuId);
    const MenuItemState* MenuState(int menuId) const;
    void SetMenuChecked(MenuItemState& item, bool checked);

    int bigIcon = 0;
    int smallIcon = 0;

    DialogHooks hooks;

private:
    std::uint64_t NextRevision() { return ++revision_; }

    std::array<ControlState, kControlCount> controls_;
    std::array<MenuItemState, kMenuCommandCount> menuItems_; // in the order of their ids
    std::uint64_t revision_ = 0;
};

} // namespace kupongen
