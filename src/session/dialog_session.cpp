#include "dialog_session.h"

#include "dialog_navigation.h"
#include "texts.h"

#include <new>
#include <utility>

namespace kupongen {

DialogSession::DialogSession(DialogHooks hooks, UpdatePace::Clock clock) {
    model_.hooks = std::move(hooks);
    try {
        controller_ = std::make_unique<Controller>(&model_, std::move(clock));
    } catch (const std::bad_alloc&) {
        platform::MessageBox(&model_, text::kUnknown, text::kExceptionTitle);
    }
}

DialogSession::~DialogSession() = default;

bool DialogSession::IsClickable(int controlId) const {
    const ControlState* control = model_.Item(controlId);
    return control != nullptr && control->kind != ControlKind::Edit && control->visible &&
           control->enabled;
}

bool DialogSession::Click(int controlId) {
    if (!IsClickable(controlId)) {
        return false;
    }
    ControlState& control = *model_.Item(controlId);
    if (control.kind == ControlKind::CheckBox) {
        model_.SetChecked(control, !control.checked);
    } else if (control.kind == ControlKind::RadioButton) {
        // The other radio buttons of the template group lose their marks;
        // hidden or disabled ones keep them.
        const ItemIndex clicked = *ItemIndexOf(controlId);
        for (ControlState& other : model_.Controls()) {
            if (&other != &control && other.kind == ControlKind::RadioButton && other.visible &&
                other.enabled && SameGroup(*ItemIndexOf(other.id), clicked)) {
                model_.SetChecked(other, false);
            }
        }
        model_.SetChecked(control, true);
    }
    Notify(controlId, 0);
    return true;
}

void DialogSession::Notify(int controlId, int code) {
    if (controller_) {
        controller_->Command(&model_, controlId, code);
    }
}

void DialogSession::TypeRowsText(std::string_view ansiText) {
    model_.SetText(*model_.Item(id::kRows), ansiText);
}

void DialogSession::Close() {
    controller_.reset();
}

} // namespace kupongen
