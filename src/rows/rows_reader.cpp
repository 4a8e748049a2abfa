#include "rows_reader.h"

#include <algorithm>
#include <bit>
#include <limits>

namespace kupongen::rows {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::uint32_t kSaturated = std::numeric_limits<std::uint32_t>::max();

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// By table: signs come in random order, which branches would mispredict.
constexpr auto kSignOfByte = [] {
    std::array<SignSet, 256> signs{};
    signs['1'] = kOne;
    signs['X'] = signs['x'] = kCross;
    signs['2'] = kTwo;
    return signs;
}();

SignSet SignOf(char c) {
    return kSignOfByte[static_cast<unsigned char>(c)];
}

char SignChar(SignSet sign) {
    return sign == kOne ? '1' : sign == kCross ? 'X' : '2';
}

std::uint32_t AddDigit(std::uint32_t value, char digit) {
    const auto d = static_cast<std::uint32_t>(digit - '0');
    return value > (kSaturated - d) / 10 ? kSaturated : value * 10 + d;
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && IsBlank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

std::string_view SkipBlanks(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) {
        s.remove_prefix(1);
    }
    return s;
}

// Whether the words of s are those of words (one blank between them), in any case.
bool SameWords(std::string_view s, std::string_view words) {
    std::size_t i = 0;
    for (std::size_t w = 0; w < words.size(); ++w) {
        if (words[w] == ' ') {
            if (i == s.size() || !IsBlank(s[i])) {
                return false;
            }
            while (i < s.size() && IsBlank(s[i])) {
                ++i;
            }
        } else if (i == s.size() || Lower(s[i++]) != words[w]) {
            return false;
        }
    }
    return i == s.size();
}

// Calls visit(number, line) for each line while it returns true; returns the
// number of lines visited.
template <class Visit> std::uint32_t ForEachLine(std::string_view text, Visit&& visit) {
    std::uint32_t number = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = start;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n') {
            ++end;
        }
        if (!visit(++number, text.substr(start, end - start))) {
            break;
        }
        const bool crLf = end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n';
        start = end + (crLf ? 2 : 1);
    }
    return number;
}

enum class LineType { Blank, Header, ERow, MRow, MatchLine, Separator, Other };

struct Line {
    LineType type = LineType::Other;
    Product product = Product::None; // Header
    std::uint32_t number = 0;        // MatchLine: the match; Separator: the hyphens
    std::string_view rest;           // ERow, MRow: after the letter; MatchLine: after the colon
};

Line Classify(std::string_view raw) {
    const std::string_view s = Trim(raw);
    Line line;
    if (s.empty()) {
        line.type = LineType::Blank;
        return line;
    }
    const bool italian = SameWords(s, "italienska stryktipset");
    if (italian || SameWords(s, "stryktipset")) {
        line.type = LineType::Header;
        line.product = italian ? Product::Italienska : Product::Stryktipset;
        return line;
    }
    const char first = Lower(s.front());
    if (s.size() >= 5 && SameWords(s.substr(0, 5), "match")) {
        std::string_view after = SkipBlanks(s.substr(5));
        std::uint32_t number = 0;
        std::size_t digits = 0;
        while (digits < after.size() && IsDigit(after[digits])) {
            number = AddDigit(number, after[digits++]);
        }
        after = SkipBlanks(after.substr(digits));
        if (digits > 0 && !after.empty() && after.front() == ':') {
            line.type = LineType::MatchLine;
            line.number = number;
            line.rest = after.substr(1);
            return line;
        }
    }
    const std::string_view after = SkipBlanks(s.substr(1));
    // A sign may follow the letter with its comma missing, but not an x: that
    // is a word ("Exempel").
    const char next = after.empty() ? ',' : after.front();
    if (first == 'e' && (next == ',' || next == '1' || next == '2')) {
        line.type = LineType::ERow;
        line.rest = s.substr(1);
        return line;
    }
    if (first == 'm' && (next == ',' || IsDigit(next))) {
        line.type = LineType::MRow;
        line.rest = s.substr(1);
        return line;
    }
    if (s.find_first_not_of('-') == std::string_view::npos) {
        line.type = LineType::Separator;
        line.number = static_cast<std::uint32_t>(std::min<std::size_t>(s.size(), kSaturated));
        return line;
    }
    return line;
}

Fault MakeFault(std::uint32_t line, FaultKind kind, std::uint8_t match = 0, char byte = 0,
                std::uint32_t count = 0, std::uint32_t expected = 0) {
    return Fault{line, kind, match, byte, count, expected};
}

