#include "model_target.h"

#include "control_table.h"
#include "menu_table.h"

#include <utility>

namespace kupongen::script {

ModelTarget::ModelTarget(MessageBoxSink onMessageBox)
    : session_(DialogHooks{std::move(onMessageBox),
                           [this] {
                               // A click on Save without a path from the script
                               // is a user who cancels the dialog.
                               return std::exchange(nextSavePath_, std::nullopt);
                           },
                           {},
                           {}}) {}

void ModelTarget::SaveTo(const std::string& path) {
    nextSavePath_ = path;
    session_.Click(id::kSave);
    nextSavePath_.reset();
}

void ModelTarget::SaveSystemTo(const std::string& path) {
    nextSavePath_ = path;
    session_.Notify(id::kMenuSaveSystem, 0);
    nextSavePath_.reset();
}

std::string ModelTarget::Text(int controlId) {
    return session_.Model().Item(controlId)->text;
}

bool ModelTarget::IsMenuChecked(int menuId) {
    return platform::IsMenuChecked(&session_.Model(), menuId);
}

ControlSnapshot ModelTarget::Control(int controlId) {
    const ControlState& control = *session_.Model().Item(controlId);
    const bool markable =
        control.kind == ControlKind::CheckBox || control.kind == ControlKind::RadioButton;
    return {control.id, control.visible, control.enabled, markable && control.checked};
}

} // namespace kupongen::script
