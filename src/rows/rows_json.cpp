#include "rows_json.h"

#include <charconv>

namespace kupongen::rows {
namespace {

// Without a string for each number: an invalid list may hold millions.
void Append(std::string& json, std::uint64_t n) {
    char digits[20];
    const auto end = std::to_chars(digits, digits + sizeof digits, n).ptr;
    json.append(digits, end);
}

void Field(std::string& json, const char* name, std::uint64_t n) {
    json += name;
    Append(json, n);
}

} // namespace

std::string CheckJson(const RowsText& text, const Check& check) {
    std::string json;
    json.reserve(160 + 8 * text.invalidLines.size());
    json += "{\"product\":";
    if (check.product == Product::None) {
        json += "null";
    } else {
        json += '"';
        json += ProductName(check.product);
        json += '"';
    }
    Field(json, ",\"singles\":", check.singles);
    Field(json, ",\"systems\":", check.systems);
    Field(json, ",\"rows\":", check.rows);
    Field(json, ",\"stake\":", check.stake);
    Field(json, ",\"duplicates\":", check.duplicates);
    json += ",\"invalid\":[";
    for (std::size_t i = 0; i < text.invalidLines.size(); ++i) {
        if (i > 0) {
            json += ',';
        }
        Append(json, text.invalidLines[i]);
    }
    json += "],\"uploadable\":";
    json += check.uploadable ? "true}" : "false}";
    return json;
}

std::string GradeJson(const Grade& grade) {
    std::string json;
    Field(json, "{\"rows\":", grade.rows);
    json += ",\"right\":[";
    for (std::size_t k = 0; k < grade.spread.size(); ++k) {
        if (k > 0) {
            json += ',';
        }
        Append(json, grade.spread[k]);
    }
    return json + "]}";
}

} // namespace kupongen::rows
