#include "rows_grade.h"

#include "ansi_text.h"
#include "rows_words.h"

#include <algorithm>
#include <bit>
#include <numeric>

namespace kupongen::rows {
namespace {

using words::Amount;
using words::kLineEnd;
using words::kListed;
using words::Str;

SignSet FirstSign(SignSet cell) {
    return static_cast<SignSet>(cell & -cell);
}

std::string Rights(std::size_t k) {
    return std::to_string(k) + Str(Ansi(u8" rätt"));
}

// "11 rätt: 1, 10 rätt: 4": the counts that are not 0, most rights first.
std::string SpreadText(const Spread& spread) {
    std::string text;
    for (std::size_t k = kRightsCounts; k-- > 0;) {
        if (spread[k] != 0) {
            text += (text.empty() ? "" : ", ") + Rights(k) + ": " + Amount(spread[k]);
        }
    }
    return text;
}

} // namespace

ResultParse ParseResult(std::string_view typed) {
    ResultParse parse;
    std::size_t count = 0;
    for (const char c : typed) {
        if (c == ' ' || c == '\t' || c == ',') {
            continue;
        }
        SignSet sign = 0;
        if (c == '1') {
            sign = kOne;
        } else if (c == 'X' || c == 'x') {
            sign = kCross;
        } else if (c == '2') {
            sign = kTwo;
        } else if (c != '?' && c != '-') {
            parse.refusal = Str(Ansi(u8"Resultatet innehåller ett ")) + words::Byte(c) +
                            Str(Ansi(u8"; skriv 1, X, 2 eller ? för varje match."));
            return parse;
        }
        if (count < kMatches) {
            parse.result[count] = sign;
        }
        ++count;
    }
    if (count != kMatches) {
        parse.refusal = "Resultatet har " + Amount(count) +
                        Str(Ansi(u8" tecken i stället för 13 (1, X, 2 eller ? för varje match)."));
        parse.result = kOpenResult;
        return parse;
    }
    parse.ok = true;
    return parse;
}

std::string ResultText(const Result& result) {
    std::string text;
    for (const SignSet sign : result) {
        text += sign == kOne ? '1' : sign == kCross ? 'X' : sign == kTwo ? '2' : '?';
    }
    return text;
}

SystemGrade GradeSystem(const Cells& cells, const Result& result) {
    // The product over the matches of (rows that miss + rows that hit · x): the
    // coefficient of x^k is the number of rows with k right.
    SystemGrade grade;
    grade.spread[0] = 1;
    std::size_t degree = 0;
    for (std::size_t m = 0; m < cells.size(); ++m) {
        const auto size = static_cast<std::uint64_t>(std::popcount(cells[m]));
        const std::uint64_t hit = (cells[m] & result[m]) != 0 ? 1 : 0;
        const std::uint64_t miss = size - hit;
        if (hit != 0) {
            ++degree;
            for (std::size_t k = degree; k > 0; --k) {
                grade.spread[k] = grade.spread[k] * miss + grade.spread[k - 1];
            }
        } else {
            for (std::size_t k = degree; k > 0; --k) {
                grade.spread[k] *= miss;
            }
        }
        grade.spread[0] *= miss;
        grade.best += static_cast<int>(hit);
        grade.bestRow[m] = hit != 0 ? result[m] : FirstSign(cells[m]);
    }
    return grade;
}

Grade GradeRows(const RowsText& text, const Result& result) {
    Grade grade;
    grade.result = result;
    grade.decided = static_cast<int>(
        std::count_if(result.begin(), result.end(), [](SignSet s) { return s != 0; }));
    grade.singleRights.reserve(text.singles.size());
    for (const SingleRow& row : text.singles) {
        std::uint8_t rights = 0;
        for (std::size_t m = 0; m < row.signs.size(); ++m) {
            rights += row.signs[m] == result[m] ? 1 : 0;
        }
        grade.singleRights.push_back(rights);
        ++grade.spread[rights];
    }
    grade.systemBest.reserve(text.systems.size());
    for (const System& system : text.systems) {
        const SystemGrade one = GradeSystem(system.cells, result);
        grade.systemBest.push_back(static_cast<std::uint8_t>(one.best));
        for (std::size_t k = 0; k < kRightsCounts; ++k) {
            grade.spread[k] += one.spread[k];
        }
    }
    grade.rows = std::accumulate(grade.spread.begin(), grade.spread.end(), std::uint64_t{0});
    return grade;
}

std::string GradeSummary(const Grade& grade) {
    if (grade.rows == 0) {
        return Str(Ansi(u8"Inga rader att rätta."));
    }
    std::string summary = "Rader: " + Amount(grade.rows);
    for (std::size_t k = kMatches; k >= 10; --k) {
        summary += std::string(kLineEnd) + Rights(k) + ": " + words::Rows(grade.spread[k]);
    }
    return summary;
}

std::string GradeReport(const RowsText& text, const Grade& grade, std::string_view source) {
    std::string report = Str(Ansi(u8"Rättning av ")) + std::string(source);
    const auto line = [&](const std::string& s) { report += std::string(kLineEnd) + s; };
    const std::string decided = grade.decided == kMatches ? "alla 13 matcher avgjorda"
                                : grade.decided == 0
                                    ? Str(Ansi(u8"ingen match avgjord än"))
                                    : std::to_string(grade.decided) + " av 13 matcher avgjorda";
    line("Resultat: " + ResultText(grade.result) + " (" + decided + ")");
    line(GradeSummary(grade));
    if (grade.rows != 0) {
        line(Str(Ansi(u8"Fördelning:")));
        for (std::size_t k = 0; k < kRightsCounts; ++k) {
            line("  " + Rights(k) + ": " + words::Rows(grade.spread[k]));
        }
    }
    const bool table = text.kind == TextKind::CouponTable || text.kind == TextKind::SystemTable;
    const std::string place = table ? "  Tabellens rad " : "  Rad ";
    if (!text.singles.empty()) {
        line(Str(Ansi(u8"Enkelrader, flest rätt först:")));
        std::vector<std::uint32_t> order(text.singles.size());
        std::iota(order.begin(), order.end(), 0u);
        const std::size_t shown = std::min(order.size(), kListed);
        std::partial_sort(order.begin(), order.begin() + static_cast<std::ptrdiff_t>(shown),
                          order.end(), [&](std::uint32_t a, std::uint32_t b) {
                              return grade.singleRights[a] != grade.singleRights[b]
                                         ? grade.singleRights[a] > grade.singleRights[b]
                                         : a < b;
                          });
        for (std::size_t i = 0; i < shown; ++i) {
            const SingleRow& row = text.singles[order[i]];
            line(place + std::to_string(row.place) + ": " + Rights(grade.singleRights[order[i]]) +
                 " (" + RowText(row.signs) + ")");
        }
        if (shown < order.size()) {
            line("  " + words::More(order.size() - shown));
        }
    }
    if (!text.systems.empty()) {
        line("System:");
        const std::size_t shown = std::min(text.systems.size(), kListed);
        for (std::size_t i = 0; i < shown; ++i) {
            const System& system = text.systems[i];
            const SystemGrade one = GradeSystem(system.cells, grade.result);
            line("  Rad " + std::to_string(system.line) + ": " + words::Rows(system.rows) +
                 Str(Ansi(u8", bästa raden ")) + Rights(static_cast<std::size_t>(one.best)) + " (" +
                 RowText(one.bestRow) + ")");
            line("    " + SpreadText(one.spread));
        }
        if (shown < text.systems.size()) {
            line("  " + words::More(text.systems.size() - shown));
        }
    }
    if (!text.invalidLines.empty()) {
        line(Str(Ansi(u8"Ogiltiga rader rättas inte: ")) + Amount(text.invalidLines.size()) + ".");
    }
    return report;
}

} // namespace kupongen::rows
