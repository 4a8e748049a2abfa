// The command line of the script drivers, read by GNU's rules: "--name VALUE"
// or "--name=VALUE", "-o FILE" or "-oFILE", an optional value only after "=",
// "--" before operands that start with "-". An option given twice keeps its
// last value; --sure adds up. --seed goes with every mode, and changes nothing
// in the check and the grade. Reading changes nothing: every usage error is
// found before a control or a file is touched.
#pragma once

#include "named_options.h"
#include "review_command.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace kupongen::script {

struct CommandLine {
    // --help and --version answer at once, whatever follows them.
    enum class Mode { kScript, kRows, kCheck, kGrade, kHelp, kVersion };
    Mode mode = Mode::kScript;
    std::optional<std::int32_t> seed;
    // The script mode's SCRIPT; absent or "-" is standard input.
    std::optional<std::string> scriptPath;
    // Any rows option switches to the rows mode.
    RowsRequest rows;
    // --check FILE or --grade FILE --result ROW, with or without --json.
    ReviewRequest review;
    // A usage error: its one line, without the program's name.
    std::string error;
};

// arguments: the command line without the program name.
CommandLine ReadCommandLine(std::span<const std::string> arguments);

} // namespace kupongen::script
