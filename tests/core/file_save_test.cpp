// Saving the rows window: the file holds exactly the window's bytes, and a
// failed save reports itself and leaves an existing file as it was.
#include "file_save.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace kupongen {
namespace {

namespace fs = std::filesystem;
using testing::A;

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteRaw(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::set<std::string> Names(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

// A fresh folder per test, removed afterwards.
class FolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "kupongen-save-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder = pattern;
    }
    void TearDown() override {
        std::error_code ignored;
        fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(folder, ignored);
    }
    std::string PathOf(const std::string& name) const { return (folder / name).string(); }

    // Makes the folder read-only; false when this user can write there anyway.
    bool MakeReadOnly() {
        fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
        const fs::path probe = folder / "probe";
        if (std::ofstream(probe).is_open()) {
            fs::remove(probe);
            return false;
        }
        return true;
    }

    fs::path folder;
};

using WriteFileTest = FolderTest;

TEST_F(WriteFileTest, WritesExactlyTheBytes) {
    const std::string bytes = "Stryktipset\r\nE,1,X,2\r\n" + A(u8"Här åäö") + "\r\n";
    ASSERT_TRUE(WriteFileReplacing(PathOf("rader.txt"), bytes));
    EXPECT_EQ(ReadFile(PathOf("rader.txt")), bytes);
    EXPECT_EQ(Names(folder), std::set<std::string>{"rader.txt"}) << "no temporary file left";
}

TEST_F(WriteFileTest, SevenCharactersAndALineEndMakeNineBytes) {
    ASSERT_TRUE(WriteFileReplacing(PathOf("nine.txt"), "E,1,X,2\r\n"));
    EXPECT_EQ(fs::file_size(PathOf("nine.txt")), 9u);
}

TEST_F(WriteFileTest, AllByteValuesSurvive) {
    std::string bytes;
    for (int i = 0; i < 256; ++i) {
        bytes.push_back(static_cast<char>(i));
    }
    ASSERT_TRUE(WriteFileReplacing(PathOf("all.bin"), bytes));
    EXPECT_EQ(ReadFile(PathOf("all.bin")), bytes);
}

TEST_F(WriteFileTest, OverwriteReplacesCompletelyWithAShorterText) {
    WriteRaw(PathOf("rader.txt"), std::string(5000, 'x'));
    ASSERT_TRUE(WriteFileReplacing(PathOf("rader.txt"), "kort"));
    EXPECT_EQ(ReadFile(PathOf("rader.txt")), "kort");
    EXPECT_EQ(Names(folder), std::set<std::string>{"rader.txt"});
}

TEST_F(WriteFileTest, EmptyTextGivesAnEmptyFile) {
    WriteRaw(PathOf("rader.txt"), "old");
    EXPECT_TRUE(WriteFileReplacing(PathOf("rader.txt"), ""));
    EXPECT_TRUE(fs::exists(PathOf("rader.txt")));
    EXPECT_EQ(fs::file_size(PathOf("rader.txt")), 0u);
}

TEST_F(WriteFileTest, MissingFolderFails) {
    EXPECT_FALSE(WriteFileReplacing(PathOf("saknas/rader.txt"), "E,1"));
    EXPECT_TRUE(Names(folder).empty());
}

TEST_F(WriteFileTest, DirectoryAsTargetFailsAndStays) {
    fs::create_directory(folder / "mapp");
    EXPECT_FALSE(WriteFileReplacing(PathOf("mapp"), "E,1"));
    EXPECT_TRUE(fs::is_directory(folder / "mapp"));
    EXPECT_EQ(Names(folder), std::set<std::string>{"mapp"});
}

TEST_F(WriteFileTest, ReadOnlyFolderFailsAndKeepsTheOldFile) {
    WriteRaw(PathOf("rader.txt"), "gammal text");
    if (!MakeReadOnly()) {
        GTEST_SKIP() << "this user can write into read-only folders";
    }
    EXPECT_FALSE(WriteFileReplacing(PathOf("rader.txt"), "ny"));
    EXPECT_FALSE(WriteFileReplacing(PathOf("ny.txt"), "ny"));
    EXPECT_EQ(ReadFile(PathOf("rader.txt")), "gammal text");
    EXPECT_EQ(Names(folder), std::set<std::string>{"rader.txt"});
}

// ---- The Save button ---------------------------------------------------------

class SaveButtonTest : public FolderTest {
protected:
    void SetUp() override {
        FolderTest::SetUp();
        testing::ResetGenerationState();
        rg.RandomInit(3);
        DialogHooks hooks;
        hooks.chooseSavePath = [this]() -> std::optional<std::string> {
            ++chooserCalls;
            return chosen;
        };
        hooks.showMessageBox = [this](std::string_view text, std::string_view title) {
            boxes.emplace_back(text, title);
        };
        session = std::make_unique<DialogSession>(std::move(hooks));
        // Generate shows the Save button.
        ASSERT_TRUE(session->Click(id::kEnkelrader));
        ASSERT_TRUE(session->Click(id::kCompatible));
        ASSERT_TRUE(session->Click(id::kGenerate));
        ASSERT_TRUE(session->IsClickable(id::kSave));
    }

