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
    "Usage: kupongen-headless [--seed N] [SCRIPT]\n"
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
    "  state            print the whole state as one JSON line\n"
    "Blank lines and lines starting with # are ignored.\n"
    "\n"
    "Options:\n"
    "  --seed N    seed the random generator with N (-2147483648 to 4294967295)\n"
    "              instead of the clock\n"
    "  --help      show this text\n"
    "  --version   show the version\n"
    "\n"
    "Exit status: 0 when every line ran, 1 when a line was refused, 2 for a\n"
    "usage error.\n";

int UsageError(std::string_view message) {
    std::cerr << "kupongen-headless: " << message << "\n"
              << "Try 'kupongen-headless --help'.\n";
    return 2;
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
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (argument == "--help") {
            std::cout << kUsage;
            return 0;
        }
        if (argument == "--version") {
            std::cout << "kupongen-headless " << kVersion.view() << "\n";
            return 0;
        }
        if (argument == "--seed") {
            if (i + 1 == arguments.size()) {
                return UsageError("--seed needs a number");
            }
            const std::string_view value = arguments[++i];
            seed = ParseSeed(value);
            if (!seed) {
                return UsageError("bad seed: " + std::string(value));
            }
        } else if (argument.size() > 1 && argument.front() == '-') {
            return UsageError("unknown option: " + std::string(argument));
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
            return UsageError("cannot read the script " + *scriptPath);
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
    const int refused = runner.Run(*script);
    std::cout.flush();
    if (script->bad()) {
        std::cerr << "kupongen-headless: reading the script failed\n";
        return 2;
    }
    return refused == 0 ? 0 : 1;
}

} // namespace kupongen::script