// The match of a cell counted from 1, or 0 past the 13th.
std::uint8_t MatchOf(std::size_t cell) {
    return static_cast<std::uint8_t>(cell <= kMatches ? cell : 0);
}

void AddFault(RowsText& result, const Fault& fault) {
    result.invalidLines.push_back(fault.line);
    if (result.faults.size() < kMaxFaults) {
        result.faults.push_back(fault);
    }
}

// The body of an E row: 13 signs, a comma before each.
bool ReadSingle(std::uint32_t number, std::string_view body, Cells& signs, Fault& fault) {
    std::uint32_t count = 0;
    std::size_t commas = 0;
    bool wantSign = false;
    bool commasRight = true;
    for (const char c : body) {
        if (IsBlank(c)) {
            continue;
        }
        if (c == ',') {
            commasRight = commasRight && !wantSign;
            wantSign = true;
            ++commas;
            continue;
        }
        const SignSet sign = SignOf(c);
        if (sign == 0) {
            fault = MakeFault(number, FaultKind::ForeignByte, MatchOf(commas), c);
            return false;
        }
        commasRight = commasRight && wantSign;
        wantSign = false;
        if (count < kMatches) {
            signs[count] = sign;
        }
        count = count == kSaturated ? count : count + 1;
    }
    if (count != kMatches) {
        fault = MakeFault(number, FaultKind::SignCount, 0, 0, count, kMatches);
        return false;
    }
    if (!commasRight || wantSign) {
        fault = MakeFault(number, FaultKind::Commas);
        return false;
    }
    return true;
}

// The body of an M row: the number of rows, then 13 cells, a comma before each.
bool ReadSystem(std::uint32_t number, std::string_view body, System& system, Fault& fault) {
    std::string_view s = SkipBlanks(body);
    std::uint32_t stated = 0;
    std::size_t digits = 0;
    while (digits < s.size() && IsDigit(s[digits])) {
        stated = AddDigit(stated, s[digits++]);
    }
    s.remove_prefix(digits);
    std::size_t cells = 0;
    bool commasRight = true;
    std::size_t emptyCell = 0;  // the first empty cell, from 1
    std::size_t repeatCell = 0; // the first cell that repeats a sign, from 1
    char repeated = 0;
    SignSet cell = 0;
    const auto closeCell = [&] {
        if (cells == 0) {
            return;
        }
        if (cell == 0 && emptyCell == 0) {
            emptyCell = cells;
        }
        if (cells <= kMatches) {
            system.cells[cells - 1] = cell;
        }
    };
    for (const char c : s) {
        if (IsBlank(c)) {
            continue;
        }
        if (c == ',') {
            closeCell();
            cells = std::min<std::size_t>(cells + 1, kSaturated);
            cell = 0;
            continue;
        }
        const SignSet sign = SignOf(c);
        if (sign == 0) {
            fault = MakeFault(number, FaultKind::ForeignByte, MatchOf(cells), c);
            return false;
        }
        if (cells == 0) {
            commasRight = false;
        } else if ((cell & sign) != 0 && repeatCell == 0) {
            repeatCell = cells;
            repeated = SignChar(sign);
        }
        cell |= sign;
    }
    closeCell();
    if (digits == 0) {
        fault = MakeFault(number, FaultKind::NoRowCount);
    } else if (cells != kMatches) {
        fault = MakeFault(number, FaultKind::CellCount, 0, 0, static_cast<std::uint32_t>(cells),
                          kMatches);
    } else if (!commasRight) {
        fault = MakeFault(number, FaultKind::Commas);
    } else if (emptyCell != 0) {
        fault = MakeFault(number, FaultKind::EmptyCell, MatchOf(emptyCell));
    } else if (repeatCell != 0) {
        fault = MakeFault(number, FaultKind::RepeatedSign, MatchOf(repeatCell), repeated);
    } else {
        std::uint32_t rows = 1;
        for (const SignSet c : system.cells) {
            rows *= static_cast<std::uint32_t>(std::popcount(c));
        }
        if (stated == rows) {
            system.line = number;
            system.rows = rows;
            return true;
        }
        fault = MakeFault(number, FaultKind::WrongRowCount, 0, 0, rows);
    }
    return false;
}

