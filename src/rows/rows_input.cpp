#include "rows_input.h"

#include "ansi_text.h"
#include "rows_reader.h"
#include "rows_words.h"

#include <algorithm>
#include <fstream>
#include <system_error>

namespace kupongen::rows {

BoundedRead ReadBounded(std::istream& in) {
    constexpr std::size_t kChunk = std::size_t{64} << 10;
    BoundedRead read;
    while (in) {
        const std::size_t have = read.bytes.size();
        const std::size_t chunk = std::min(kChunk, kMaxTextBytes + 1 - have);
        read.bytes.resize(have + chunk);
        in.read(read.bytes.data() + have, static_cast<std::streamsize>(chunk));
        read.bytes.resize(have + static_cast<std::size_t>(in.gcount()));
        if (read.bytes.size() > kMaxTextBytes) {
            return {ReadStatus::TooLarge, {}};
        }
    }
    if (in.bad()) {
        return {ReadStatus::Failed, {}};
    }
    read.status = ReadStatus::Read;
    return read;
}

BoundedRead ReadBounded(std::string_view bytes) {
    if (bytes.size() > kMaxTextBytes) {
        return {ReadStatus::TooLarge, {}};
    }
    return {ReadStatus::Read, std::string(bytes)};
}

BoundedRead ReadBoundedFile(const std::filesystem::path& path) {
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        return {ReadStatus::Failed, {}};
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        const bool exists = std::filesystem::exists(path, error) || error;
        return {exists ? ReadStatus::Failed : ReadStatus::Missing, {}};
    }
    return ReadBounded(in);
}

std::string ReadFailureText(ReadStatus status, std::string_view name) {
    using words::Str;
    const std::string file = "Filen " + std::string(name);
    switch (status) {
    case ReadStatus::Missing:
        return file + " finns inte.";
    case ReadStatus::TooLarge:
        return file + Str(Ansi(u8" är större än 4 MiB och läses inte."));
    case ReadStatus::Read:
    case ReadStatus::Failed:
        break;
    }
    return file + Str(Ansi(u8" kunde inte läsas."));
}

} // namespace kupongen::rows
