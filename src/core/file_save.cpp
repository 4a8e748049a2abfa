#include "file_save.h"

#include "control_table.h"
#include "texts.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>

#if defined(_WIN32)
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace kupongen {

bool DoFileOpenSave(platform::Window window) {
    const auto path = platform::ChooseSavePath(window);
    if (!path) {
        return true;
    }
    if (!SaveFile(platform::GetDlgItem(window, id::kRows), *path)) {
        platform::MessageBox(window, text::kSaveFailed, text::kErrorTitle);
        return false;
    }
    return true;
}

bool SaveFile(platform::Item edit, const std::string& path) {
    return WriteFileReplacing(path, platform::GetWindowText(edit));
}

namespace {

// A short name in the target's folder that no other save uses at the same
// time; short, so that a target whose name is near the length limit can still
// be saved.
std::string TemporaryPathFor(const std::string& path, unsigned attempt) {
    static std::atomic<unsigned> counter{0};
    const auto ticks =
        static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count());
    const std::size_t slash = path.find_last_of(
#if defined(_WIN32)
        "/\\"
#else
        "/"
#endif
    );
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    char name[48];
    std::snprintf(name, sizeof name, ".kupongen-%x%x%x.tmp", ticks, counter++, attempt);
    return path.substr(0, nameStart) + name;
}

} // namespace

#if defined(_WIN32)

// Paths are UTF-8; the wide calls take any name, whatever the ANSI code page.
using platform::Utf8ToWide;

bool WriteFileReplacing(const std::string& requestedPath, std::string_view bytes) {
    const std::wstring path = Utf8ToWide(requestedPath);
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return false;
    }
    for (unsigned attempt = 0; attempt < 16; ++attempt) {
        const std::wstring temporary = Utf8ToWide(TemporaryPathFor(requestedPath, attempt));
        HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            if (GetLastError() == ERROR_FILE_EXISTS) {
                continue;
            }
            return false;
        }
        bool written = true;
        std::size_t offset = 0;
        while (written && offset < bytes.size()) {
            const DWORD chunk =
                static_cast<DWORD>(std::min<std::size_t>(bytes.size() - offset, 1u << 30));
            DWORD done = 0;
            written = WriteFile(file, bytes.data() + offset, chunk, &done, nullptr) && done > 0;
            offset += done;
        }
        written = written && FlushFileBuffers(file);
        written = CloseHandle(file) && written;
        if (written && MoveFileExW(temporary.c_str(), path.c_str(),
                                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            return true;
        }
        DeleteFileW(temporary.c_str());
        return false;
    }
    return false;
}

#else

namespace {

bool WriteAll(int fd, std::string_view bytes) {
    std::size_t offset = 0;
    while (offset < bytes.size()) {
        const ssize_t done = ::write(fd, bytes.data() + offset, bytes.size() - offset);
        if (done < 0 && errno == EINTR) {
            continue;
        }
        if (done <= 0) {
            return false;
        }
        offset += static_cast<std::size_t>(done);
    }
    return true;
}

// As many links in a row as the system itself follows.
constexpr int kMaxLinkHops = 40;

// The system's rule for links in shared folders: in a sticky, world-writable
// folder such as /tmp, a link is followed only when it belongs to the user or
// to the folder's owner, so that nobody can plant one there that redirects
// another user's save onto a file of theirs.
bool MayFollow(const std::filesystem::path& link, const struct stat& linkEntry) {
    if (linkEntry.st_uid == ::geteuid()) {
        return true;
    }
    const std::filesystem::path folder = link.has_parent_path() ? link.parent_path() : ".";
    struct stat folderEntry {};
    if (::stat(folder.c_str(), &folderEntry) != 0) {
        return false;
    }
    const bool shared = (folderEntry.st_mode & (S_ISVTX | S_IWOTH)) == (S_ISVTX | S_IWOTH);
    return !shared || folderEntry.st_uid == linkEntry.st_uid;
}

// Saving through a symbolic link replaces the file it points to, not the link,
// also when that file does not exist yet. Nothing when a link cannot be
// followed: a loop, a link that cannot be read, one that the rule above
// forbids, or a target that cannot be looked up.
std::optional<std::string> ResolveLinks(const std::string& path) {
    namespace fs = std::filesystem;
    fs::path resolved = path;
    for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
        struct stat entry {};
        if (::lstat(resolved.c_str(), &entry) != 0) {
            if (errno == ENOENT) {
                return resolved.string(); // a new file
            }
            return std::nullopt;
        }
        if (!S_ISLNK(entry.st_mode)) {
            return resolved.string();
        }
        if (!MayFollow(resolved, entry)) {
            return std::nullopt;
        }
        std::error_code error;
        const fs::path target = fs::read_symlink(resolved, error);
        if (error || target.empty()) {
            return std::nullopt;
        }
        resolved = target.is_absolute() ? target : resolved.parent_path() / target;
    }
    return std::nullopt;
}

} // namespace

bool WriteFileReplacing(const std::string& requestedPath, std::string_view bytes) {
    const std::optional<std::string> resolved = ResolveLinks(requestedPath);
    if (!resolved) {
        return false;
    }
    const std::string& path = *resolved;
    struct stat existing {};
    const bool exists = ::stat(path.c_str(), &existing) == 0;
    // Replacing needs only the folder's permission; the file's own must allow
    // the save as well, as writing into it would.
    if (exists && (!S_ISREG(existing.st_mode) || ::access(path.c_str(), W_OK) != 0)) {
        return false;
    }
    for (unsigned attempt = 0; attempt < 16; ++attempt) {
        const std::string temporary = TemporaryPathFor(path, attempt);
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST) {
                continue;
            }
            return false;
        }
        bool written = WriteAll(fd, bytes);
        // An existing file keeps its permissions, and its owner where the
        // system lets us keep it.
        if (written && exists) {
            if (existing.st_uid != ::geteuid() || existing.st_gid != ::getegid()) {
                [[maybe_unused]] const int kept = ::fchown(fd, existing.st_uid, existing.st_gid);
            }
            written = ::fchmod(fd, existing.st_mode & 07777) == 0;
        }
        written = written && ::fsync(fd) == 0;
        written = ::close(fd) == 0 && written;
        if (written && ::rename(temporary.c_str(), path.c_str()) == 0) {
            return true;
        }
        ::unlink(temporary.c_str());
        return false;
    }
    return false;
}

#endif

} // namespace kupongen
