// Saving the rows window: the file holds exactly the window's bytes, and a
// failed save reports itself and leaves an existing file as it was.
#include "file_save.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include <unistd.h>

namespace kupongen {
namespace {

namespace fs = std::filesystem;
using testing::A;
using testing::ReadFile;

// A fresh folder per test, with hooks standing in for the save dialog and message box.
class SaveTest : public testing::SessionTest {
protected:
    void SetUp() override {
        SessionTest::SetUp();
        std::string pattern = (fs::temp_directory_path() / "kupongen-save-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder = pattern;
        Model().hooks.chooseSavePath = [this] {
            ++chooserCalls;
            return chosen;
        };
        Model().hooks.showMessageBox = [this](std::string_view text, std::string_view title) {
            boxes.emplace_back(text, title);
        };
        ChooseSingleRows(1, true);
        Click(id::kGenerate); // shows the Save button
    }
    void TearDown() override {
        std::error_code ignored;
        fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(folder, ignored);
    }

    std::string PathOf(const std::string& name) const { return (folder / name).string(); }
    std::set<std::string> Names() const {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder)) {
            names.insert(entry.path().filename().string());
        }
        return names;
    }
    void Save(const std::string& name) {
        chosen = PathOf(name);
        Click(id::kSave);
    }
    // False when this user can write into a read-only folder anyway.
    bool MakeReadOnly() {
        fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
        if (std::ofstream(folder / "probe").is_open()) {
            fs::remove(folder / "probe");
            return false;
        }
        return true;
    }

