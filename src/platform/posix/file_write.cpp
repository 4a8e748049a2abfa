// Saving on a POSIX system: the temporary file, the target's permissions and
// owner, and the replacing rename.
#include "file_save.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace kupongen {

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
    for (unsigned attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        const std::string temporary = TemporaryPathFor(path, "/", attempt);
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

} // namespace kupongen
