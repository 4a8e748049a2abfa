// Saving through the Windows file calls: a read-only file is kept, both
// separators name folders, a path past 260 characters is saved or refused
// cleanly, and a folder swapped during saves neither redirects one nor keeps
// a temporary file.
//   kupongen_save_checks        (in a folder of its own; it works in ".")
#include "check_tally.h"
#include "file_save.h"
#include "test_helpers.h"

#include <atomic>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using namespace kupongen;
using test::Check;

std::string Read(const std::string& path) {
    return testing::ReadFile(platform::Utf8ToWide(path));
}

bool Exists(const std::string& path) {
    return GetFileAttributesW(platform::Utf8ToWide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The names in a folder, temporary files included.
std::vector<std::string> Names(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW(platform::Utf8ToWide(folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return names;
    }
    do {
        const std::string name = platform::WideToUtf8(found.cFileName);
        if (name != "." && name != "..") {
            names.push_back(name);
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

void CheckReadOnlyFile() {
    Check(WriteFileReplacing("readonly.txt", "gammal text"), "a file to make read-only");
    SetFileAttributesW(L"readonly.txt", FILE_ATTRIBUTE_READONLY);
    Check(!WriteFileReplacing("readonly.txt", "nya rader"), "a read-only file is refused");
    Check(Read("readonly.txt") == "gammal text", "the read-only file stays byte for byte");
    SetFileAttributesW(L"readonly.txt", FILE_ATTRIBUTE_NORMAL);
    Check(WriteFileReplacing("readonly.txt", "nya rader") && Read("readonly.txt") == "nya rader",
          "once writable, it is replaced");
}

void CheckSeparators() {
    CreateDirectoryW(L"sub.d", nullptr);
    Check(WriteFileReplacing("sub.d\\back", "1") && Read("sub.d/back") == "1",
          "a backslash separates folders");
    Check(WriteFileReplacing("sub.d/forward", "2") && Read("sub.d\\forward") == "2",
          "a slash separates folders");
    Check(!WriteFileReplacing("nodir\\x.txt", "3") && !Exists("nodir"), "a missing folder fails");
    Check(!WriteFileReplacing("sub.d\\", "4"), "a folder is no file name");
    Check(Names("sub.d").size() == 2, "nothing else in the folder");
}

// Without the system's long-path support the save fails, and leaves nothing.
void CheckLongPath() {
    std::string folder = ".";
    while (folder.size() < 300) {
        folder += "\\" + std::string(60, 'l');
        CreateDirectoryW(platform::Utf8ToWide(folder).c_str(), nullptr);
    }
    const std::string path = folder + "\\rader.txt";
    const bool saved = WriteFileReplacing(path, "lång");
    std::printf("a path of %zu characters was %s\n", path.size(), saved ? "saved" : "refused");
    Check(saved ? Read(path) == "lång" : !Exists(path), "a long path is saved or refused cleanly");
    Check(Names(folder).size() == (saved ? 1u : 0u), "no temporary file beside a long path");
}

// The target folder renamed away and a file put in its place, over and over,
// while saves run: every save lands in the folder, wherever it is named by
// then, or fails; no temporary file is left.
void CheckSwappedFolder() {
    constexpr int kRounds = 300;
    CreateDirectoryW(L"swap", nullptr);
    CreateDirectoryW(L"swap\\rows", nullptr);
    static std::atomic<bool> stop{false};
    static std::atomic<int> swaps{0};
    // The toolchain's thread model has no std::thread.
    const HANDLE swapper = CreateThread(
        nullptr, 0,
        [](void*) -> DWORD {
            while (!stop) {
                if (MoveFileW(L"swap\\rows", L"swap\\moved")) {
                    CloseHandle(CreateFileW(L"swap\\rows", GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                            FILE_ATTRIBUTE_NORMAL, nullptr));
                    DeleteFileW(L"swap\\rows");
                    MoveFileW(L"swap\\moved", L"swap\\rows");
                    ++swaps;
                }
                Sleep(1); // the folder in place for a while
            }
            return 0;
        },
        nullptr, 0, nullptr);
    int saved = 0;
    for (int round = 0; round < kRounds; ++round) {
        saved += WriteFileReplacing("swap\\rows\\rader.txt", "round " + std::to_string(round));
        Sleep(round % 2); // now and then room for a swap between saves
    }
    stop = true;
    WaitForSingleObject(swapper, INFINITE);
    CloseHandle(swapper);
    std::printf("%d of %d saves during %d swaps\n", saved, kRounds, swaps.load());
    Check(saved > 0 && swaps > 0, "saves and swaps both ran");
    Check(Names("swap") == std::vector<std::string>{"rows"}, "nothing beside the folder");
    Check(Names("swap\\rows") == std::vector<std::string>{"rader.txt"},
          "no temporary file in the folder");
}

} // namespace

int main() {
    CheckReadOnlyFile();
    CheckSeparators();
    CheckLongPath();
    CheckSwappedFolder();
    Check(Names(".").size() == 4, "no temporary file in the working folder");
    return test::Tally();
}