    fs::path folder;
    std::optional<std::string> chosen;
    int chooserCalls = 0;
    std::vector<std::pair<std::string, std::string>> boxes;
};

TEST_F(SaveTest, WritesExactlyTheRowsWindowBytes) {
    Save("rader.txt");
    EXPECT_EQ(ReadFile(PathOf("rader.txt")), Rows());
    EXPECT_EQ(Rows().size(), 11u + 29u);

    // Hand edits, CR LF and Swedish letters as single bytes; no BOM, no added line end.
    session->TypeRowsText(A(u8"åäö ÅÄÖ\r\nE,1,X"));
    Save("rader.txt");
    EXPECT_EQ(ReadFile(PathOf("rader.txt")), "\xE5\xE4\xF6 \xC5\xC4\xD6\r\nE,1,X");
    session->TypeRowsText("E,1,X,2\r\n");
    Save("nine.txt");
    EXPECT_EQ(fs::file_size(PathOf("nine.txt")), 9u);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(Names(), (std::set<std::string>{"rader.txt", "nine.txt"})) << "no temporary files";
}

TEST_F(SaveTest, AllByteValuesAndAShorterOverwrite) {
    std::string bytes;
    for (int i = 0; i < 256; ++i) {
        bytes.push_back(static_cast<char>(i));
    }
    ASSERT_TRUE(WriteFileReplacing(PathOf("all.bin"), bytes + bytes));
    EXPECT_EQ(ReadFile(PathOf("all.bin")), bytes + bytes);
    ASSERT_TRUE(WriteFileReplacing(PathOf("all.bin"), "kort"));
    EXPECT_EQ(ReadFile(PathOf("all.bin")), "kort");
}

TEST_F(SaveTest, EmptyRowsWindowWritesAnEmptyFileSilently) {
    std::ofstream(PathOf("rader.txt")) << "old rows";
    session->TypeRowsText("");
    Save("rader.txt");
    EXPECT_EQ(fs::file_size(PathOf("rader.txt")), 0u);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(SaveTest, FailuresShowTheErrorBox) {
    const std::pair<std::string, std::string> failed = {"Save file failed.", "Error"};
    fs::create_directory(folder / "mapp");
    Save("mapp");
    EXPECT_TRUE(fs::is_directory(folder / "mapp"));
    Save("saknas/rader.txt");
    EXPECT_EQ(boxes, std::vector(2, failed));
    EXPECT_FALSE(DoFileOpenSave(&Model()));
    EXPECT_EQ(Names(), std::set<std::string>{"mapp"});
}

TEST_F(SaveTest, ReadOnlyFolderKeepsTheExistingFile) {
    std::ofstream(PathOf("rader.txt")) << "gammal text";
    if (!MakeReadOnly()) {
        GTEST_SKIP() << "this user can write into read-only folders";
    }
    Save("rader.txt");
    Save("ny.txt");
    EXPECT_EQ(boxes.size(), 2u);
    EXPECT_EQ(ReadFile(PathOf("rader.txt")), "gammal text");
    EXPECT_EQ(Names(), std::set<std::string>{"rader.txt"});
}

TEST_F(SaveTest, LongNamesAndLinksSaveWhereTheUserMeant) {
    const std::string longName = std::string(246, 'r') + ".txt"; // 250 bytes, a valid name
    Save(longName);
    EXPECT_EQ(ReadFile(PathOf(longName)), Rows());

    // Through a link the file it points to is written, existing or not; the
    // links stay links.
    std::ofstream(PathOf("target.txt")) << "gammal text";
    fs::create_symlink("target.txt", folder / "link.txt");
    fs::create_symlink("new-target.txt", folder / "dangling.txt");
    Save("link.txt");
    Save("dangling.txt");
    EXPECT_TRUE(fs::is_symlink(folder / "link.txt"));
    EXPECT_TRUE(fs::is_symlink(folder / "dangling.txt"));
    EXPECT_EQ(ReadFile(PathOf("target.txt")), Rows());
    EXPECT_EQ(ReadFile(PathOf("new-target.txt")), Rows());
    EXPECT_TRUE(boxes.empty());
}

TEST_F(SaveTest, LinksThatCannotBeFollowedFailAndStay) {
    std::ofstream(PathOf("file.txt")) << "gammal text";
    const std::vector<std::pair<std::string, std::string>> links = {
        {"self.txt", "self.txt"},                // a loop of one
        {"ping.txt", "pong.txt"},                // a loop of two
        {"pong.txt", "ping.txt"},                //
        {"under-file.txt", "file.txt/rows.txt"}, // a target that cannot be looked up
        {"nowhere.txt", "missing/rows.txt"},     // a target in no folder
    };
    for (const auto& [link, target] : links) {
        fs::create_symlink(target, folder / link);
    }
    const std::set<std::string> before = Names();
    for (const auto& [link, target] : links) {
        boxes.clear();
        Save(link);
        EXPECT_EQ(boxes, (std::vector<std::pair<std::string, std::string>>{
                             {"Save file failed.", "Error"}}))
            << link;
        EXPECT_TRUE(fs::is_symlink(folder / link)) << link;
        EXPECT_EQ(fs::read_symlink(folder / link), target) << link;
    }
    EXPECT_EQ(Names(), before);
    EXPECT_EQ(ReadFile(PathOf("file.txt")), "gammal text");
}

// A link that another user planted in a shared folder such as /tmp is followed
// only where the system itself would follow it. Making another user's link
// needs root; elsewhere the test skips.
TEST_F(SaveTest, LinksInSharedFoldersAreFollowedOnlyAsTheSystemWould) {
    constexpr uid_t kNobody = 65534;
    const uid_t me = ::geteuid();
    struct Case {
        const char* what;
        fs::perms mode;
        bool folderIsNobodys;
        bool linkIsNobodys;
        bool followed;
    };
    const fs::perms shared = fs::perms::all | fs::perms::sticky_bit;
    const Case cases[] = {
        {"a stranger's link in a shared folder", shared, false, true, false},
        {"my own link in a shared folder", shared, false, false, true},
        {"the shared folder's owner's link", shared, true, true, true},
        {"a stranger's link, folder not sticky", fs::perms::all, false, true, true},
        {"a stranger's link, folder not world-writable",
         fs::perms::owner_all | fs::perms::group_all | fs::perms::others_read |
             fs::perms::others_exec | fs::perms::sticky_bit,
         false, true, true},
    };
    if (me == kNobody) {
        GTEST_SKIP() << "the test plays nobody's part itself";
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const fs::path sharedFolder = folder / "shared";
        fs::remove_all(sharedFolder);
        fs::create_directory(sharedFolder);
        fs::permissions(sharedFolder, c.mode);
        const fs::path link = sharedFolder / "rader.txt";
        fs::create_symlink(folder / "mine.txt", link);
        if ((c.folderIsNobodys && ::lchown(sharedFolder.c_str(), kNobody, kNobody) != 0) ||
            (c.linkIsNobodys && ::lchown(link.c_str(), kNobody, kNobody) != 0)) {
            GTEST_SKIP() << "this user cannot give a link to another user";
        }
        // A link higher up the path, to the folder of mine.txt, is as much a link.
        const fs::path up = sharedFolder / "up";
        fs::create_symlink(folder, up);
        if (c.linkIsNobodys && ::lchown(up.c_str(), kNobody, kNobody) != 0) {
            GTEST_SKIP() << "this user cannot give a link to another user";
        }
        // My own link elsewhere leads into the shared folder: every hop counts.
        fs::remove(folder / "via.txt");
        fs::create_symlink(link, folder / "via.txt");
        for (const std::string name : {"shared/rader.txt", "via.txt", "shared/up/mine.txt"}) {
            std::ofstream(PathOf("mine.txt")) << "gammal text";
            boxes.clear();
            Save(name);
            EXPECT_EQ(ReadFile(PathOf("mine.txt")), c.followed ? Rows() : "gammal text") << name;
            EXPECT_EQ(boxes.size(), c.followed ? 0u : 1u) << name;
            EXPECT_TRUE(fs::is_symlink(link)) << name;
        }
        EXPECT_EQ(Names(), (std::set<std::string>{"mine.txt", "shared", "via.txt"}));
        EXPECT_EQ(std::distance(fs::directory_iterator(sharedFolder), fs::directory_iterator()), 2);
    }
}

// The target's folder swapped for a link and back, over and over, while saves
// run: each save lands in the folder itself or fails, and no temporary file
// stays behind anywhere. The planted link is another user's in a shared
// folder, which must not be followed, or a dangling one where the test cannot
// give a link away.
TEST_F(SaveTest, SwappingTheFolderForALinkNeitherRedirectsNorLeavesTemporaries) {
    constexpr int kRounds = 1000;
    const fs::path shared = folder / "shared";
    const fs::path rows = shared / "rows";
    const fs::path moved = shared / "moved";
    const fs::path planted = shared / "planted";
    fs::create_directories(rows);
    fs::create_directory(folder / "elsewhere");
    fs::permissions(shared, fs::perms::all | fs::perms::sticky_bit);
    fs::create_symlink(folder / "elsewhere", planted);
    if (::lchown(planted.c_str(), 65534, 65534) != 0) {
        fs::remove(planted);
        fs::create_symlink(folder / "missing", planted);
    }
    std::atomic<bool> stop{false};
    std::atomic<int> swaps{0};
    std::thread swapper([&] {
        while (!stop) {
            ::rename(rows.c_str(), moved.c_str());
            ::rename(planted.c_str(), rows.c_str());
            ::rename(rows.c_str(), planted.c_str());
            ::rename(moved.c_str(), rows.c_str());
            ++swaps;
            // The folder in place for a while, so that saves also succeed.
            std::this_thread::sleep_for(std::chrono::microseconds(20));
        }
    });
    int saved = 0;
    for (int round = 0; round < kRounds; ++round) {
        saved +=
            WriteFileReplacing((rows / "rader.txt").string(), "round " + std::to_string(round));
    }
    stop = true;
    swapper.join();
    RecordProperty("saved", saved);
    RecordProperty("swaps", swaps);
    EXPECT_GT(swaps, 0);
    EXPECT_GT(saved, 0);
    EXPECT_TRUE(fs::is_empty(folder / "elsewhere"));
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        EXPECT_FALSE(entry.path().filename().string().starts_with(".kupongen-")) << entry.path();
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(rows), fs::directory_iterator()), 1);
}

TEST_F(SaveTest, ReadOnlyFileIsNotReplaced) {
    std::ofstream(PathOf("rader.txt")) << "gammal text";
    fs::permissions(PathOf("rader.txt"), fs::perms::owner_read);
    if (std::ofstream(PathOf("rader.txt"), std::ios::app).is_open()) {
        GTEST_SKIP() << "this user can write into read-only files";
    }
    Save("rader.txt");
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_EQ(ReadFile(PathOf("rader.txt")), "gammal text");
    EXPECT_EQ(Names(), std::set<std::string>{"rader.txt"});
}

TEST_F(SaveTest, CancelAndOtherCodesWriteNothing) {
    chosen.reset();
    Click(id::kSave);
    EXPECT_EQ(chooserCalls, 1);
    EXPECT_TRUE(DoFileOpenSave(&Model())) << "cancelling is no failure";
    chosen = PathOf("rader.txt");
    session->Notify(id::kSave, 1);
    EXPECT_EQ(chooserCalls, 2);
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(Names().empty());
}

} // namespace
} // namespace kupongen
