#include "system_upload.h"

#include "ansi_text.h"
#include "rows_words.h"

#include <bit>

namespace kupongen::rows {

SystemUpload MakeSystemUpload(std::string_view rowsText, Product header) {
    using words::Str;
    const RowsText text = ReadRows(rowsText);
    SystemUpload upload;
    if (text.kind == TextKind::CouponTable) {
        upload.status = text.tableRows == 1
                            ? Str(Ansi(u8"Texten är en kupongtabell med en rad, inget system."))
                            : Str(Ansi(u8"Texten är en kupongtabell, inget system."));
        return upload;
    }
    if (text.kind != TextKind::SystemTable) {
        upload.status = Str(Ansi(u8"Texten är ingen systemrad."));
        return upload;
    }
    if (!text.invalidLines.empty()) {
        upload.status = Str(Ansi(u8"Systemraden har fel på rad ")) +
                        std::to_string(text.invalidLines.front()) + ".";
        return upload;
    }
    if (text.missingMatches != 0) {
        upload.status = "Systemraden saknar match " +
                        std::to_string(std::countr_zero(text.missingMatches) + 1) + ".";
        return upload;
    }
    const System& system = text.systems.front();
    upload.rows = system.rows;
    if (system.rows > kMaxUploadRows) {
        upload.status = "Systemet har " + words::Rows(system.rows) + Str(Ansi(u8"; högst ")) +
                        words::Amount(kMaxUploadRows) + Str(Ansi(u8" går att ladda upp."));
        return upload;
    }
    upload.ok = true;
    upload.bytes = header == Product::Italienska ? "Italienska Stryktipset\r\n" : "Stryktipset\r\n";
    upload.bytes += system.rows == 1 ? "E" : "M" + std::to_string(system.rows);
    for (const SignSet cell : system.cells) {
        upload.bytes += ',' + CellText(cell);
    }
    upload.status = system.rows == 1 ? Str(Ansi(u8"Systemet med 1 rad är sparat som en enkelrad."))
                                     : "Systemet med " + words::Rows(system.rows) +
                                           Str(Ansi(u8" är sparat för uppladdning."));
    return upload;
}

} // namespace kupongen::rows
