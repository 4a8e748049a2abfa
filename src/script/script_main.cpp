#include "script_main.h"

#include "command_line.h"
#include "dialog_template.h"
#include "random_mersenne.h"
#include "script_runner.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <string_view>

namespace kupongen::script {

namespace {

constexpr std::string_view kUsage =
    "Usage: kupongen-headless [--seed N] (--rows N | --system H,F) [OPTION]... [-o FILE]\n"
    "       kupongen-headless --check FILE [--json]\n"
    "       kupongen-headless --grade FILE --result ROW [--json]\n"
    "       kupongen-headless [--seed N] [--] [SCRIPT]\n"
    "       kupongen-headless --help | --version\n"
    "\n"
    "Makes the rows of the Kupongen window with no window: the options make the\n"
    "clicks a user makes, so the rows are byte for byte those the window saves.\n"
    "They go to FILE, or else to standard output (Windows-1252, CR LF).\n"
    "\n"
    "  --rows N         N single rows: 1 to 24, 36, 50, 60, 72, 144 or 256\n"
    "  --system H,F     one system row with H half covers and F full covers,\n"
    "                   H + F at most 13\n"
    "  --upload[=HEADER]\n"
    "                   single rows in the upload format, headed stryktipset\n"
    "                   (the default) or italienska; without it a coupon table.\n"
    "                   With --system, the system's upload file (one M line)\n"
    "                   instead of the table\n"
    "  --append K       with --upload: K presses of GENERERA, the rows added up\n"
    "  --distinct       Verktyg > Unika rader: no single row repeats another\n"
    "  --method METHOD  klassiskt, england (the default) or sverige\n"
    "  --sure M=S[,M=S]...\n"
    "                   match M (1 to 13) sure with the sign S (1, X or 2);\n"
    "                   may be given again\n"
    "  --random-sure K  K presses of SLUMPA s\u00e4ker match (0 to 13)\n"
    "  -o, --output FILE\n"
    "                   save the rows to FILE, adding .txt to a name without a\n"
    "                   dot, instead of printing them\n"
    "  --seed N         seed the random generator with N (-2147483648 to\n"
    "                   4294967295) instead of the clock\n"
    "\n"
    "Examples:\n"
    "  kupongen-headless --rows 10 --upload --sure 4=X -o rader\n"
    "  kupongen-headless --system 3,1 --method klassiskt --sure 5=X\n"
    "  kupongen-headless --system 3,2 --upload -o system\n"
    "\n"
    "When the program warns instead of making rows (too many sure matches for\n"
    "the system, Append rows that no longer fit, a system of more than 20,000\n"
    "rows for upload), the warning goes to standard error and nothing is\n"
    "written. When --distinct runs out of rows, the rows made are written and\n"
    "the status line that says how many goes to standard error.\n"
    "\n"
    "A rows file (one Kupongen writes, or another tool's upload file) can be\n"
    "checked before the upload and graded after the round; FILE - is standard\n"
    "input, and the report is UTF-8 with LF line ends:\n"
    "  --check FILE     what FILE holds, its repeated rows and faulty lines, the\n"
    "                   operator's limits, and whether it can be uploaded\n"
    "  --grade FILE     how many right each row got against --result\n"
    "  --result ROW     the round's result: 13 signs, each 1, X or 2, or ? or -\n"
    "                   for a match still open, with or without commas\n"
    "  --json           one JSON object instead of the report\n"
    "  kupongen-headless --check rader.txt && upload   (your own upload step)\n"
    "  kupongen-headless --grade rader.txt --result 1X21X2?1X21X2 --json\n"
    "\n"
    "Without these options each line of SCRIPT (or of standard input when SCRIPT\n"
    "is absent or -) is a user action, and the dialog's state is printed as\n"
    "JSON lines. This is the exact way in, for what the options cannot say.\n"
    "  click ID         a user's click on a check box, radio button or push button\n"
    "  notify ID CODE   a command notification without the control's own change\n"
    "  edit TEXT        replace the rows window's text (TEXT is a JSON string)\n"
    "  save PATH        save the rows window to PATH (a JSON string)\n"
    "  save-system PATH save the rows window's system row to PATH as its upload\n"
    "                   file (Verktyg > Spara systemet f\u00f6r uppladdning)\n"
    "  distinct on|off  choose Verktyg > Unika rader when its mark differs: no\n"
    "                   single row of a press repeats another in the rows text\n"
    "  state            print the whole state as one JSON line; it ends in\n"
    "                   \"distinct\": true while distinct rows are on\n"
    "Blank lines and lines starting with # are ignored. A line longer than\n"
    "4 MiB is refused; a script longer than 64 MiB is refused from there on.\n"
    "\n"
    "  -h, --help       show this text\n"
    "  -V, --version    show the version\n"
    "  --               take what follows as SCRIPT, even if it starts with -\n"
    "\n"
    "Exit status: 2 for a usage error. With the options, 0 when the rows were\n"
    "written, 1 when they were not (a warning, a failed save). With --check, 0\n"
    "when the file can be uploaded, 1 when it cannot or cannot be read; with\n"
    "--grade, 0 when graded, 1 when the file cannot be read; for both, 2 when\n"
    "standard output could not be written. With a script, 0 when every line\n"
    "ran, 1 when a line was refused, and 2 when standard output could not be\n"
    "written.\n";

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

} // namespace

int ScriptMain(std::span<const std::string> arguments, const TargetFactory& makeTarget) {
    const CommandLine line = ReadCommandLine(arguments);
    if (!line.error.empty()) {
        return UsageError(line.error);
    }
    switch (line.mode) {
    case CommandLine::Mode::kHelp:
        std::cout << kUsage;
        return Finish(0);
    case CommandLine::Mode::kVersion:
        std::cout << "kupongen-headless " << kVersion.view() << "\n";
        return Finish(0);
    case CommandLine::Mode::kRows:
        if (line.seed) {
            rg.RandomInit(*line.seed);
        }
        return RunRowsRequest(line.rows, makeTarget, std::cout, std::cerr);
    case CommandLine::Mode::kCheck:
    case CommandLine::Mode::kGrade:
        return Finish(RunReview(line.review, std::cin, std::cout, std::cerr));
    case CommandLine::Mode::kScript:
        break;
    }

    const std::optional<std::string>& scriptPath = line.scriptPath;
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

    if (line.seed) {
        rg.RandomInit(*line.seed);
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
