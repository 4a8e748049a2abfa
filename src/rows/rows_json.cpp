#include "rows_json.h"

namespace kupongen::rows {

std::string CheckJson(const RowsText& text, const Check& check) {
    std::string json;
    json.reserve(160 + 8 * text.invalidLines.size());
    json += "{\"product\":";
    json += check.product == Product::None ? "null"
                                           : '"' + std::string(ProductName(check.product)) + '"';
    json += ",\"singles\":" + std::to_string(check.singles);
    json += ",\"systems\":" + std::to_string(check.systems);
    json += ",\"rows\":" + std::to_string(check.rows);
    json += ",\"stake\":" + std::to_string(check.stake);
    json += ",\"duplicates\":" + std::to_string(check.duplicates);
    json += ",\"invalid\":[";
    for (std::size_t i = 0; i < text.invalidLines.size(); ++i) {
        if (i > 0) {
            json += ',';
        }
        json += std::to_string(text.invalidLines[i]);
    }
    json += "],\"uploadable\":";
    json += check.uploadable ? "true}" : "false}";
    return json;
}

std::string GradeJson(const Grade& grade) {
    std::string json = "{\"rows\":" + std::to_string(grade.rows) + ",\"right\":[";
    for (std::size_t k = 0; k < grade.spread.size(); ++k) {
        if (k > 0) {
            json += ',';
        }
        json += std::to_string(grade.spread[k]);
    }
    return json + "]}";
}

} // namespace kupongen::rows
