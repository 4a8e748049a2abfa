// Runs a script of user actions against a dialog and prints what happens as
// JSON lines.
#pragma once

#include "script_target.h"

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>

namespace kupongen::script {

// One JSON line for a message box.
std::string MessageBoxJson(std::string_view ansiText, std::string_view ansiTitle);

// Script text as a refusal quotes it: escaped as inside a JSON string, so that
// the refusal stays one line and no control character reaches the terminal;
// past kQuotedCharacters characters it is cut and marked as shortened.
std::string Quoted(std::string_view text);
inline constexpr std::size_t kQuotedCharacters = 200;

// Far beyond any real script: a whole rows text as one edit line is at most
// 1.5 MB, and a session's script a few kilobytes. They bound the memory and
// time an endless or hostile input can take.
inline constexpr std::size_t kMaxLineBytes = std::size_t{4} << 20;
inline constexpr std::uint64_t kMaxScriptBytes = std::uint64_t{64} << 20;

// What the save dialog makes of a path the user typed: the path it returns,
// with the default extension added to a name without a dot, or why it refuses
// the choice (a missing folder, no file name after the folder).
struct SaveChoice {
    std::string path;
    std::string refusal;      // empty when the dialog takes the path
    bool nameMissing = false; // the refusal is that no name follows the folder
};
SaveChoice ChooseSave(std::string path);

// One JSON line with the whole state of the dialog and the generation globals.
std::string StateJson(ScriptTarget& target);

class ScriptRunner {
public:
    ScriptRunner(ScriptTarget& target, std::ostream& out, std::ostream& err)
        : target_(target), out_(out), err_(err) {}

    // Runs every line; returns the number of refused lines. Both counts are
    // 64-bit: a script of more than 2^31 lines is long, not wrong. A line
    // longer than kMaxLineBytes is refused; past kMaxScriptBytes the script
    // is refused and the rest is not read.
    std::int64_t Run(std::istream& script);

    // Runs one line (without its line end); returns false when it is refused.
    bool RunLine(std::string_view line, std::int64_t lineNumber);

private:
    // One line on the error stream; script text in reason must come through
    // Quoted.
    bool Refuse(std::int64_t lineNumber, std::string_view reason);

    ScriptTarget& target_;
    std::ostream& out_;
    std::ostream& err_;
};

} // namespace kupongen::script
