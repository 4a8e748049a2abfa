// Reading a rows file for the check and the grade, bounded: no more than
// kMaxTextBytes + 1 bytes are ever read, so a file of any size costs at most
// that much memory and is refused with a clear message.
#pragma once

#include <cstdint>
#include <filesystem>
#include <istream>
#include <string>
#include <string_view>

namespace kupongen::rows {

enum class ReadStatus : std::uint8_t { Read, Missing, TooLarge, Failed };

struct BoundedRead {
    ReadStatus status = ReadStatus::Failed;
    std::string bytes; // the whole input when Read, else empty
};

// Reads in to its end. The stream must deliver bytes unchanged: standard input
// on Windows must be put in binary mode first (_setmode), or CR LF arrives as
// LF and a Ctrl-Z ends it.
BoundedRead ReadBounded(std::istream& in);

// Bytes a front end read itself (a browser's file), at most
// kMaxTextBytes + 1 of them: more than kMaxTextBytes are refused as too
// large, as from a stream. No stream, so the page's module needs none.
BoundedRead ReadBounded(std::string_view bytes);

BoundedRead ReadBoundedFile(const std::filesystem::path& path);

// One Swedish line (Windows-1252) for a failed read: "Filen rader.txt finns
// inte.", "… är större än 4 MiB och läses inte.", "… kunde inte läsas.". name
// is Windows-1252.
std::string ReadFailureText(ReadStatus status, std::string_view name);

} // namespace kupongen::rows
