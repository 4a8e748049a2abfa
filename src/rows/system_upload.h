// The system row as an upload file: the rows window's text, hand edits
// included, read as exactly one system table and written as the operator's
// upload of one system.
#pragma once

#include "rows_reader.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace kupongen::rows {

// The most rows one file may stake (1 kr a row).
inline constexpr std::uint64_t kMaxUploadRows = 20000;

struct SystemUpload {
    bool ok = false;
    // One Swedish line for the status field (Windows-1252): why nothing can be
    // saved, or, when ok, what to show once the file is written ("Systemet
    // med 72 rader är sparat för uppladdning.").
    std::string status;
    // When ok, the file: the header, CR LF, and "M<rows>,<cell>,…,<cell>" with
    // each cell's signs in the order 1, X, 2; for a system of one row its
    // "E,…" row instead. Windows-1252, no line break at the end.
    std::string bytes;
    std::uint32_t rows = 0;
};

// Refused: a text that is not one sound system table (a coupon table, one of
// one row included, or a table with a faulty or missing match line or any
// other invalid line), and a system of more than kMaxUploadRows rows. header
// is the product the caller names; None gives "Stryktipset".
SystemUpload MakeSystemUpload(std::string_view rowsText, Product header);

} // namespace kupongen::rows
