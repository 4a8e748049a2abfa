#include "script_runner.h"

#include "ansi_text.h"
#include "control_table.h"
#include "file_save.h"
#include "generation.h"
#include "menu_table.h"

#include <nlohmann/json.hpp>

#include <filesystem>
#include <istream>
#include <optional>
#include <ostream>
#include <system_error>
#include <utility>

namespace kupongen::script {

namespace {

using Json = nlohmann::ordered_json;

// JSON with a blank after every colon and comma, as the output is documented.
void WriteJson(const Json& value, std::string& out) {
    if (value.is_object()) {
        out += '{';
        bool first = true;
        for (const auto& [key, member] : value.items()) {
            out += first ? "" : ", ";
            first = false;
            out += Json(key).dump();
            out += ": ";
            WriteJson(member, out);
        }
        out += '}';
    } else if (value.is_array()) {
        out += '[';
        bool first = true;
        for (const auto& element : value) {
            out += first ? "" : ", ";
            first = false;
            WriteJson(element, out);
        }
        out += ']';
    } else if (value.is_string()) {
        // The JSON writer escapes the C0 controls but not DEL; a state line
        // holds no control character, whatever the user typed.
        for (const char c : value.dump()) {
            out += c == '\x7F' ? std::string_view("\\u007f") : std::string_view(&c, 1);
        }
    } else {
        out += value.dump();
    }
}

std::string Dump(const Json& value) {
    std::string out;
    WriteJson(value, out);
    return out;
}

Json Unicode(std::string_view ansi) {
    return AnsiToUtf8(ansi);
}

constexpr bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// Splits off the first word; the rest keeps its inner blanks.
std::string_view NextWord(std::string_view& text) {
    text = Trim(text);
    std::size_t end = 0;
    while (end < text.size() && !IsBlank(text[end])) {
        ++end;
    }
    const std::string_view word = text.substr(0, end);
    text = Trim(text.substr(end));
    return word;
}

// Plain decimal digits from 0 to 65535, leading zeros allowed.
std::optional<int> ParseNumber(std::string_view word) {
    if (word.empty()) {
        return std::nullopt;
    }
    long value = 0;
    for (const char c : word) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
        if (value > 65535) {
            return std::nullopt;
        }
    }
    return static_cast<int>(value);
}

// One JSON string literal that makes up the whole argument.
std::optional<std::string> ParseJsonString(std::string_view argument) {
    if (argument.empty() || argument.front() != '"') {
        return std::nullopt;
    }
    const Json value = Json::parse(argument.begin(), argument.end(), nullptr, false);
    if (value.is_discarded() || !value.is_string()) {
        return std::nullopt;
    }
    return value.get<std::string>();
}

// Paths are UTF-8, also where the system's narrow paths are not.
bool IsFolder(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_directory(std::u8string(path.begin(), path.end()), error);
}

// Folders are separated by a slash, and on Windows by a backslash as well.
#ifdef _WIN32
constexpr const char* kSeparators = "/\\";
#else
constexpr const char* kSeparators = "/";
#endif

// Reads up to the next line end, without it. A line longer than kMaxLineBytes
// is read to its end but not kept (tooLong). total counts every byte read.
// False when the script has ended, or has grown past kMaxScriptBytes.
bool ReadLine(std::istream& script, std::string& line, bool& tooLong, std::uint64_t& total) {
    line.clear();
    tooLong = false;
    bool any = false;
    char chunk[4096];
    while (total <= kMaxScriptBytes) {
        script.getline(chunk, sizeof chunk);
        const auto count = static_cast<std::size_t>(script.gcount());
        total += count;
        any = any || count > 0;
        const bool lineEnded = !script.fail() && !script.eof();
        const std::size_t stored = lineEnded ? count - 1 : count;
        if (tooLong || line.size() + stored > kMaxLineBytes) {
            tooLong = true;
            line.clear();
        } else {
            line.append(chunk, stored);
        }
        if (script.fail() && !script.eof() && count > 0) {
            script.clear(); // the chunk was full: the line goes on
            continue;
        }
        return any && total <= kMaxScriptBytes;
    }
    return false;
}

// The first count characters of UTF-8 text; a byte that is no UTF-8 counts as
// one, so the cut is at most four bytes a character.
std::size_t CharacterPrefix(std::string_view text, std::size_t count) {
    std::size_t end = 0;
    for (std::size_t characters = 0; end < text.size() && characters < count; ++characters) {
        std::size_t following = 0;
        ++end;
        while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80 &&
               following < 3) {
            ++end;
            ++following;
        }
    }
    return end;
}

} // namespace

