// The script driver's dialog on Windows: the real native dialog, clicked
// through the dialog manager and read back from its controls. Message boxes
// are reported instead of shown and the save dialog is answered by the script.
#pragma once

#include "platform.h"
#include "script_target.h"

#include <optional>
#include <string>

namespace kupongen::script {

class NativeTarget final : public ScriptTarget {
public:
    explicit NativeTarget(MessageBoxSink onMessageBox);
    // Closes the window as a user would and runs the loop to its end.
    ~NativeTarget() override;

    NativeTarget(const NativeTarget&) = delete;
    NativeTarget& operator=(const NativeTarget&) = delete;

    bool CanClick(int controlId) override;
    void Click(int controlId) override;
    void Notify(int controlId, int code) override;
    void TypeRowsText(const std::string& ansiText) override;
    void SaveTo(const std::string& path) override;
    // The real menu command, as the menu sends it.
    void SaveSystemTo(const std::string& path) override;

    std::string Text(int controlId) override;
    ControlSnapshot Control(int controlId) override;
    // Read from the dialog's real menu.
    bool IsMenuChecked(int menuId) override;

    // The loop's exit code once the window is closed.
    int ExitCode() const { return exitCode_; }

private:
    // Handles what the dialog has posted to itself, as the loop would.
    void Pump();

    HWND dialog_ = nullptr;
    std::optional<std::string> nextSavePath_;
    bool quit_ = false;
    int exitCode_ = 0;
};

} // namespace kupongen::script
