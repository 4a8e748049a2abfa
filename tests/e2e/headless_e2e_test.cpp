// End-to-end: kupongen-headless run as a user would, with scripts and fixed
// seeds, its JSON output and saved files checked against the documented
// formats.
#include "model_target.h"
#include "script_runner.h"
#include "test_helpers.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Json = nlohmann::json;
namespace id = kupongen::id;
using kupongen::RowCountId;
using kupongen::testing::ReadFile;
using kupongen::testing::SplitLines;

struct ScriptRun {
    int status = -1;
    std::string output;
    std::vector<Json> lines; // standard output, one JSON object a line
    std::string errors;

    // The last printed state.
    const Json& State() const {
        for (auto it = lines.rbegin(); it != lines.rend(); ++it) {
            if (it->contains("controls")) {
                return *it;
            }
        }
        throw std::runtime_error("no state printed");
    }
};

class HeadlessTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder_ = fs::temp_directory_path() /
                  (std::string("kupongen-e2e-") + info->name() + "-" + std::to_string(::getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    // The script goes to script.txt, which is given last on the command line
    // unless scriptArgument names another one.
    ScriptRun RunScript(const std::string& script, const std::string& options = "--seed 1",
                        const std::string& scriptArgument = "script.txt") {
        const fs::path scriptPath = folder_ / "script.txt";
        std::ofstream(scriptPath, std::ios::binary) << script;
        const std::string command = "cd '" + folder_.string() + "' && '" KUPONGEN_HEADLESS "' " +
                                    options + " " + scriptArgument + " 2>errors.txt";
        ScriptRun run;
        FILE* pipe = ::popen(command.c_str(), "r");
        std::string out;
        std::array<char, 65536> buffer{};
        std::size_t n = 0;
        while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) {
            out.append(buffer.data(), n);
        }
        const int raw = ::pclose(pipe);
        run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        run.output = out;
        std::istringstream lines(out);
        for (std::string line; std::getline(lines, line);) {
            if (line.starts_with('{')) {
                run.lines.push_back(Json::parse(line));
            }
        }
        run.errors = ReadFile(folder_ / "errors.txt");
        return run;
    }

    std::string Saved(const std::string& name) { return ReadFile(folder_ / name); }

    fs::path folder_;
};

// The script line of a click.
std::string Click(int controlId) {
    return "click " + std::to_string(controlId) + "\n";
}

const std::string kCompatibleTwoRows =
    Click(id::kEnkelrader) + Click(RowCountId(2)) + Click(id::kCompatible) + Click(id::kGenerate);

TEST_F(HeadlessTest, CompatibleRowsThenAppendedRowGiveTheDocumentedFile) {
    const ScriptRun run = RunScript(std::string(kCompatibleTwoRows) + "save \"two\"\n"
                                                                      "click 1115\n" // Append
                                                                      "click 1040\n" // 1 row
                                                                      "click 1007\n"
                                                                      "save \"three.txt\"\n"
                                                                      "state\n");
    ASSERT_EQ(run.status, 0) << run.errors;
    const std::string two = Saved("two.txt");
    const std::string three = Saved("three.txt");
    EXPECT_EQ(two.size(), 69u);
    EXPECT_EQ(three.size(), 98u);
    EXPECT_EQ(three.substr(0, two.size()), two);
    const auto lines = SplitLines(three);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "Stryktipset");
    for (std::size_t i = 1; i < lines.size(); ++i) {
        ASSERT_EQ(lines[i].size(), 27u);
        EXPECT_EQ(lines[i][0], 'E');
        for (std::size_t m = 0; m < 13; ++m) {
            EXPECT_EQ(lines[i][1 + 2 * m], ',');
            EXPECT_NE(std::string("1X2").find(lines[i][2 + 2 * m]), std::string::npos);
        }
    }
    const Json& state = run.State();
    EXPECT_EQ(state["globals"]["Rader"], 3);
    EXPECT_EQ(state["rows"].get<std::string>(), three);
    EXPECT_EQ(state["test"].get<std::string>(), three);
}