void ReadUpload(std::string_view text, RowsText& result) {
    bool started = false; // a product name or a row, sound or not
    result.lines = ForEachLine(text, [&](std::uint32_t number, std::string_view raw) {
        const Line line = Classify(raw);
        Fault fault{};
        switch (line.type) {
        case LineType::Blank:
            return true;
        case LineType::Header:
            if (started) {
                AddFault(result, MakeFault(number, FaultKind::ExtraHeader));
            } else {
                result.product = line.product;
                result.productLine = number;
            }
            break;
        case LineType::ERow: {
            SingleRow row{number, {}};
            if (ReadSingle(number, line.rest, row.signs, fault)) {
                result.singles.push_back(row);
            } else {
                AddFault(result, fault);
            }
            break;
        }
        case LineType::MRow: {
            System system{};
            if (ReadSystem(number, line.rest, system, fault)) {
                result.systems.push_back(system);
            } else {
                AddFault(result, fault);
            }
            break;
        }
        case LineType::MatchLine:
        case LineType::Separator:
        case LineType::Other:
            AddFault(result,
                     MakeFault(number, started ? FaultKind::NotARow : FaultKind::NotHeaderOrRow));
            return true;
        }
        started = true;
        return true;
    });
}

// What one match line of a table holds.
struct MatchLine {
    std::uint32_t line = 0; // 0 while the match has no line
    std::string_view cells;
    std::uint32_t signs = 0;
    SignSet set = 0;
    char repeated = 0; // the first sign the line holds twice
    char foreign = 0;  // the first byte that is no sign or blank
    bool hasForeign = false;
};

MatchLine ReadMatchLine(std::uint32_t number, std::string_view cells) {
    MatchLine m;
    m.line = number;
    m.cells = cells;
    for (const char c : cells) {
        if (IsBlank(c)) {
            continue;
        }
        const SignSet sign = SignOf(c);
        if (sign == 0) {
            m.hasForeign = true;
            m.foreign = c;
            return m;
        }
        if ((m.set & sign) != 0 && m.repeated == 0) {
            m.repeated = SignChar(sign);
        }
        m.set |= sign;
        m.signs = m.signs == kSaturated ? m.signs : m.signs + 1;
    }
    return m;
}

bool CanBeCell(const MatchLine& m) {
    return !m.hasForeign && m.signs > 0 && m.repeated == 0;
}

struct TableLayout {
    bool system = false;
    std::uint32_t rows = 0;       // coupon table
    std::uint32_t separator = 23; // the hyphens a separator should have
};

TableLayout DecideLayout(const std::array<MatchLine, kMatches>& matches,
                         std::uint32_t firstSeparator) {
    std::vector<const MatchLine*> present;
    for (const MatchLine& m : matches) {
        if (m.line != 0) {
            present.push_back(&m);
        }
    }
    TableLayout layout;
    if (firstSeparator == 23) {
        const auto fours = std::count_if(present.begin(), present.end(),
                                         [](const MatchLine* m) { return m->signs == 4; });
        layout.system = 2 * static_cast<std::size_t>(fours) <= present.size();
        layout.rows = layout.system ? 0 : 4;
    } else if (firstSeparator != 0) {
        layout.rows = (firstSeparator - 11) / 3;
    } else {
        const bool allCells =
            std::all_of(present.begin(), present.end(), [](auto* m) { return CanBeCell(*m); });
        const bool oneSize = std::all_of(present.begin(), present.end(), [&](auto* m) {
            return m->signs == present.front()->signs;
        });
        layout.system = allCells && !oneSize;
        if (!layout.system) {
            // The most common count; on a tie, that of the lowest match.
            std::size_t best = 0;
            for (const MatchLine* m : present) {
                const auto same = std::count_if(present.begin(), present.end(),
                                                [&](auto* o) { return o->signs == m->signs; });
                if (static_cast<std::size_t>(same) > best) {
                    best = static_cast<std::size_t>(same);
                    layout.rows = m->signs;
                }
            }
        }
    }
    if (!layout.system) {
        layout.separator = layout.rows > (kSaturated - 11) / 3 ? kSaturated : 11 + 3 * layout.rows;
    }
    return layout;
}

bool IsTableSeparator(std::uint32_t hyphens) {
    return hyphens >= 14 && (hyphens - 11) % 3 == 0;
}