    std::string RowsText() { return session->Model().Item(id::kRows)->text; }
    void Save() { ASSERT_TRUE(session->Click(id::kSave)); }

    std::unique_ptr<DialogSession> session;
    std::optional<std::string> chosen;
    int chooserCalls = 0;
    std::vector<std::pair<std::string, std::string>> boxes;
};

TEST_F(SaveButtonTest, SavesTheGeneratedRowsByteForByte) {
    chosen = PathOf("rader.txt");
    Save();
    EXPECT_EQ(ReadFile(*chosen), RowsText());
    EXPECT_EQ(ReadFile(*chosen).substr(0, 13), "Stryktipset\r\n");
    EXPECT_EQ(ReadFile(*chosen).size(), 11u + 29u);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(SaveButtonTest, SavesHandEditsWithSwedishLettersAsSingleBytes) {
    chosen = PathOf("rader.txt");
    session->TypeRowsText(A(u8"åäö ÅÄÖ\r\nE,1,X"));
    Save();
    EXPECT_EQ(ReadFile(*chosen), "\xE5\xE4\xF6 \xC5\xC4\xD6\r\nE,1,X");
}

TEST_F(SaveButtonTest, EmptyRowsWindowWritesAnEmptyFileSilently) {
    chosen = PathOf("rader.txt");
    WriteRaw(*chosen, "old rows");
    session->TypeRowsText("");
    Save();
    EXPECT_EQ(fs::file_size(*chosen), 0u);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(SaveButtonTest, FailedSaveShowsTheErrorBoxAndKeepsTheFile) {
    fs::create_directory(folder / "mapp");
    chosen = PathOf("mapp");
    Save();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].first, "Save file failed.");
    EXPECT_EQ(boxes[0].second, "Error");
    EXPECT_EQ(DoFileOpenSave(&session->Model()), false);

    boxes.clear();
    chosen = PathOf("saknas/rader.txt");
    Save();
    EXPECT_EQ(boxes.size(), 1u);

    WriteRaw(PathOf("rader.txt"), "gammal text");
    if (MakeReadOnly()) {
        boxes.clear();
        chosen = PathOf("rader.txt");
        Save();
        EXPECT_EQ(boxes.size(), 1u);
        EXPECT_EQ(ReadFile(*chosen), "gammal text");
    }
}

TEST_F(SaveButtonTest, CancelWritesNothingAndReportsNothing) {
    chosen.reset();
    const std::string rows = RowsText();
    Save();
    EXPECT_EQ(chooserCalls, 1);
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(Names(folder).empty());
    EXPECT_TRUE(DoFileOpenSave(&session->Model()));
    EXPECT_EQ(RowsText(), rows);
}

TEST_F(SaveButtonTest, OtherNotificationCodesDoNotSave) {
    chosen = PathOf("rader.txt");
    session->Notify(id::kSave, 1);
    EXPECT_EQ(chooserCalls, 0);
    EXPECT_FALSE(fs::exists(*chosen));
}

} // namespace
} // namespace kupongen
