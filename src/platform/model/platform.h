// The platform operations the core uses to reach its window, over the dialog
// model: a window is the model, a dialog item is one of its controls. The native
// window's platform.h (src/platform/win32) has the same names, so the control
// wrappers and the Controller are the same code on every platform.
#pragma once

#include "dialog_model.h"

#include <optional>
#include <string>
#include <string_view>

namespace kupongen::platform {

using Window = DialogModel*;

struct Item {
    DialogModel* dialog = nullptr;
    ControlState* control = nullptr;
};

inline Item GetDlgItem(Window window, int controlId) {
    return {window, window->Item(controlId)};
}

inline void ShowWindow(Item item, bool show) {
    item.dialog->SetVisible(*item.control, show);
}
inline void EnableWindow(Item item, bool enable) {
    item.dialog->SetEnabled(*item.control, enable);
}
inline void SetCheck(Item item, bool checked) {
    item.dialog->SetChecked(*item.control, checked);
}
inline bool IsCheckSet(Item item) {
    return item.control->checked;
}

// Replaces the whole text; length is that of the zero-terminated text.
inline void SetWindowText(Item item, const char* text, std::size_t length) {
    item.dialog->SetText(*item.control, {text, length});
}

inline std::string GetWindowText(Item item) {
    return item.control->text;
}

inline void SetIcons(Window window, int bigIcon, int smallIcon) {
    window->bigIcon = bigIcon;
    window->smallIcon = smallIcon;
}

// The check mark of a menu item; ids no menu item has are left alone.
inline void SetMenuCheck(Window window, int menuId, bool checked) {
    if (MenuItemState* item = window->MenuState(menuId)) {
        window->SetMenuChecked(*item, checked);
    }
}
inline bool IsMenuChecked(Window window, int menuId) {
    const MenuItemState* item = window->MenuState(menuId);
    return item != nullptr && item->checked;
}

// The check window; a front end without one shows nothing.
inline void ShowRowsReview(Window window, RowsReviewKind kind) {
    if (window->hooks.showRowsReview) {
        window->hooks.showRowsReview(kind);
    }
}

// A modal message box with an OK button and the exclamation icon.
inline void MessageBox(Window window, std::string_view text, std::string_view title) {
    if (window->hooks.showMessageBox) {
        window->hooks.showMessageBox(text, title);
    }
}

// The save dialog: a chosen path, or nothing when the user cancels. The front
// end's dialog adds the default extension itself.
inline std::optional<std::string> ChooseSavePath(Window window, std::string_view) {
    if (window->hooks.chooseSavePath) {
        return window->hooks.chooseSavePath();
    }
    return std::nullopt;
}

} // namespace kupongen::platform