std::string Quoted(std::string_view text) {
    const std::size_t shown = CharacterPrefix(text, kQuotedCharacters);
    const bool shortened = shown < text.size();
    // Bytes that are no UTF-8 become U+FFFD.
    const std::string literal =
        Json(text.substr(0, shown)).dump(-1, ' ', false, Json::error_handler_t::replace);
    // The JSON writer leaves DEL and the C1 controls (U+0080 to U+009F, which
    // some terminals obey) as they are.
    constexpr std::string_view kHex = "0123456789abcdef";
    std::string quoted;
    for (std::size_t i = 1; i + 1 < literal.size(); ++i) {
        auto codePoint = static_cast<unsigned char>(literal[i]);
        const auto next = static_cast<unsigned char>(literal[i + 1]);
        if (codePoint == 0xC2 && next >= 0x80 && next <= 0x9F) {
            codePoint = next;
            ++i;
        } else if (codePoint != 0x7F) {
            quoted += literal[i];
            continue;
        }
        quoted += "\\u00";
        quoted += kHex[codePoint >> 4];
        quoted += kHex[codePoint & 0xF];
    }
    if (shortened) {
        quoted += "... (shortened)";
    }
    return quoted;
}

SaveChoice ChooseSave(std::string path) {
    const std::size_t slash = path.find_last_of(kSeparators);
    const std::string folder = slash == std::string::npos ? "."
                               : slash == 0               ? "/"
                                                          : path.substr(0, slash);
    if (!IsFolder(folder)) {
        return {{}, "no such folder: " + Quoted(folder)};
    }
    // The save dialog's default extension.
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    if (nameStart == path.size()) {
        return {{}, "no file name after the folder", true};
    }
    if (path.find('.', nameStart) == std::string::npos) {
        path += '.';
        path += kDefaultExtension;
    }
    return {std::move(path), {}};
}

std::string MessageBoxJson(std::string_view ansiText, std::string_view ansiTitle) {
    Json box;
    box["title"] = Unicode(ansiTitle);
    box["text"] = Unicode(ansiText);
    Json line;
    line["message_box"] = std::move(box);
    return Dump(line);
}

std::string StateJson(ScriptTarget& target) {
    Json state;
    state["status"] = Unicode(target.Text(id::kStatus));
    state["rows"] = Unicode(target.Text(id::kRows));
    state["info"] = Unicode(target.Text(id::kInfoPanel));
    state["test"] = Unicode(TestText());
    Json globals;
    globals["Rader"] = Rader;
    globals["antal_enkelrader"] = antal_enkelrader;
    globals["antal_halvgarderingar"] = antal_halvgarderingar;
    globals["antal_helgarderingar"] = antal_helgarderingar;
    globals["antal_enkeltecken"] = antal_enkeltecken;
    globals["antalsakra"] = antalsakra;
    globals["sakra"] = sakra;
    globals["ir"] = ir;
    state["globals"] = std::move(globals);
    Json controls = Json::array();
    for (const auto& entry : kControlTable) {
        const ControlSnapshot control = target.Control(entry.id);
        Json item;
        item["id"] = control.id;
        item["visible"] = control.visible;
        item["enabled"] = control.enabled;
        item["checked"] = control.checked;
        controls.push_back(std::move(item));
    }
    state["controls"] = std::move(controls);
    // Only while on, so that a script that never turns it on reads as before.
    if (target.IsMenuChecked(id::kMenuDistinct)) {
        state["distinct"] = true;
    }
    return Dump(state);
}

std::int64_t ScriptRunner::Run(std::istream& script) {
    std::int64_t refused = 0;
    std::int64_t lineNumber = 0;
    std::uint64_t total = 0;
    std::string line;
    bool tooLong = false;
    while (ReadLine(script, line, tooLong, total)) {
        ++lineNumber;
        if (tooLong) {
            Refuse(lineNumber,
                   "the line is longer than " + std::to_string(kMaxLineBytes) + " bytes");
            ++refused;
            continue;
        }
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        // Editors on Windows like to start UTF-8 files with a byte-order mark.
        if (lineNumber == 1 && line.starts_with("\xEF\xBB\xBF")) {
            line.erase(0, 3);
        }
        if (!RunLine(line, lineNumber)) {
            ++refused;
        }
    }
    if (total > kMaxScriptBytes) {
        Refuse(lineNumber + 1, "the script is longer than " + std::to_string(kMaxScriptBytes) +
                                   " bytes; the rest is not run");
        ++refused;
    }
    return refused;
}