void ReadTable(std::string_view text, RowsText& result) {
    std::array<MatchLine, kMatches> matches{};
    std::uint32_t firstSeparator = 0;
    ForEachLine(text, [&](std::uint32_t number, std::string_view raw) {
        const Line line = Classify(raw);
        if (line.type == LineType::MatchLine && line.number >= 1 && line.number <= kMatches &&
            matches[line.number - 1].line == 0) {
            matches[line.number - 1] = ReadMatchLine(number, line.rest);
        } else if (line.type == LineType::Separator && firstSeparator == 0 &&
                   IsTableSeparator(line.number)) {
            firstSeparator = line.number;
        }
        return true;
    });
    const TableLayout layout = DecideLayout(matches, firstSeparator);
    result.kind = layout.system ? TextKind::SystemTable : TextKind::CouponTable;
    result.tableRows = layout.rows;

    bool whole = true;
    for (std::size_t i = 0; i < matches.size(); ++i) {
        if (matches[i].line == 0) {
            result.missingMatches |= static_cast<std::uint16_t>(1u << i);
            whole = false;
        }
    }
    result.lines = ForEachLine(text, [&](std::uint32_t number, std::string_view raw) {
        const Line line = Classify(raw);
        if (line.type == LineType::Blank) {
            return true;
        }
        if (line.type == LineType::Separator) {
            if (line.number != layout.separator) {
                AddFault(result, MakeFault(number, FaultKind::Separator, 0, 0, line.number,
                                           layout.separator));
            }
            return true;
        }
        if (line.type != LineType::MatchLine) {
            AddFault(result, MakeFault(number, FaultKind::NotTableLine));
            return true;
        }
        if (line.number < 1 || line.number > kMatches) {
            AddFault(result, MakeFault(number, FaultKind::NoSuchMatch, 0, 0, line.number));
            return true;
        }
        const auto match = static_cast<std::uint8_t>(line.number);
        const MatchLine& m = matches[line.number - 1];
        if (m.line != number) {
            AddFault(result, MakeFault(number, FaultKind::RepeatedMatch, match, 0, m.line));
            return true;
        }
        Fault fault = MakeFault(number, FaultKind::ForeignByte, match, m.foreign);
        if (!m.hasForeign) {
            if (!layout.system && m.signs != layout.rows) {
                fault =
                    MakeFault(number, FaultKind::MatchSignCount, match, 0, m.signs, layout.rows);
            } else if (layout.system && m.signs == 0) {
                fault = MakeFault(number, FaultKind::EmptyCell, match);
            } else if (layout.system && m.repeated != 0) {
                fault = MakeFault(number, FaultKind::RepeatedSign, match, m.repeated);
            } else {
                return true;
            }
        }
        whole = false;
        AddFault(result, fault);
        return true;
    });
    if (!whole) {
        return;
    }
    if (layout.system) {
        System system{kSaturated, 1, {}};
        for (std::size_t i = 0; i < matches.size(); ++i) {
            system.line = std::min(system.line, matches[i].line);
            system.cells[i] = matches[i].set;
            system.rows *= static_cast<std::uint32_t>(std::popcount(matches[i].set));
        }
        result.systems.push_back(system);
        return;
    }
    result.singles.resize(layout.rows);
    for (std::uint32_t r = 0; r < layout.rows; ++r) {
        result.singles[r].place = r + 1;
    }
    for (std::size_t i = 0; i < matches.size(); ++i) {
        std::size_t r = 0;
        for (const char c : matches[i].cells) {
            if (!IsBlank(c)) {
                result.singles[r++].signs[i] = SignOf(c);
            }
        }
    }
}

} // namespace

RowsText ReadRows(std::string_view text) {
    RowsText result;
    if (text.size() > kMaxTextBytes) {
        result.kind = TextKind::TooLarge;
        return result;
    }
    if (text.starts_with(kByteOrderMark)) {
        text.remove_prefix(kByteOrderMark.size());
    }
    // The first product name, row or match line decides; with none, a text
    // that holds anything is an upload file without rows.
    bool anything = false;
    LineType decider = LineType::Other;
    result.lines = ForEachLine(text, [&](std::uint32_t, std::string_view raw) {
        const LineType type = Classify(raw).type;
        anything = anything || type != LineType::Blank;
        const bool decides = type == LineType::Header || type == LineType::ERow ||
                             type == LineType::MRow || type == LineType::MatchLine;
        decider = decides ? type : decider;
        return !decides;
    });
    if (!anything) {
        return result;
    }
    if (decider == LineType::MatchLine) {
        ReadTable(text, result);
    } else {
        result.kind = TextKind::Upload;
        ReadUpload(text, result);
    }
    return result;
}

std::string CellText(SignSet cell) {
    std::string text;
    for (const SignSet sign : {kOne, kCross, kTwo}) {
        if ((cell & sign) != 0) {
            text += SignChar(sign);
        }
    }
    return text;
}

std::string RowText(const Cells& cells) {
    std::string text;
    for (const SignSet cell : cells) {
        text += SignChar(static_cast<SignSet>(cell & -cell));
    }
    return text;
}

std::string_view ProductName(Product product) {
    switch (product) {
    case Product::Stryktipset:
        return "Stryktipset";
    case Product::Italienska:
        return "Italienska Stryktipset";
    case Product::None:
        break;
    }
    return {};
}

} // namespace kupongen::rows
