#include "dialog_model.h"

#include "dialog_template.h"

#include <utility>

namespace kupongen {

namespace {
// Dialog id to control-table position; -1 where no control has the id.
constexpr auto kPositionOfId = [] {
    std::array<int, kControlIdSpan> positions{};
    positions.fill(-1);
    for (std::size_t i = 0; i < kControlTable.size(); ++i) {
        positions[static_cast<std::size_t>(kControlTable[i].id - kLowestControlId)] =
            static_cast<int>(i);
    }
    return positions;
}();
} // namespace

DialogModel::DialogModel() {
    for (std::size_t i = 0; i < kControlTable.size(); ++i) {
        auto& control = controls_[i];
        control.id = kControlTable[i].id;
        control.kind = kControlTable[i].kind;
        control.text = FindDialogItem(control.id)->caption.view();
    }
    for (std::size_t i = 0; i < menuItems_.size(); ++i) {
        menuItems_[i].id = kFirstMenuId + static_cast<int>(i);
    }
}

ControlState* DialogModel::Item(int controlId) {
    return const_cast<ControlState*>(std::as_const(*this).Item(controlId));
}

const ControlState* DialogModel::Item(int controlId) const {
    if (controlId < kLowestControlId || controlId > kHighestControlId) {
        return nullptr;
    }
    const int position = kPositionOfId[static_cast<std::size_t>(controlId - kLowestControlId)];
    return position < 0 ? nullptr : &controls_[static_cast<std::size_t>(position)];
}

MenuItemState* DialogModel::MenuState(int menuId) {
    return const_cast<MenuItemState*>(std::as_const(*this).MenuState(menuId));
}

const MenuItemState* DialogModel::MenuState(int menuId) const {
    if (menuId < kFirstMenuId || menuId > kLastMenuId) {
        return nullptr;
    }
    return &menuItems_[static_cast<std::size_t>(menuId - kFirstMenuId)];
}

void DialogModel::SetMenuChecked(MenuItemState& item, bool checked) {
    if (item.checked != checked) {
        item.checked = checked;
        item.revision = NextRevision();
    }
}

void DialogModel::SetVisible(ControlState& control, bool visible) {
    if (control.visible != visible) {
        control.visible = visible;
        control.revision = NextRevision();
    }
}

void DialogModel::SetEnabled(ControlState& control, bool enabled) {
    if (control.enabled != enabled) {
        control.enabled = enabled;
        control.revision = NextRevision();
    }
}

void DialogModel::SetChecked(ControlState& control, bool checked) {
    if (control.checked != checked) {
        control.checked = checked;
        control.revision = NextRevision();
    }
}

void DialogModel::SetText(ControlState& control, std::string_view text) {
    if (hooks.textWritten) {
        hooks.textWritten(control.id);
    }
    // A press adds rows to the end of the rows window's text: when the new text
    // only extends the old one, append the tail instead of copying it all again.
    const std::string_view old = control.text;
    if (text.size() >= old.size() && text.substr(0, old.size()) == old) {
        if (text.size() == old.size()) {
            return;
        }
        control.text.append(text.substr(old.size()));
    } else {
        control.text.assign(text);
    }
    control.revision = NextRevision();
}

} // namespace kupongen
