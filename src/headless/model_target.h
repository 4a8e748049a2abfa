// kupongen-headless' dialog: the dialog model and the Controller, with the save
// dialog answered by the script and message boxes reported instead of shown.
#pragma once

#include "dialog_session.h"
#include "script_target.h"

#include <optional>
#include <string>

namespace kupongen::script {

class ModelTarget final : public ScriptTarget {
public:
    explicit ModelTarget(MessageBoxSink onMessageBox);

    bool CanClick(int controlId) override { return session_.IsClickable(controlId); }
    void Click(int controlId) override { session_.Click(controlId); }
    void Notify(int controlId, int code) override { session_.Notify(controlId, code); }
    void TypeRowsText(const std::string& ansiText) override { session_.TypeRowsText(ansiText); }
    void SaveTo(const std::string& path) override;
    void SaveSystemTo(const std::string& path) override;

    std::string Text(int controlId) override;
    ControlSnapshot Control(int controlId) override;
    bool IsMenuChecked(int menuId) override;

private:
    std::optional<std::string> nextSavePath_;
    DialogSession session_;
};

} // namespace kupongen::script
