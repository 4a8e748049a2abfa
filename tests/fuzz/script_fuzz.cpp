// libFuzzer over the script reader and runner, driving the dialog model in
// process. Every input starts from the same state (seed, generation globals,
// no saved file), so that a finding replays on its own. Whatever path a script
// names, a save (of the rows or of the system's upload file) goes to the one
// file in this fuzzer's own scratch folder:
// fuzzed scripts never write or delete anything outside it.
#include "control_table.h"
#include "generation.h"
#include "model_target.h"
#include "random_mersenne.h"
#include "script_runner.h"
#include "system_upload.h"
#include "test_helpers.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <ostream>
#include <sstream>
#include <streambuf>
#include <string>
#include <string_view>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using namespace kupongen;
using testing::ReadFile;

constexpr std::int32_t kSeed = 1;

const std::array<std::int32_t*, 8> kGlobals = {&Rader,
                                               &antal_enkelrader,
                                               &antal_halvgarderingar,
                                               &antal_helgarderingar,
                                               &antal_enkeltecken,
                                               &antalsakra,
                                               &sakra,
                                               &ir};

// The generation state as the program starts, restored before every input.
std::array<std::int32_t, kGlobals.size()> startGlobals;
std::string startTest;

fs::path scratchFolder;
fs::path scratchFile;

void RemoveScratchFolder() {
    std::error_code ignored;
    fs::remove_all(scratchFolder, ignored);
}

[[noreturn]] void Fail(const char* what, std::string_view detail) {
    std::fprintf(stderr, "%s: %.*s\n", what, static_cast<int>(detail.size()), detail.data());
    std::abort();
}

// The model's dialog, with every save sent to the scratch file and checked.
class SandboxTarget final : public script::ScriptTarget {
public:
    SandboxTarget() : inner_([this](std::string_view, std::string_view) { ++boxes_; }) {}

    bool CanClick(int controlId) override { return inner_.CanClick(controlId); }
    void Click(int controlId) override { inner_.Click(controlId); }
    void Notify(int controlId, int code) override { inner_.Notify(controlId, code); }
    void TypeRowsText(const std::string& ansiText) override { inner_.TypeRowsText(ansiText); }
    void SaveTo(const std::string&) override {
        const int boxesBefore = boxes_;
        inner_.SaveTo(scratchFile.string());
        // A save that reports no failure holds exactly the rows window's bytes.
        if (boxes_ == boxesBefore && ReadFile(scratchFile) != inner_.Text(id::kRows)) {
            Fail("saved file differs from the rows window", scratchFile.string());
        }
    }
    void SaveSystemTo(const std::string&) override {
        const int boxesBefore = boxes_;
        std::error_code ignored;
        fs::remove(scratchFile, ignored);
        inner_.SaveSystemTo(scratchFile.string());
        // A file written holds the upload of the rows window's system.
        if (boxes_ == boxesBefore && fs::exists(scratchFile, ignored)) {
            const bool italian = inner_.Control(id::kItalian).checked;
            const rows::SystemUpload upload = rows::MakeSystemUpload(
                inner_.Text(id::kRows),
                italian ? rows::Product::Italienska : rows::Product::Stryktipset);
            if (!upload.ok || ReadFile(scratchFile) != upload.bytes) {
                Fail("saved system differs from its upload file", scratchFile.string());
            }
        }
    }
    std::string Text(int controlId) override { return inner_.Text(controlId); }
    script::ControlSnapshot Control(int controlId) override { return inner_.Control(controlId); }
    bool IsMenuChecked(int menuId) override { return inner_.IsMenuChecked(menuId); }

private:
    int boxes_ = 0;
    script::ModelTarget inner_;
};

// Checks each output line as it is written, keeping none of it (a script may
// print hundreds of megabytes): every line starts as it must, ends in its one
// line end and holds no other control character.
class LineChecker final : public std::streambuf {
public:
    LineChecker(std::string_view start, const char* stream) : start_(start), stream_(stream) {}

    // The number of lines, all of them ended.
    std::int64_t Lines() const {
        if (column_ != 0) {
            Fail(stream_, "the last line has no line end");
        }
        return lines_;
    }

protected:
    int_type overflow(int_type c) override {
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            Put(traits_type::to_char_type(c));
        }
        return traits_type::not_eof(c);
    }
    std::streamsize xsputn(const char* text, std::streamsize count) override {
        for (const char c : std::string_view(text, static_cast<std::size_t>(count))) {
            Put(c);
        }
        return count;
    }

private:
    void Put(char c) {
        if (c == '\n') {
            if (column_ < start_.size()) {
                Fail(stream_, "a line too short");
            }
            ++lines_;
            column_ = 0;
            return;
        }
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            Fail(stream_, "a control character in a line");
        }
        if (column_ < start_.size() && c != start_[column_]) {
            Fail(stream_, "a line that starts wrongly");
        }
        ++column_;
    }

    std::string_view start_;
    const char* stream_;
    std::size_t column_ = 0;
    std::int64_t lines_ = 0;
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::string pattern = (fs::temp_directory_path() / "kupongen-fuzz-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        Fail("cannot make a scratch folder", pattern);
    }
    scratchFolder = pattern;
    scratchFile = scratchFolder / "rows.txt";
    std::atexit(RemoveScratchFolder);
    for (std::size_t i = 0; i < kGlobals.size(); ++i) {
        startGlobals[i] = *kGlobals[i];
    }
    startTest = TestText();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    for (std::size_t i = 0; i < kGlobals.size(); ++i) {
        *kGlobals[i] = startGlobals[i];
    }
    TestCopy(startTest);
    rg.RandomInit(kSeed);
    std::error_code ignored;
    fs::remove(scratchFile, ignored);

    std::istringstream script(std::string(reinterpret_cast<const char*>(data), size));
    LineChecker outLines("{", "standard output");
    LineChecker refusalLines("kupongen-headless: line ", "refusals");
    std::ostream out(&outLines);
    std::ostream err(&refusalLines);
    SandboxTarget target;
    script::ScriptRunner runner(target, out, err);
    const std::int64_t refused = runner.Run(script);
    outLines.Lines();
    if (refusalLines.Lines() != refused) {
        Fail("refusals", "not one line each");
    }
    return 0;
}
