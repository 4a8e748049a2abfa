// Runs a script of user actions against a dialog and prints what happens as
// JSON lines.
#pragma once

#include "script_target.h"

#include <iosfwd>
#include <string>
#include <string_view>

namespace kupongen::script {

// One JSON line for a message box.
std::string MessageBoxJson(std::string_view ansiText, std::string_view ansiTitle);

// One JSON line with the whole state of the dialog and the generation globals.
std::string StateJson(ScriptTarget& target);

class ScriptRunner {
public:
    ScriptRunner(ScriptTarget& target, std::ostream& out, std::ostream& err)
        : target_(target), out_(out), err_(err) {}

    // Runs every line; returns the number of refused lines.
    int Run(std::istream& script);

    // Runs one line (without its line end); returns false when it is refused.
    bool RunLine(std::string_view line, int lineNumber);

private:
    bool Refuse(int lineNumber, std::string_view reason);

    ScriptTarget& target_;
    std::ostream& out_;
    std::ostream& err_;
};

} // namespace kupongen::script