TEST_F(HeadlessTest, TableFormatLengthsFollowTheRowCount) {
    for (const auto& [button, rows] : {std::pair{1041, 2}, std::pair{1113, 256}}) {
        const ScriptRun run = RunScript(Click(id::kEnkelrader) + Click(button) +
                                        "click 1007\nsave \"table\"\nstate\n");
        ASSERT_EQ(run.status, 0) << run.errors;
        const std::string table = Saved("table.txt");
        EXPECT_EQ(table.size(), static_cast<std::size_t>(205 + 48 * rows));
        const auto lines = SplitLines(table);
        ASSERT_EQ(lines.size(), 16u);
        const auto n = static_cast<std::size_t>(rows);
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const bool separator = i == 3 || i == 7 || i == 11;
            const bool twoDigitMatch = i >= 12;
            const std::size_t expected = separator       ? 12 + 3 * n
                                         : twoDigitMatch ? 10 + 3 * n
                                                         : 11 + 3 * n;
            EXPECT_EQ(lines[i].size(), expected) << "line " << i + 1 << " for " << rows << " rows";
        }
        EXPECT_EQ(lines[3], " " + std::string(11 + 3 * n, '-'));
        EXPECT_EQ(lines[12].substr(0, 10), " Match 10:");
    }
}

TEST_F(HeadlessTest, ThirtyFourAppendedPressesOf256RowsFitAndTheNextIsRefused) {
    std::string script = Click(id::kEnkelrader) + Click(RowCountId(256)) + Click(id::kCompatible) +
                         Click(id::kAppend);
    for (int press = 0; press < 34; ++press) {
        script += "click 1007\n";
    }
    script += "state\nclick 1007\nstate\nsave \"full\"\n";
    const ScriptRun run = RunScript(script);
    ASSERT_EQ(run.status, 0) << run.errors;
    ASSERT_EQ(run.lines.size(), 2u);
    const Json& fitted = run.lines[0];
    const Json& refused = run.lines[1];
    const std::size_t fullLength = 11 + 34 * 256 * 29;
    EXPECT_EQ(fitted["test"].get<std::string>().size(), fullLength);
    EXPECT_EQ(fitted["globals"]["Rader"], 34 * 256);
    EXPECT_EQ(refused["status"], "Raderna får inte plats! Spara och börja om.");
    EXPECT_EQ(refused["test"], fitted["test"]);
    EXPECT_EQ(refused["rows"], fitted["rows"]);
    EXPECT_EQ(refused["globals"], fitted["globals"]);
    EXPECT_EQ(Saved("full.txt").size(), fullLength);
}

TEST_F(HeadlessTest, HandEditsAreSavedAsWindows1252WithCrLf) {
    const ScriptRun run = RunScript(std::string(kCompatibleTwoRows) +
                                    "edit \"rå\\r\\nsäkert kött ☃\"\nsave \"edited\"\n");
    ASSERT_EQ(run.status, 0) << run.errors;
    EXPECT_EQ(Saved("edited.txt"), "r\xE5\r\ns\xE4kert k\xF6tt ?");
}

TEST_F(HeadlessTest, EmptyRowsWindowSavesAnEmptyFileWithoutComplaint) {
    const ScriptRun run =
        RunScript(std::string(kCompatibleTwoRows) + "edit \"\"\nsave \"empty\"\n");
    ASSERT_EQ(run.status, 0) << run.errors;
    EXPECT_TRUE(run.lines.empty());
    EXPECT_TRUE(fs::exists(folder_ / "empty.txt"));
    EXPECT_EQ(Saved("empty.txt"), "");
}

TEST_F(HeadlessTest, SavingOverAFolderFailsWithAMessageBox) {
    fs::create_directory(folder_ / "taken.txt");
    const ScriptRun run = RunScript(std::string(kCompatibleTwoRows) + "save \"taken\"\n");
    ASSERT_EQ(run.status, 0) << run.errors;
    ASSERT_EQ(run.lines.size(), 1u);
    EXPECT_EQ(run.lines[0],
              Json::parse(R"({"message_box": {"title": "Error", "text": "Save file failed."}})"));
    EXPECT_TRUE(fs::is_directory(folder_ / "taken.txt"));
}

