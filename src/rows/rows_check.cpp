#include "rows_check.h"

#include "ansi_text.h"
#include "rows_words.h"

#include <algorithm>
#include <bit>
#include <limits>

namespace kupongen::rows {
namespace {

using words::Amount;
using words::kLineEnd;
using words::kListed;
using words::Str;

bool IsTable(TextKind kind) {
    return kind == TextKind::CouponTable || kind == TextKind::SystemTable;
}

// "3, 8 och 12": the first few of a list and how many more.
std::string Enumerate(const std::vector<std::uint32_t>& items, std::size_t begin, std::size_t end,
                      std::size_t atMost = 10) {
    const std::size_t count = end - begin;
    const std::size_t shown = std::min(count, atMost);
    std::string text;
    for (std::size_t i = 0; i < shown; ++i) {
        if (i > 0) {
            text += i + 1 == count ? " och " : ", ";
        }
        text += std::to_string(items[begin + i]);
    }
    if (shown < count) {
        text += " och " + Amount(count - shown) + " till";
    }
    return text;
}

std::string MissingMatches(std::uint16_t missing) {
    std::vector<std::uint32_t> matches;
    for (std::uint32_t m = 1; m <= kMatches; ++m) {
        if ((missing & (1u << (m - 1))) != 0) {
            matches.push_back(m);
        }
    }
    return "Tabellen saknar match " + Enumerate(matches, 0, matches.size(), kMatches) + ".";
}

std::string ObstacleText(Obstacle obstacle, const RowsText& text) {
    switch (obstacle) {
    case Obstacle::TooLarge:
        return Str(Ansi(u8"texten är större än 4 MiB"));
    case Obstacle::Empty:
        return Str(Ansi(u8"texten är tom"));
    case Obstacle::CouponTable:
        return Str(Ansi(u8"en kupongtabell är ingen uppladdningsfil"));
    case Obstacle::SystemTable:
        return Str(Ansi(u8"en systemrad i tabellform är ingen uppladdningsfil (spara den med "
                        u8"Spara systemet för uppladdning)"));
    case Obstacle::NoRows:
        return "den har inga rader";
    case Obstacle::InvalidLines:
        return text.invalidLines.size() == 1 ? "1 ogiltig rad"
                                             : Amount(text.invalidLines.size()) + " ogiltiga rader";
    case Obstacle::TooManySingles:
        return Str(Ansi(u8"fler än ")) + Amount(kMaxSingles) + " enkelrader";
    case Obstacle::TooManySystems:
        return Str(Ansi(u8"fler än ")) + Amount(kMaxSystems) + " system";
    case Obstacle::StakeTooHigh:
        return Str(Ansi(u8"insatsen är över ")) + Amount(kMaxStake) + " kr";
    case Obstacle::Mixed:
        return Str(Ansi(u8"både enkelrader och system"));
    case Obstacle::NoProduct:
        return "produktnamnet saknas";
    case Obstacle::ProductNotFirst:
        return Str(Ansi(u8"produktnamnet står inte på första raden"));
    }
    return {};
}

std::string LimitLine(Limit limit, const RowsText& text, const Check& check) {
    const bool passed = check.limitPassed[static_cast<std::size_t>(limit)];
    std::string line = "  ";
    std::string detail;
    switch (limit) {
    case Limit::Singles:
        line += Str(Ansi(u8"Högst ")) + Amount(kMaxSingles) + " enkelrader";
        detail = Amount(check.singles) + " enkelrader";
        break;
    case Limit::Systems:
        line += Str(Ansi(u8"Högst ")) + Amount(kMaxSystems) + " system";
        detail = Amount(check.systems) + " system";
        break;
    case Limit::Stake:
        line += Str(Ansi(u8"Högst ")) + Amount(kMaxStake) + " kr";
        detail = Amount(check.stake) + " kr";
        break;
    case Limit::OneKind:
        line += Str(Ansi(u8"Enkelrader eller system, inte båda"));
        detail = Str(Ansi(u8"filen har båda"));
        break;
    case Limit::ProductFirst:
        line += Str(Ansi(u8"Produktnamnet på första raden"));
        detail = text.productLine == 0
                     ? Str(Ansi(u8"det saknas"))
                     : Str(Ansi(u8"det står på rad ")) + std::to_string(text.productLine);
        break;
    }
    return line + (passed ? ": uppfyllt." : ": inte uppfyllt (" + detail + ").");
}

// Sorts keys by their code (the upper 32 bits, 26 of them used) in two stable
// passes of 13 bits: linear, and equal codes keep their order.
void SortByCode(std::vector<std::uint64_t>& keys) {
    constexpr unsigned kBits = 13;
    constexpr std::size_t kBuckets = std::size_t{1} << kBits;
    std::vector<std::uint64_t> sorted(keys.size());
    for (const unsigned shift : {32u, 32u + kBits}) {
        std::vector<std::size_t> start(kBuckets + 1);
        for (const std::uint64_t key : keys) {
            ++start[(key >> shift & (kBuckets - 1)) + 1];
        }
        for (std::size_t b = 1; b <= kBuckets; ++b) {
            start[b] += start[b - 1];
        }
        for (const std::uint64_t key : keys) {
            sorted[start[key >> shift & (kBuckets - 1)]++] = key;
        }
        keys.swap(sorted);
    }
}

} // namespace

Check CheckRows(const RowsText& text) {
    Check check;
    check.kind = text.kind;
    check.product = text.product;
    check.singles = text.singles.size();
    check.systems = text.systems.size();
    check.rows = check.singles;
    for (const System& system : text.systems) {
        check.rows += system.rows;
    }
    check.stake = check.rows;

    // Equal rows sort together: each row's signs as 26 bits over its index.
    std::vector<std::uint64_t> keys;
    keys.reserve(text.singles.size());
    for (std::size_t i = 0; i < text.singles.size(); ++i) {
        std::uint64_t code = 0;
        for (const SignSet sign : text.singles[i].signs) {
            code = code << 2 | static_cast<unsigned>(std::countr_zero(sign));
        }
        keys.push_back(code << 32 | i);
    }
    SortByCode(keys);
    struct Run {
        std::size_t first; // the key of the row's first place
        std::size_t size;
    };
    std::vector<Run> runs;
    for (std::size_t i = 0; i < keys.size();) {
        std::size_t j = i + 1;
        while (j < keys.size() && keys[j] >> 32 == keys[i] >> 32) {
            ++j;
        }
        if (j - i > 1) {
            runs.push_back({i, j - i});
        }
        i = j;
    }
    // The runs in the order of their rows' first places, without a sort.
    constexpr auto kNoRun = std::numeric_limits<std::uint32_t>::max();
    std::vector<std::uint32_t> runOfFirst(runs.empty() ? 0 : text.singles.size(), kNoRun);
    for (std::size_t r = 0; r < runs.size(); ++r) {
        runOfFirst[static_cast<std::uint32_t>(keys[runs[r].first])] = static_cast<std::uint32_t>(r);
    }
    for (const std::uint32_t r : runOfFirst) {
        if (r == kNoRun) {
            continue;
        }
        const Run& run = runs[r];
        const auto begin = static_cast<std::uint32_t>(check.repeatPlaces.size());
        for (std::size_t k = run.first; k < run.first + run.size; ++k) {
            check.repeatPlaces.push_back(text.singles[static_cast<std::uint32_t>(keys[k])].place);
        }
        check.repeats.push_back({begin, static_cast<std::uint32_t>(check.repeatPlaces.size())});
        check.duplicates += run.size - 1;
    }

    auto& passed = check.limitPassed;
    passed[static_cast<std::size_t>(Limit::Singles)] = check.singles <= kMaxSingles;
    passed[static_cast<std::size_t>(Limit::Systems)] = check.systems <= kMaxSystems;
    passed[static_cast<std::size_t>(Limit::Stake)] = check.stake <= kMaxStake;
    passed[static_cast<std::size_t>(Limit::OneKind)] = check.singles == 0 || check.systems == 0;
    passed[static_cast<std::size_t>(Limit::ProductFirst)] = text.productLine == 1;

    auto& obstacles = check.obstacles;
    switch (text.kind) {
    case TextKind::TooLarge:
        obstacles.push_back(Obstacle::TooLarge);
        break;
    case TextKind::Empty:
        obstacles.push_back(Obstacle::Empty);
        break;
    case TextKind::CouponTable:
        obstacles.push_back(Obstacle::CouponTable);
        break;
    case TextKind::SystemTable:
        obstacles.push_back(Obstacle::SystemTable);
        break;
    case TextKind::Upload:
        if (check.singles + check.systems == 0) {
            obstacles.push_back(Obstacle::NoRows);
        }
        if (!text.invalidLines.empty()) {
            obstacles.push_back(Obstacle::InvalidLines);
        }
        const std::pair<Limit, Obstacle> broken[] = {{Limit::Singles, Obstacle::TooManySingles},
                                                     {Limit::Systems, Obstacle::TooManySystems},
                                                     {Limit::Stake, Obstacle::StakeTooHigh},
                                                     {Limit::OneKind, Obstacle::Mixed}};
        for (const auto& [limit, obstacle] : broken) {
            if (!passed[static_cast<std::size_t>(limit)]) {
                obstacles.push_back(obstacle);
            }
        }
        if (text.productLine != 1) {
            obstacles.push_back(text.productLine == 0 ? Obstacle::NoProduct
                                                      : Obstacle::ProductNotFirst);
        }
        break;
    }
    check.uploadable = obstacles.empty();
    return check;
}

std::string FaultText(const Fault& fault, TextKind kind) {
    const bool table = IsTable(kind);
    const std::string match = std::to_string(fault.match);
    std::string text = "Rad " + std::to_string(fault.line);
    if (table && fault.match != 0) {
        text += " (Match " + match + ")";
    }
    text += ' ';
    switch (fault.kind) {
    case FaultKind::NotHeaderOrRow:
        text += Str(Ansi(u8"är varken ett produktnamn eller en rad"));
        break;
    case FaultKind::NotARow:
        text += Str(Ansi(u8"är ingen rad (en rad börjar med E eller M)"));
        break;
    case FaultKind::NotTableLine:
        text += Str(Ansi(u8"är varken en matchrad eller en skiljelinje"));
        break;
    case FaultKind::ExtraHeader:
        text += Str(Ansi(u8"har ett produktnamn, men det får bara stå först i filen"));
        break;
    case FaultKind::ForeignByte:
        text += Str(Ansi(u8"innehåller ett ")) + words::Byte(fault.byte);
        break;
    case FaultKind::SignCount:
        text += "har " + Amount(fault.count) + Str(Ansi(u8" tecken i stället för 13"));
        break;
    case FaultKind::Commas:
        text += Str(Ansi(u8"har kommatecknen på fel ställe"));
        break;
    case FaultKind::NoRowCount:
        text += "saknar antalet rader efter M";
        break;
    case FaultKind::CellCount:
        text += "har " + Amount(fault.count) + Str(Ansi(u8" matcher i stället för 13"));
        break;
    case FaultKind::EmptyCell:
        text += "saknar tecken";
        break;
    case FaultKind::RepeatedSign:
        text += "har tecknet " + std::string(1, fault.byte) + Str(Ansi(u8" mer än en gång"));
        break;
    case FaultKind::WrongRowCount:
        text += "anger fel antal rader, tecknen ger " + words::Rows(fault.count);
        break;
    case FaultKind::NoSuchMatch:
        text += Str(Ansi(u8"gäller match ")) + std::to_string(fault.count) +
                Str(Ansi(u8", men matcherna är 1 till 13"));
        break;
    case FaultKind::RepeatedMatch:
        text += Str(Ansi(u8"upprepar matchen från rad ")) + std::to_string(fault.count);
        break;
    case FaultKind::MatchSignCount:
        text += "har " + Amount(fault.count) + " tecken, men tabellen har " +
                words::Rows(fault.expected);
        break;
    case FaultKind::Separator:
        text += "har " + Amount(fault.count) + Str(Ansi(u8" streck i stället för ")) +
                Amount(fault.expected);
        break;
    }
    if (!table && fault.match != 0) {
        text += " i match " + match;
    }
    return text + ".";
}

std::string CheckReport(const RowsText& text, const Check& check, std::string_view source) {
    std::string report = "Kontroll av " + std::string(source);
    const auto line = [&](const std::string& s) { report += std::string(kLineEnd) + s; };
    switch (text.kind) {
    case TextKind::TooLarge:
        line(Str(Ansi(u8"Texten är större än 4 MiB och läses inte.")));
        break;
    case TextKind::Empty:
        line(Str(Ansi(u8"Texten är tom.")));
        break;
    case TextKind::Upload:
        line(text.product == Product::None ? Str(Ansi(u8"Produkt: inget produktnamn"))
                                           : "Produkt: " + std::string(ProductName(text.product)));
        break;
    case TextKind::CouponTable:
        line("Kupongtabell med " + words::Rows(text.tableRows) + ".");
        break;
    case TextKind::SystemTable:
        line("Systemrad i tabellform.");
        break;
    }
    if (text.missingMatches != 0) {
        line(MissingMatches(text.missingMatches));
    }
    if (IsTable(text.kind) && check.singles + check.systems == 0) {
        line(Str(Ansi(u8"Tabellens rader räknas först när alla 13 matchrader är hela.")));
    }
    if (text.kind != TextKind::TooLarge && text.kind != TextKind::Empty) {
        line("Enkelrader: " + Amount(check.singles));
        line("System: " + Amount(check.systems));
        line("Rader totalt: " + Amount(check.rows));
        line("Insats: " + Amount(check.stake) + " kr");
        if (check.repeats.empty()) {
            line("Inga enkelrader upprepas.");
        } else {
            line("Upprepade enkelrader: " + Amount(check.duplicates) +
                 Str(Ansi(u8" (utöver den första av varje)")));
            const std::string opening = IsTable(text.kind) ? "  Tabellens rader " : "  Raderna ";
            const std::size_t shown = std::min(check.repeats.size(), kListed);
            for (std::size_t i = 0; i < shown; ++i) {
                const RepeatGroup& group = check.repeats[i];
                line(opening + Enumerate(check.repeatPlaces, group.begin, group.end) +
                     Str(Ansi(u8" är lika.")));
            }
            if (shown < check.repeats.size()) {
                line("  " + words::More(check.repeats.size() - shown));
            }
        }
        if (text.invalidLines.empty()) {
            line("Inga ogiltiga rader.");
        } else {
            line("Ogiltiga rader: " + Amount(text.invalidLines.size()));
            const std::size_t shown = std::min(text.faults.size(), kListed);
            for (std::size_t i = 0; i < shown; ++i) {
                line("  " + FaultText(text.faults[i], text.kind));
            }
            if (shown < text.invalidLines.size()) {
                line("  " + words::More(text.invalidLines.size() - shown));
            }
        }
        line(Str(Ansi(u8"Svenska Spels gränser för en fil:")));
        const std::size_t limits = text.kind == TextKind::Upload ? kLimitCount : 3;
        for (std::size_t i = 0; i < limits; ++i) {
            line(LimitLine(static_cast<Limit>(i), text, check));
        }
    }
    line(Verdict(text, check));
    return report;
}

std::string Verdict(const RowsText& text, const Check& check) {
    if (check.uploadable) {
        return "Filen kan laddas upp.";
    }
    std::string verdict = "Filen kan inte laddas upp: ";
    for (std::size_t i = 0; i < check.obstacles.size(); ++i) {
        verdict += (i == 0 ? "" : "; ") + ObstacleText(check.obstacles[i], text);
    }
    return verdict + ".";
}

} // namespace kupongen::rows