bool ScriptRunner::Refuse(std::int64_t lineNumber, std::string_view reason) {
    err_ << "kupongen-headless: line " << lineNumber << ": " << reason << '\n';
    return false;
}

bool ScriptRunner::RunLine(std::string_view line, std::int64_t lineNumber) {
    std::string_view rest = Trim(line);
    if (rest.empty() || rest.front() == '#') {
        return true;
    }
    const std::string verb(NextWord(rest));

    if (verb == "state") {
        if (!rest.empty()) {
            return Refuse(lineNumber, "state takes no arguments");
        }
        out_ << StateJson(target_) << '\n';
        return true;
    }

    if (verb == "click") {
        const std::string_view word = NextWord(rest);
        if (word.empty() || !rest.empty()) {
            return Refuse(lineNumber, "click takes one control id");
        }
        const auto controlId = ParseNumber(word);
        if (!controlId) {
            return Refuse(lineNumber, "not a control id: " + Quoted(word));
        }
        if (ControlPosition(*controlId) < 0) {
            return Refuse(lineNumber, "no control has the id " + Quoted(word));
        }
        if (!target_.CanClick(*controlId)) {
            return Refuse(lineNumber, "control " + std::to_string(*controlId) +
                                          " cannot be clicked (not a button, hidden or disabled)");
        }
        target_.Click(*controlId);
        return true;
    }

    if (verb == "notify") {
        const std::string_view idWord = NextWord(rest);
        const std::string_view codeWord = NextWord(rest);
        if (idWord.empty() || codeWord.empty() || !rest.empty()) {
            return Refuse(lineNumber, "notify takes a control id and a notification code");
        }
        const auto controlId = ParseNumber(idWord);
        const auto code = ParseNumber(codeWord);
        if (!controlId || !code) {
            return Refuse(lineNumber, "notify takes numbers from 0 to 65535");
        }
        target_.Notify(*controlId, *code);
        return true;
    }

    if (verb == "edit") {
        auto text = ParseJsonString(rest);
        if (!text) {
            return Refuse(lineNumber, "edit takes one JSON string");
        }
        // The window's text is zero-terminated.
        text->resize(std::char_traits<char>::length(text->c_str()));
        target_.TypeRowsText(Utf8ToAnsi(*text));
        return true;
    }

    // SPARA, or the menu's command that saves the system for upload (which
    // asks for the path only when the rows window holds a system it takes).
    if (verb == "save" || verb == "save-system") {
        auto path = ParseJsonString(rest);
        if (!path) {
            return Refuse(lineNumber, verb + " takes one JSON string");
        }
        if (path->empty()) {
            return Refuse(lineNumber, verb + " needs a file name");
        }
        if (path->find('\0') != std::string::npos) {
            return Refuse(lineNumber, "a path cannot hold a NUL character");
        }
        const bool system = verb == "save-system";
        if (!system && !target_.CanClick(id::kSave)) {
            return Refuse(lineNumber, "the Save button is not shown yet");
        }
        const SaveChoice choice = ChooseSave(std::move(*path));
        if (choice.nameMissing) {
            return Refuse(lineNumber, verb + " needs a file name after the folder");
        }
        if (!choice.refusal.empty()) {
            return Refuse(lineNumber, choice.refusal);
        }
        system ? target_.SaveSystemTo(choice.path) : target_.SaveTo(choice.path);
        return true;
    }

    if (verb == "distinct") {
        const std::string_view word = NextWord(rest);
        if ((word != "on" && word != "off") || !rest.empty()) {
            return Refuse(lineNumber, "distinct takes on or off");
        }
        // The menu command toggles, so it is chosen only to change the mark.
        if (target_.IsMenuChecked(id::kMenuDistinct) != (word == "on")) {
            target_.Notify(id::kMenuDistinct, 0);
        }
        return true;
    }

    return Refuse(lineNumber, "unknown verb: " + Quoted(verb));
}

} // namespace kupongen::script