TEST_F(HeadlessTest, RefusedLinesChangeNothingAndAreReportedWithTheirNumbers) {
    const std::string mode = std::to_string(id::kEnkelrader);
    const std::vector<std::string> lines = {
        "state",
        "Click " + mode,                      // 2: verbs are case-sensitive
        "click 1007",                         // 3: Generate is hidden at start
        "click " + std::to_string(id::kRows), // 4: an edit is not clickable
        "click 999",                          // 5: no such control
        "click +" + mode,                     // 6: no signs
        "notify " + mode + " 65536",          // 7: out of range
        "state x",                            // 8: too many arguments
        "click " + mode + " 2",               // 9
        "edit abc",                           // 10: not a JSON string
        "save \"a\" \"b\"",                   // 11
        "save \"x.txt\"",                     // 12: Save not shown yet
        "  # comment",
        "",
        "notify 1 0", // Enter: nothing happens
        "notify 2 0", // Escape: nothing happens
        "state"};
    std::string script;
    for (const std::string& line : lines) {
        script += line + "\n";
    }
    const ScriptRun run = RunScript(script);
    EXPECT_EQ(run.status, 1);
    ASSERT_EQ(run.lines.size(), 2u);
    EXPECT_EQ(run.lines[0], run.lines[1]);
    for (int line = 2; line <= 12; ++line) {
        EXPECT_NE(run.errors.find("kupongen-headless: line " + std::to_string(line) + ": "),
                  std::string::npos)
            << line;
    }
    EXPECT_EQ(run.errors.find("line 15"), std::string::npos);
}

TEST_F(HeadlessTest, ScriptsWithByteOrderMarkAndCrLfReadAsPlainOnes) {
    const std::string mode = std::to_string(id::kEnkelrader);
    const ScriptRun plain = RunScript("click " + mode + "\nclick 1007\nstate\n");
    const ScriptRun windows =
        RunScript(std::string("\xEF\xBB\xBF") + "click " + mode + "\r\nclick 1007\r\nstate\r\n");
    EXPECT_EQ(windows.status, 0) << windows.errors;
    EXPECT_EQ(windows.State(), plain.State());
}

