// Saving on a POSIX system: the temporary file, the target's permissions and
// owner, and the replacing rename.
#include "file_save.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
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

// Saving through a symbolic link replaces the file it points to, not the link,
// also when that file does not exist yet.
std::string ResolveLink(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code error;
    fs::path resolved = path;
    for (int depth = 0; depth < 40 && fs::is_symlink(resolved, error); ++depth) {
        const fs::path target = fs::read_symlink(resolved, error);
        if (error) {
            break;
        }
        resolved = target.is_absolute() ? target : resolved.parent_path() / target;
    }
    return resolved.string();
}

} // namespace

bool WriteFileReplacing(const std::string& requestedPath, std::string_view bytes) {
    const std::string path = ResolveLink(requestedPath);
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
