// The dialog a script drives: the dialog model in kupongen-headless, the real
// native dialog in the Windows script driver. The script's rules (which lines
// are refused, what the output holds) live in the runner, once for both.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace kupongen::script {

struct ControlSnapshot {
    int id = 0;
    bool visible = false;
    bool enabled = false;
    bool checked = false;
};

class ScriptTarget {
public:
    virtual ~ScriptTarget() = default;

    // A control a user can click: a visible, enabled push button, check box or
    // radio button.
    virtual bool CanClick(int controlId) = 0;
    virtual void Click(int controlId) = 0;
    // Controller::Command with no automatic change of any control.
    virtual void Notify(int controlId, int code) = 0;
    // The user replaces the rows window's whole text (Windows-1252).
    virtual void TypeRowsText(const std::string& ansiText) = 0;
    // A click on the Save button where the save dialog returns this path.
    virtual void SaveTo(const std::string& path) = 0;
    // The menu's "Spara systemet för uppladdning…" where the save dialog, if
    // it is asked, returns this path.
    virtual void SaveSystemTo(const std::string& path) = 0;

    // The Windows-1252 text of an edit control.
    virtual std::string Text(int controlId) = 0;
    virtual ControlSnapshot Control(int controlId) = 0;
    // The check mark of a menu item.
    virtual bool IsMenuChecked(int menuId) = 0;
};

// Called for every message box the program shows (Windows-1252 texts).
using MessageBoxSink = std::function<void(std::string_view text, std::string_view title)>;

// Builds the dialog a script drives; message boxes go to the sink.
using TargetFactory = std::function<std::unique_ptr<ScriptTarget>(MessageBoxSink onMessageBox)>;

} // namespace kupongen::script
