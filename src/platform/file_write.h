// Writing a file safely, the part of saving that each file system does its
// own way: posix, win32 and web each implement WriteFileReplacing.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>
#include <string_view>

namespace kupongen {

// Replaces the file at path with exactly these bytes, or leaves it as it was:
// the bytes go to a temporary file in the same folder, which is renamed over
// the target only once everything is written and flushed.
bool WriteFileReplacing(const std::string& path, std::string_view bytes);

// How many temporary names a save tries before it gives up.
inline constexpr unsigned kTemporaryNameAttempts = 16;

// A short name in the target's folder (path up to its last separator) that no
// other save uses at the same time; short, so that a target whose name is near
// the length limit can still be saved.
inline std::string TemporaryPathFor(const std::string& path, std::string_view separators,
                                    unsigned attempt) {
    static std::atomic<unsigned> counter{0};
    const auto ticks =
        static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count());
    const std::size_t slash = path.find_last_of(separators);
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    char name[48];
    std::snprintf(name, sizeof name, ".kupongen-%x%x%x.tmp", ticks, counter++, attempt);
    return path.substr(0, nameStart) + name;
}

} // namespace kupongen
