// Saving on a POSIX system: the path resolved one part at a time, the
// temporary file, the target's permissions and owner, and the replacing
// rename, all relative to the one folder that was resolved.
#include "file_write.h"

#include <algorithm>
#include <cerrno>
#include <deque>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

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

// A file descriptor that closes itself.
class Fd {
public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    Fd(Fd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    Fd& operator=(Fd&& other) noexcept {
        std::swap(fd_, other.fd_);
        return *this;
    }
    ~Fd() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    int get() const { return fd_; }

private:
    int fd_;
};

// A folder is only walked through, never read: search permission is enough.
#ifdef O_PATH
constexpr int kFolderFlags = O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
#else
constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
#endif

// As many links as the system itself follows for one path.
constexpr int kMaxLinkHops = 40;

// The system's rule for links in shared folders: in a sticky, world-writable
// folder such as /tmp, a link is followed only when it belongs to the user or
// to the folder's owner, so that nobody can plant one there that redirects
// another user's save onto a file of theirs. It holds for every link on the
// way, not only the last.
bool MayFollow(int folder, const struct stat& linkEntry) {
    if (linkEntry.st_uid == ::geteuid()) {
        return true;
    }
    struct stat folderEntry {};
    if (::fstat(folder, &folderEntry) != 0) {
        return false;
    }
    const bool shared = (folderEntry.st_mode & (S_ISVTX | S_IWOTH)) == (S_ISVTX | S_IWOTH);
    return !shared || folderEntry.st_uid == linkEntry.st_uid;
}

std::deque<std::string> Parts(const std::string& path) {
    std::deque<std::string> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t slash = std::min(path.find('/', start), path.size());
        parts.emplace_back(path, start, slash - start);
        start = slash + 1;
    }
    return parts;
}

// The folder a save goes to, open, and the name of the file in it.
struct Target {
    Fd folder;
    std::string name;
};

// Walks the path one part at a time from an open folder, as the kernel would,
// reading every link on the way itself so that the rule above applies to each
// of them. Saving through a link replaces the file it points to, also when
// that file does not exist yet. Nothing when the path cannot be followed: a
// loop, a forbidden link, a missing folder or a name that is a folder.
bool Resolve(const std::string& path, Target& target) {
    if (path.empty()) {
        return false;
    }
    Fd folder(::open(path.front() == '/' ? "/" : ".", kFolderFlags));
    std::deque<std::string> parts = Parts(path);
    int hops = 0;
    while (!parts.empty()) {
        if (folder.get() < 0) {
            return false;
        }
        const std::string part = std::move(parts.front());
        parts.pop_front();
        const bool last = parts.empty();
        if (part.empty() || part == ".") {
            if (last) {
                return false; // the path names a folder
            }
            continue;
        }
        struct stat entry {};
        if (::fstatat(folder.get(), part.c_str(), &entry, AT_SYMLINK_NOFOLLOW) != 0) {
            if (last && errno == ENOENT) {
                target = {std::move(folder), part}; // a new file
                return true;
            }
            return false;
        }
        if (S_ISLNK(entry.st_mode)) {
            if (++hops > kMaxLinkHops || !MayFollow(folder.get(), entry)) {
                return false;
            }
            std::vector<char> text(static_cast<std::size_t>(entry.st_size) + 2);
            const ssize_t length =
                ::readlinkat(folder.get(), part.c_str(), text.data(), text.size());
            if (length <= 0 || static_cast<std::size_t>(length) >= text.size()) {
                return false; // unreadable, or changed since it was looked at
            }
            const std::string link(text.data(), static_cast<std::size_t>(length));
            std::deque<std::string> linkParts = Parts(link);
            parts.insert(parts.begin(), linkParts.begin(), linkParts.end());
            if (link.front() == '/') {
                folder = Fd(::open("/", kFolderFlags));
            }
            continue;
        }
        if (last) {
            if (!S_ISREG(entry.st_mode)) {
                return false;
            }
            target = {std::move(folder), part};
            return true;
        }
        // Not followed if it became a link since: the next round reads it.
        folder = Fd(::openat(folder.get(), part.c_str(), kFolderFlags));
    }
    return false;
}

} // namespace

bool WriteFileReplacing(const std::string& path, std::string_view bytes) {
    Target target;
    if (!Resolve(path, target)) {
        return false;
    }
    const int folder = target.folder.get();
    const char* name = target.name.c_str();
    struct stat existing {};
    const bool exists = ::fstatat(folder, name, &existing, AT_SYMLINK_NOFOLLOW) == 0;
    // Replacing needs only the folder's permission; the file's own must allow
    // the save as well, as writing into it would.
    if (exists && (!S_ISREG(existing.st_mode) || ::faccessat(folder, name, W_OK, 0) != 0)) {
        return false;
    }
    for (unsigned attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        const std::string temporary = TemporaryPathFor(target.name, "/", attempt);
        const int fd = ::openat(folder, temporary.c_str(),
                                O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
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
        if (written && ::renameat(folder, temporary.c_str(), folder, name) == 0) {
            return true;
        }
        ::unlinkat(folder, temporary.c_str(), 0);
        return false;
    }
    return false;
}

} // namespace kupongen
