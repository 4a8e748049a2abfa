#include "command_line.h"

#include "script_runner.h"

#include <array>
#include <charconv>
#include <string_view>
#include <utility>

namespace kupongen::script {

namespace {

// The options of every mode; store is null for these.
constexpr std::array<NamedOption, 3> kProgramOptions = {{
    {"help", 'h', Takes::kNothing, nullptr},
    {"version", 'V', Takes::kNothing, nullptr},
    {"seed", 0, Takes::kValue, nullptr},
}};

// The option an argument names: "--name" or "--name=VALUE" by its long name,
// "-n" or "-nVALUE" by its short one.
const NamedOption* Find(std::string_view argument) {
    const bool isLong = argument.starts_with("--");
    const std::string_view name = argument.substr(2, argument.find('=') - 2);
    for (const std::span<const NamedOption> table :
         {std::span<const NamedOption>(kProgramOptions), NamedOptions()}) {
        for (const NamedOption& option : table) {
            if (isLong ? option.name == name
                       : option.shortName != 0 && option.shortName == argument[1]) {
                return &option;
            }
        }
    }
    return nullptr;
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

CommandLine Failed(std::string error) {
    CommandLine line;
    line.error = std::move(error);
    return line;
}

} // namespace

CommandLine ReadCommandLine(std::span<const std::string> arguments) {
    CommandLine line;
    bool options = true;
    // An option whose value can only follow "=", just before an operand.
    const NamedOption* optionalBefore = nullptr;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        const NamedOption* previousOptional = std::exchange(optionalBefore, nullptr);
        if (!options || argument.size() < 2 || argument.front() != '-') {
            // "--upload italienska" means what "--upload=italienska" says.
            RowsRequest probe;
            if (previousOptional != nullptr && !previousOptional->store(probe, argument)) {
                return Failed("--" + std::string(previousOptional->name) + " " + Quoted(argument) +
                              ": its value is written --" + std::string(previousOptional->name) +
                              "=" + Quoted(argument));
            }
            if (line.scriptPath) {
                return Failed("only one script can be run");
            }
            line.scriptPath = argument;
            continue;
        }
        if (argument == "--") {
            options = false;
            continue;
        }

        const bool isLong = argument.starts_with("--");
        const std::size_t equals = isLong ? argument.find('=') : std::string_view::npos;
        const NamedOption* option = Find(argument);
        std::optional<std::string_view> attached;
        if (isLong && equals != std::string_view::npos) {
            attached = argument.substr(equals + 1);
        } else if (!isLong && argument.size() > 2) {
            attached = argument.substr(2);
        }
        if (option == nullptr || (!isLong && attached && option->takes != Takes::kValue)) {
            return Failed("unknown option: " + Quoted(argument));
        }
        const std::string spelled =
            isLong ? "--" + std::string(option->name) : std::string(argument.substr(0, 2));
        std::string_view value;
        if (option->takes == Takes::kNothing && attached) {
            return Failed(spelled + " takes no value: " + Quoted(argument));
        }
        if (option->takes == Takes::kValue) {
            if (attached) {
                value = *attached;
            } else if (i + 1 < arguments.size()) {
                value = arguments[++i];
            } else {
                return Failed(spelled + " needs a value");
            }
        } else if (option->takes == Takes::kOptionalValue) {
            value = attached.value_or("");
            optionalBefore = attached ? nullptr : option;
        }
        // As a message names the option: "--rows 25", "--upload=lotto".
        std::string given = spelled;
        if (option->takes == Takes::kValue) {
            given += " " + (value.empty() ? "''" : Quoted(value));
        } else if (attached) {
            given += "=" + (value.empty() ? "''" : Quoted(value));
        }

        if (option->name == "help" || option->name == "version") {
            line.mode =
                option->name == "help" ? CommandLine::Mode::kHelp : CommandLine::Mode::kVersion;
            return line;
        }
        if (option->name == "seed") {
            line.seed = ParseSeed(value);
            if (!line.seed) {
                return Failed(given + ": not a seed (a number from -2147483648 to 4294967295)");
            }
            continue;
        }
        if (line.rows.firstOption.empty()) {
            line.rows.firstOption = given;
        }
        if (const auto reason = option->store(line.rows, value)) {
            return Failed(given + ": " + *reason);
        }
        line.mode = CommandLine::Mode::kRows;
    }

    if (line.mode == CommandLine::Mode::kRows) {
        if (line.scriptPath) {
            return Failed(line.rows.firstOption + " and the script " + Quoted(*line.scriptPath) +
                          ": the options for rows take no script");
        }
        if (auto error = CheckRowsRequest(line.rows)) {
            return Failed(std::move(*error));
        }
    }
    return line;
}

} // namespace kupongen::script
