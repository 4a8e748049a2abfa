#include "script_main.h"

#include "dialog_template.h"
#include "random_mersenne.h"
#include "script_runner.h"

#include <charconv>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <string_view>

namespace kupongen::script {

namespace {

constexpr std::string_view kUsage =
    "Usage: kupongen-headless [--seed N] [--] [SCRIPT]\n"
    "       kupongen-headless --help | --version\n"
    "\n"
    "Runs the Kupongen dialog without a window: each line of SCRIPT (or of\n"
    "standard input when SCRIPT is absent or -) is a user action, and the\n"
    "dialog's state is printed as JSON lines.\n"
    "\n"
    "Script lines:\n"
    "  click ID         a user's click on a check box, radio button or push button\n"
    "  notify ID CODE   a command notification without the control's own change\n"
    "  edit TEXT        replace the rows window's text (TEXT is a JSON string)\n"
    "  save PATH        save the rows window to PATH (a JSON string)\n"
    "  distinct on|off  choose Verktyg > Unika rader when its mark differs: no\n"
    "                   single row of a press repeats another in the rows text\n"
    "  state            print the whole state as one JSON line; it ends in\n"
    "                   \"distinct\": true while distinct rows are on\n"
    "Blank lines and lines starting with # are ignored.\n"
    "\n"
    "Options:\n"
    "  --seed N, --seed=N\n"
    "                 seed the random generator with N (-2147483648 to\n"
    "                 4294967295) instead of the clock\n"
    "  -h, --help     show this text\n"
    "  -V, --version  show the version\n"
    "  --             take what follows as SCRIPT, even if it starts with -\n"
    "\n"
    "A line longer than 4 MiB is refused; a script longer than 64 MiB is\n"
    "refused from there on.\n"
    "\n"
    "Exit status: 0 when every line ran, 1 when a line was refused, 2 for a\n"
    "usage error or when standard output could not be written.\n";

int UsageError(std::string_view message) {
    std::cerr << "kupongen-headless: " << message << "\n"
              << "Try 'kupongen-headless --help' for more information.\n";
    return 2;
}

// Output that did not reach standard output (a full disk, a closed stream) is
// a failure, not a run that went well.
int Finish(int status) {
    std::cout.flush();
    if (!std::cout) {
        std::cerr << "kupongen-headless: standard output could not be written\n";
        return 2;
    }
    return status;
}

// A decimal seed from -2^31 to 2^32 - 1, taken modulo 2^32.
std::optional<std::int32_t> ParseSeed(std::string_view text) {
    long long value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc{} || ptr != end || value < INT32_MIN ||
        value > static_cast<long long>(UINT32_MAX)) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

} // namespace

int ScriptMain(std::span<const std::string> arguments, const TargetFactory& makeTarget) {
    std::optional<std::int32_t> seed;
    std::optional<std::string> scriptPath;
    bool options = true;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        const bool option = options && argument.size() > 1 && argument.front() == '-';
        if (option && (argument == "--help" || argument == "-h")) {
            std::cout << kUsage;
            return Finish(0);
        }
        if (option && (argument == "--version" || argument == "-V")) {
            std::cout << "kupongen-headless " << kVersion.view() << "\n";
            return Finish(0);
        }
        if (option && (argument == "--seed" || argument.starts_with("--seed="))) {
            std::string_view value;
            if (argument != "--seed") {
                value = argument.substr(7);
            } else if (i + 1 < arguments.size()) {
                value = arguments[++i];
            } else {
                return UsageError("--seed needs a number");
            }
            seed = ParseSeed(value);
            if (!seed) {
                return UsageError("bad seed: " + Quoted(value));
            }
        } else if (option && argument == "--") {
            options = false;
        } else if (option) {
            return UsageError("unknown option: " + Quoted(argument));
        } else if (scriptPath) {
            return UsageError("only one script can be run");
        } else {
            scriptPath = argument;
        }
    }

    std::ifstream file;
    std::istream* script = &std::cin;
    if (scriptPath && *scriptPath != "-") {
        // UTF-8 on every platform, also where narrow paths are not.
        const std::filesystem::path path(std::u8string(scriptPath->begin(), scriptPath->end()));
        std::error_code error;
        // A folder opens like a file on some systems and then reads as nothing.
        if (!std::filesystem::is_directory(path, error)) {
            file.open(path, std::ios::binary);
        }
        if (!file.is_open()) {
            return UsageError("cannot read the script " + Quoted(*scriptPath));
        }
        script = &file;
    }

    if (seed) {
        rg.RandomInit(*seed);
    }
    const std::unique_ptr<ScriptTarget> target =
        makeTarget([](std::string_view text, std::string_view title) {
            std::cout << MessageBoxJson(text, title) << '\n';
        });
    ScriptRunner runner(*target, std::cout, std::cerr);
    const std::int64_t refused = runner.Run(*script);
    if (script->bad()) {
        std::cerr << "kupongen-headless: reading the script failed\n";
        return 2;
    }
    return Finish(refused == 0 ? 0 : 1);
}

} // namespace kupongen::script