TEST_F(HeadlessTest, SaveWithoutAFileNameIsRefused) {
    fs::create_directory(folder_ / "rows");
    const ScriptRun run = RunScript(std::string(kCompatibleTwoRows) + "save \"rows/\"\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.errors.find("line 5"), std::string::npos);
    EXPECT_TRUE(fs::is_empty(folder_ / "rows"));
}

TEST_F(HeadlessTest, SaveIntoAMissingFolderIsRefusedByTheSaveDialog) {
    const ScriptRun run = RunScript(std::string(kCompatibleTwoRows) + "save \"missing/rows\"\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.errors.find("line 5"), std::string::npos);
    EXPECT_FALSE(fs::exists(folder_ / "missing"));
}

TEST_F(HeadlessTest, SeedsAreTakenModulo2To32) {
    const std::string script = std::string(kCompatibleTwoRows) + "state\n";
    const ScriptRun minusOne = RunScript(script, "--seed -1");
    const ScriptRun wrapped = RunScript(script, "--seed 4294967295");
    const ScriptRun other = RunScript(script, "--seed 2");
    ASSERT_EQ(minusOne.status, 0);
    EXPECT_EQ(minusOne.State(), wrapped.State());
    EXPECT_NE(minusOne.State()["rows"], other.State()["rows"]);
}

TEST_F(HeadlessTest, TwoStartsInTheSameSecondDrawDifferentRows) {
    const std::string script =
        Click(id::kEnkelrader) + Click(RowCountId(10)) + Click(id::kGenerate) + "state\n";
    for (int attempt = 0; attempt < 5; ++attempt) {
        const std::time_t before = std::time(nullptr);
        const ScriptRun first = RunScript(script, "");
        const ScriptRun second = RunScript(script, "");
        if (std::time(nullptr) != before) {
            continue; // a second began between them
        }
        ASSERT_EQ(first.status, 0) << first.errors;
        EXPECT_NE(first.State()["rows"], second.State()["rows"]);
        return;
    }
    GTEST_SKIP() << "no two runs fitted into one second";
}

// Past 2^31 lines, which no test can feed in its time, the count goes on.
TEST(ScriptRunnerTest, LineNumbersGoPast2To31) {
    kupongen::script::ModelTarget target([](std::string_view, std::string_view) {});
    std::ostringstream out;
    std::ostringstream err;
    kupongen::script::ScriptRunner runner(target, out, err);
    EXPECT_FALSE(runner.RunLine("frobnicate", 3'000'000'000));
    EXPECT_EQ(err.str(), "kupongen-headless: line 3000000000: unknown verb: frobnicate\n");
}

// Each a message and the hint, two lines, with the argument escaped as script
// refusals escape it: no forged line, no control byte reaches the terminal.
TEST_F(HeadlessTest, UsageErrorsRunNothing) {
    for (const std::string& options : std::vector<std::string>{
             "--seed 4294967296", "--seed -2147483649", "--seed 0x10", "--seed", "--colour",
             "--seed 1 missing-script.txt", "--seed 1 .", "--seed=x", "script.txt script.txt",
             "--seed '1\nkupongen-headless: line 1: forged'", "'--\x1b[2J\xc2\x9b'",
             "--seed 1 -- '\x1b]0;title\x07'", "--seed " + std::string(5000, '9')}) {
        const fs::path marker = folder_ / "ran.txt";
        const ScriptRun run = RunScript(
            Click(id::kEnkelrader) + Click(id::kGenerate) + "save \"ran\"\n", options, "");
        EXPECT_EQ(run.status, 2) << options;
        EXPECT_TRUE(run.lines.empty()) << options;
        EXPECT_TRUE(
            run.errors.ends_with("\nTry 'kupongen-headless --help' for more information.\n"))
            << run.errors;
        EXPECT_EQ(std::count(run.errors.begin(), run.errors.end(), '\n'), 2) << run.errors;
        EXPECT_EQ(run.errors.find_first_of("\x1b\x07\x9b"), std::string::npos) << run.errors;
        EXPECT_LT(run.errors.size(), 400u) << options;
        EXPECT_FALSE(fs::exists(marker)) << options;
    }
}

TEST_F(HeadlessTest, HelpAndVersionExitCleanly) {
    for (const char* option : {"--help", "-h"}) {
        const ScriptRun help = RunScript("", option);
        EXPECT_EQ(help.status, 0);
        EXPECT_NE(help.output.find("Usage: kupongen-headless"), std::string::npos);
    }
    for (const char* option : {"--version", "-V", "--seed=3 -V"}) {
        const ScriptRun version = RunScript("", option);
        EXPECT_EQ(version.status, 0);
        EXPECT_EQ(version.output, "kupongen-headless 7.04\n");
    }
}

// A full disk or a closed standard output is a failure, with one line saying so.
TEST_F(HeadlessTest, OutputThatCannotBeWrittenFailsTheRun) {
    for (const std::string options : {"--help >/dev/full", "--version >/dev/full",
                                      "--seed 1 >/dev/full", "--seed 1 >&-", "-V >&-"}) {
        const ScriptRun run = RunScript("state\n", options);
        EXPECT_EQ(run.status, 2) << options;
        EXPECT_EQ(run.errors, "kupongen-headless: standard output could not be written\n")
            << options;
    }
}

// A line past the limit is refused without its text and the script goes on; a
// script without end is refused at its limit; neither takes memory beyond it.
TEST_F(HeadlessTest, OverlongLinesAndEndlessScriptsAreRefused) {
    using kupongen::script::kMaxLineBytes;
    const std::string fits = "edit \"" + std::string(kMaxLineBytes - 7, 'x') + "\"";
    const ScriptRun run =
        RunScript("state\n" + std::string(kMaxLineBytes + 1, '\x1b') + "\n" + fits + "\nstate\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.errors, "kupongen-headless: line 2: the line is longer than 4194304 bytes\n");
    ASSERT_EQ(run.lines.size(), 2u);
    EXPECT_EQ(run.lines[1]["rows"].get<std::string>().size(), kMaxLineBytes - 7);

    const ScriptRun endless = RunScript("", "--seed 1", "/dev/zero");
    EXPECT_EQ(endless.status, 1);
    EXPECT_EQ(endless.errors, "kupongen-headless: line 1: the script is longer than 67108864 "
                              "bytes; the rest is not run\n");
}

// Random mixes of the named options against the clicks a user makes for the
// same choices: whatever the options make, the script's save makes too.
TEST_F(HeadlessTest, NamedOptionsGiveTheBytesOfTheSameClicks) {
    std::mt19937 random(20261209);
    const auto pick = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    int compared = 0;
    for (int mix = 0; mix < 150; ++mix) {
        const int seed = pick(0, 1'000'000);
        std::string options = "--seed " + std::to_string(seed);
        std::string clicks;
        const bool system = pick(0, 3) == 0;
        const int header = pick(0, 2); // none, stryktipset, italienska
        int presses = 1;
        if (!system && pick(0, 2) == 0) {
            options += " --distinct";
            clicks += "distinct on\n";
        }
        if (system) {
            const int half = pick(0, 6);
            const int full = pick(0, 13 - half) / 2;
            options += " --system " + std::to_string(half) + "," + std::to_string(full);
            if (header == 2) {
                clicks += Click(id::kEnkelrader) + Click(id::kCompatible) + Click(id::kItalian);
            }
            clicks += Click(id::kSystem);
            clicks += half ? Click(kupongen::kHalfCoverIds[static_cast<std::size_t>(half)]) : "";
            clicks += full ? Click(kupongen::kFullCoverIds[static_cast<std::size_t>(full)]) : "";
        } else {
            const int rows = kupongen::kRowCountButtons[static_cast<std::size_t>(pick(0, 29))].rows;
            options += " --rows " + std::to_string(rows);
            clicks += Click(id::kEnkelrader) + (rows != 1 ? Click(RowCountId(rows)) : "");
            if (header != 0) {
                clicks += Click(id::kCompatible) + (header == 2 ? Click(id::kItalian) : "");
                if (pick(0, 1) == 0) {
                    presses = pick(1, 4);
                    options += " --append " + std::to_string(presses);
                    clicks += Click(id::kAppend);
                }
            }
        }
        if (header != 0) {
            options += header == 2 ? " --upload=italienska"
                                   : (pick(0, 1) ? " --upload" : " --upload=stryktipset");
        }
        const int method = pick(0, 2);
        const std::array<const char*, 3> methods = {"klassiskt", "england", "sverige"};
        if (method != 1 || pick(0, 1)) {
            options += std::string(" --method ") + methods[static_cast<std::size_t>(method)];
        }
        clicks += method != 1 ? Click(kupongen::kMethodIds[static_cast<std::size_t>(method)]) : "";
        for (int match = 1; match <= 13; ++match) {
            if (pick(0, 4) == 0) {
                const int sign = pick(0, 2);
                options += " --sure " + std::to_string(match) + "=" + "1X2"[sign];
                clicks += Click(kupongen::SureBoxId(match, sign));
            }
        }
        const int randomSure = pick(0, 3);
        options += " --random-sure " + std::to_string(randomSure);
        for (int press = 0; press < randomSure; ++press) {
            clicks += Click(id::kRandomSure);
        }
        for (int press = 0; press < presses; ++press) {
            clicks += Click(id::kGenerate);
        }
        const bool toFile = pick(0, 1) == 0;
        const ScriptRun named = RunScript("", options + (toFile ? " -o named" : ""), "");
        const std::string script =
            clicks + (system && header != 0 ? "save-system \"clicked\"\n" : "save \"clicked\"\n");
        const ScriptRun clicked = RunScript(script, "--seed " + std::to_string(seed));
        ASSERT_EQ(clicked.status, 0) << script << clicked.errors;
        if (named.status == 1) {
            continue; // the model warned instead of making rows
        }
        ASSERT_EQ(named.status, 0) << options << "\n" << named.errors;
        EXPECT_EQ(toFile ? Saved("named.txt") : named.output, Saved("clicked.txt")) << options;
        fs::remove(folder_ / "named.txt");
        fs::remove(folder_ / "clicked.txt");
        ++compared;
    }
    EXPECT_GE(compared, 120);
}

} // namespace
