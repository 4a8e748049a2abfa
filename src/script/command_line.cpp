#include "command_line.h"

#include "ansi_text.h"
#include "script_runner.h"

#include <array>
#include <charconv>
#include <string_view>
#include <utility>

namespace kupongen::script {

namespace {

// The options of every mode, and those of the check and the grade; store is
// null for these.
constexpr std::array<NamedOption, 7> kProgramOptions = {{
    {"help", 'h', Takes::kNothing, nullptr},
    {"version", 'V', Takes::kNothing, nullptr},
    {"seed", 0, Takes::kValue, nullptr},
    {"check", 0, Takes::kValue, nullptr},
    {"grade", 0, Takes::kValue, nullptr},
    {"result", 0, Takes::kValue, nullptr},
    {"json", 0, Takes::kNothing, nullptr},
}};

// The options of the check and the grade as they were given, for messages.
struct ReviewOptions {
    std::string file;   // "--check rader.txt"
    std::string result; // "--result 1X2"
    std::string json;   // "--json"
};

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

// The check or the grade once every argument is read, or why the arguments
// do not make one.
std::optional<std::string> CheckReview(CommandLine& line, const ReviewOptions& given) {
    if (given.file.empty()) {
        if (!given.result.empty()) {
            return given.result + ": needs --grade FILE";
        }
        if (!given.json.empty()) {
            return given.json + ": needs --check FILE or --grade FILE";
        }
        return std::nullopt;
    }
    const bool check = line.review.kind == RowsReviewKind::Check;
    const std::string_view kind = check ? "--check" : "--grade";
    if (line.mode == CommandLine::Mode::kRows) {
        return given.file + " and " + line.rows.firstOption + ": " + std::string(kind) +
               " takes no rows options";
    }
    if (line.scriptPath) {
        return given.file + " and the script " + Quoted(*line.scriptPath) + ": " +
               std::string(kind) + " takes no script";
    }
    if (check && !given.result.empty()) {
        return given.result + ": is for --grade, not --check";
    }
    if (!check && given.result.empty()) {
        return given.file + ": needs --result ROW, the round's result";
    }
    line.mode = check ? CommandLine::Mode::kCheck : CommandLine::Mode::kGrade;
    return std::nullopt;
}

} // namespace

CommandLine ReadCommandLine(std::span<const std::string> arguments) {
    CommandLine line;
    ReviewOptions review;
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
        if (option->name == "check" || option->name == "grade") {
            const RowsReviewKind kind =
                option->name == "check" ? RowsReviewKind::Check : RowsReviewKind::Grade;
            if (!review.file.empty() && line.review.kind != kind) {
                return Failed(review.file + " and " + given + ": one at a time");
            }
            if (value.empty()) {
                return Failed(given + ": the file name is empty");
            }
            line.review.kind = kind;
            line.review.file = value;
            review.file = given;
            continue;
        }
        if (option->name == "result") {
            const rows::ResultParse result = rows::ParseResult(Utf8ToAnsi(value));
            if (!result.ok) {
                return Failed(given + ": expected 13 signs, each 1, X or 2, or ? or - for an "
                                      "open match");
            }
            line.review.result = result.result;
            review.result = given;
            continue;
        }
        if (option->name == "json") {
            line.review.json = true;
            review.json = given;
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

    if (auto error = CheckReview(line, review)) {
        return Failed(std::move(*error));
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
