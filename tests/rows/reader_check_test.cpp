// Reading and checking: every format Kupongen writes, the files of other
// tools, line numbers under every line end, and hostile texts, against rows,
// repeats and faults counted another way.
#include "rows_check.h"
#include "rows_input.h"
#include "rows_json.h"
#include "rows_reader.h"
#include "rows_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace kupongen::rows {
namespace {

using namespace std::string_view_literals;
using kupongen::testing::SplitLines;
using testing::SingleRows;
using testing::SingleTexts;
using testing::SystemRow;

TEST(RowsReader, ReadsEveryFormatKupongenWrites) {
    for (const bool italian : {false, true}) {
        const std::string file = SingleRows(1, 256, true, italian);
        const RowsText text = ReadRows(file);
        EXPECT_EQ(text.kind, TextKind::Upload);
        EXPECT_EQ(text.product, italian ? Product::Italienska : Product::Stryktipset);
        EXPECT_EQ(text.productLine, 1u);
        EXPECT_EQ(text.lines, 257u);
        EXPECT_EQ(SingleTexts(text), testing::UploadRowsByPosition(file));
        EXPECT_TRUE(text.invalidLines.empty());
        EXPECT_TRUE(CheckRows(text).uploadable);
    }
    // 1 and 4 rows: the one-row table's separators and the four-row table's
    // 23 hyphens, which a system has too.
    for (const int rows : {1, 4, 10, 256}) {
        const std::string table = SingleRows(2, rows, false);
        const RowsText text = ReadRows(table);
        EXPECT_EQ(text.kind, TextKind::CouponTable) << rows;
        EXPECT_EQ(text.tableRows, static_cast<std::uint32_t>(rows));
        EXPECT_EQ(SingleTexts(text), testing::TableRowsByPosition(table, text.tableRows));
        EXPECT_EQ(text.singles.back().place, static_cast<std::uint32_t>(rows));
        EXPECT_TRUE(text.invalidLines.empty());
        EXPECT_EQ(CheckRows(text).obstacles, std::vector{Obstacle::CouponTable});
    }
    for (const auto& [halves, fulls] : {std::pair{3, 2}, {0, 0}, {13, 0}, {0, 13}, {4, 4}}) {
        const std::string table = SystemRow(3, halves, fulls);
        const RowsText text = ReadRows(table);
        ASSERT_EQ(text.kind, TextKind::SystemTable) << table;
        ASSERT_EQ(text.systems.size(), 1u);
        EXPECT_EQ(testing::CellTexts(text.systems[0].cells), testing::SystemCellsByPosition(table));
        std::uint32_t rows = 1;
        for (int i = 0; i < halves; ++i) {
            rows *= 2;
        }
        for (int i = 0; i < fulls; ++i) {
            rows *= 3;
        }
        EXPECT_EQ(text.systems[0].rows, rows);
        EXPECT_EQ(CheckRows(text).rows, rows);
    }
}

TEST(RowsReader, LinesCountAsTheFileStoresThem) {
    const std::vector<std::string> lines = {
        "Stryktipset", "E,1,X,2,1,X,2,1,X,2,1,X,2,1",  "", "hej", "e,1,x,2,1,x,2,1,x,2,1,x,2,2",
        "E,1,X",       "M2,1,1,1,1,1,1,1,1,1,1,1,1,1X"};
    for (const std::string end : {"\r\n", "\n", "\r"}) {
        for (const std::string bom : {"", "\xEF\xBB\xBF"}) {
            std::string file = bom;
            for (const std::string& line : lines) {
                file += line + end;
            }
            const RowsText text = ReadRows(file);
            EXPECT_EQ(text.lines, 7u);
            EXPECT_EQ(text.invalidLines, (std::vector<std::uint32_t>{4, 6}));
            ASSERT_EQ(text.singles.size(), 2u);
            EXPECT_EQ(text.singles[1].place, 5u);
            ASSERT_EQ(text.systems.size(), 1u);
            EXPECT_EQ(text.systems[0].line, 7u);
            EXPECT_EQ(text.product, Product::Stryktipset);
        }
    }
    // A CR before CR LF ends a line of its own; nothing after the last line
    // end is a line.
    EXPECT_EQ(ReadRows("hej\r\r\nhej\r\n").invalidLines, (std::vector<std::uint32_t>{1, 3}));
    EXPECT_EQ(ReadRows("\r\n\n\r").kind, TextKind::Empty);
    EXPECT_EQ(ReadRows("\r\n\n\r").lines, 3u);
}

// An upload file of random rows from a small pool, random case, line ends,
// blank and broken lines, with its repeats and faults kept while it is built.
TEST(RowsCheck, CountsAgreeWithAnIndependentCount) {
    std::mt19937 random(25);
    const std::vector<std::string> broken = {"E,1,X,2",
                                             "E,1,X,2,1,X,2,1,X,2,1,X,2,1,1",
                                             "E,1,Y,2,1,X,2,1,X,2,1,X,2,1",
                                             "E,1,X,2,1,X,2,1,X,2,1,X,2,",
                                             "M72,1,1,1,1,1,1,1,1,1,1,1,1,1",
                                             "Stryktipset",
                                             "Rad",
                                             "M2,1,1,1,1,1,1,1,1,1,1,1,1,11",
                                             " Match 1:   1 "};
    const char* const ends[] = {"\r\n", "\n", "\r"};
    for (int round = 0; round < 40; ++round) {
        std::vector<std::string> pool(1 + random() % 6);
        for (std::string& row : pool) {
            for (int m = 0; m < 13; ++m) {
                row += "1X2"[random() % 3];
            }
        }
        std::string file = round % 2 == 0 ? "STRYKTIPSET" : "italienska  stryktipset";
        std::uint32_t line = 1;
        std::vector<std::uint32_t> invalid;
        std::map<std::string, std::vector<std::uint32_t>> places;
        const int count = static_cast<int>(random() % 300);
        for (int i = 0; i < count; ++i) {
            // A CR and then LF would end one line, not two.
            const std::string end = ends[random() % 3];
            file += file.back() == '\r' && end == "\n" ? "\r\n" : end;
            ++line;
            const unsigned what = random() % 10;
            if (what == 0) {
                continue; // a blank line
            }
            if (what == 1) {
                file += broken[random() % broken.size()];
                invalid.push_back(line);
                continue;
            }
            const std::string& row = pool[random() % pool.size()];
            places[row].push_back(line);
            file += random() % 2 == 0 ? " e" : "E";
            for (const char sign : row) {
                file += ',';
                file += sign == 'X' && random() % 2 == 0 ? 'x' : sign;
            }
        }
        const RowsText text = ReadRows(file);
        const Check check = CheckRows(text);
        std::uint64_t singles = 0, duplicates = 0;
        std::vector<std::vector<std::uint32_t>> groups;
        for (const auto& [row, at] : places) {
            singles += at.size();
            duplicates += at.size() - 1;
            if (at.size() > 1) {
                groups.push_back(at);
            }
        }
        std::sort(groups.begin(), groups.end());
        std::vector<std::vector<std::uint32_t>> found;
        for (const RepeatGroup& group : check.repeats) {
            found.emplace_back(check.repeatPlaces.begin() + group.begin,
                               check.repeatPlaces.begin() + group.end);
        }
        EXPECT_EQ(text.invalidLines, invalid);
        EXPECT_EQ(check.singles, singles);
        EXPECT_EQ(check.systems, 0u);
        EXPECT_EQ(check.stake, singles);
        EXPECT_EQ(check.duplicates, duplicates);
        EXPECT_EQ(found, groups); // ordered by first place, as the sorted map gives them
        EXPECT_EQ(check.uploadable, invalid.empty() && singles > 0);
    }
}

TEST(RowsCheck, LimitsAndVerdict) {
    const std::string row = "\r\nE,1,1,1,1,1,1,1,1,1,1,1,1,1";
    std::string many = "Stryktipset";
    for (int i = 0; i < 10001; ++i) {
        many += row;
    }
    Check check = CheckRows(ReadRows(many));
    EXPECT_FALSE(check.limitPassed[static_cast<std::size_t>(Limit::Singles)]);
    EXPECT_EQ(check.duplicates, 10000u);
    EXPECT_EQ(check.obstacles, std::vector{Obstacle::TooManySingles});

    // 1,594,323 rows and a row: too much stake, both kinds, no product name.
    const std::string full = "\r\nM1594323,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2";
    check = CheckRows(ReadRows("\r\n" + full + row));
    EXPECT_EQ(check.rows, 1594324u);
    EXPECT_EQ(check.obstacles,
              (std::vector{Obstacle::StakeTooHigh, Obstacle::Mixed, Obstacle::NoProduct}));
    check = CheckRows(ReadRows("\nStryktipset" + row));
    EXPECT_EQ(check.obstacles, std::vector{Obstacle::ProductNotFirst});

    std::string systems = "Stryktipset";
    for (int i = 0; i <= 1000; ++i) { // one more than the operator takes
        systems += "\nM1,1,1,1,1,1,1,1,1,1,1,1,1,1";
    }
    check = CheckRows(ReadRows(systems));
    EXPECT_EQ(check.obstacles, std::vector{Obstacle::TooManySystems});
    EXPECT_EQ(check.duplicates, 0u); // systems are not compared
    EXPECT_EQ(CheckRows(ReadRows("Stryktipset\r\n")).obstacles, std::vector{Obstacle::NoRows});
}

TEST(RowsCheck, FaultsNameTheirLineAndWhy) {
    const std::string file = "Stryktipset\r\n"
                             "E,1,X,2,1,X,2,1,X,2,1,X,2\r\n"
                             "E,1,X,2,1,X,Y,1,X,2,1,X,2,1\r\n"
                             "M72,1,1,1,1,1,1,1,1,1,1,1,1,1X2\r\n"
                             "M1,1,1,1,1,1,1,11,1,1,1,1,1,1";
    const RowsText text = ReadRows(file);
    ASSERT_EQ(text.faults.size(), 4u);
    EXPECT_EQ(FaultText(text.faults[0], text.kind), "Rad 2 har 12 tecken i st\xE4llet f\xF6r 13.");
    EXPECT_EQ(FaultText(text.faults[1], text.kind), "Rad 3 inneh\xE5ller ett 'Y' i match 6.");
    EXPECT_EQ(FaultText(text.faults[2], text.kind),
              "Rad 4 anger fel antal rader, tecknen ger 3 rader.");
    EXPECT_EQ(FaultText(text.faults[3], text.kind),
              "Rad 5 har tecknet 1 mer \xE4n en g\xE5ng i match 7.");

    // A table names the match of a faulty line.
    std::string table = SingleRows(4, 10, false);
    table.replace(table.find(" Match 5:") + 11, 3, "");
    const RowsText broken = ReadRows(table);
    EXPECT_EQ(broken.kind, TextKind::CouponTable);
    EXPECT_TRUE(broken.singles.empty());
    ASSERT_EQ(broken.faults.size(), 1u);
    EXPECT_EQ(FaultText(broken.faults[0], broken.kind),
              "Rad 6 (Match 5) har 9 tecken, men tabellen har 10 rader.");
    EXPECT_NE(CheckReport(broken, CheckRows(broken), "t").find("Rad 6 (Match 5)"),
              std::string::npos);
}

TEST(RowsReader, TablesWithoutSeparators) {
    const auto strip = [](const std::string& table) {
        std::string text;
        for (const std::string& line : SplitLines(table)) {
            if (line.find("---") == std::string::npos) {
                text += line + "\n";
            }
        }
        return text;
    };
    // Cells of several sizes: still a system; equal counts: a coupon table.
    EXPECT_EQ(ReadRows(strip(SystemRow(5, 3, 2))).kind, TextKind::SystemTable);
    const RowsText coupon = ReadRows(strip(SingleRows(5, 3, false)));
    EXPECT_EQ(coupon.kind, TextKind::CouponTable);
    EXPECT_EQ(coupon.singles.size(), 3u);
    EXPECT_EQ(ReadRows(strip(SystemRow(5, 0, 0))).kind, TextKind::CouponTable);
    // Hand edits of a system: order, case, spacing and a missing line.
    std::string edited = SystemRow(5, 0, 13);
    edited.replace(edited.find("1X2"), 3, "2 x1");
    const RowsText system = ReadRows(edited);
    ASSERT_EQ(system.systems.size(), 1u);
    EXPECT_EQ(system.systems[0].rows, 1594323u);
    edited.replace(edited.find(" Match 7:"), 1, "#");
    const RowsText missing = ReadRows(edited);
    EXPECT_EQ(missing.missingMatches, 1u << 6);
    EXPECT_EQ(missing.invalidLines, std::vector<std::uint32_t>{9});
    EXPECT_TRUE(missing.systems.empty());
}

// Invariants every text keeps, whatever it holds.
void ExpectSound(std::string_view bytes, const RowsText& text) {
    std::uint32_t lines = 0;
    for (std::size_t i = bytes.starts_with("\xEF\xBB\xBF") ? 3 : 0; i < bytes.size(); ++i) {
        const bool end = bytes[i] == '\n' || (bytes[i] == '\r' && bytes.substr(i + 1, 1) != "\n");
        const bool last = i + 1 == bytes.size();
        lines += end || last ? 1 : 0;
    }
    EXPECT_EQ(text.lines, lines);
    EXPECT_TRUE(std::is_sorted(text.invalidLines.begin(), text.invalidLines.end()));
    EXPECT_TRUE(std::adjacent_find(text.invalidLines.begin(), text.invalidLines.end()) ==
                text.invalidLines.end());
    EXPECT_LE(text.faults.size(), kMaxFaults);
    for (std::size_t i = 0; i < text.faults.size(); ++i) {
        EXPECT_EQ(text.faults[i].line, text.invalidLines[i]);
    }
    const Check check = CheckRows(text);
    EXPECT_LT(CheckReport(text, check, "x").size(), 32u << 10);
    const std::string json = CheckJson(text, check);
    EXPECT_EQ(std::count(json.begin(), json.end(), ','),
              7 + static_cast<std::ptrdiff_t>(text.invalidLines.size()) -
                  (text.invalidLines.empty() ? 0 : 1));
}

TEST(RowsReader, HostileTexts) {
    std::mt19937 random(24);
    const std::string_view alphabet = "EeMm1Xx2,:- \r\n\t\xEF\xBB\xBF\0Y09Match"sv;
    for (int round = 0; round < 300; ++round) {
        std::string bytes(random() % 3000, '\0');
        for (char& c : bytes) {
            c = round % 3 == 0 ? static_cast<char>(random()) : alphabet[random() % alphabet.size()];
        }
        ExpectSound(bytes, ReadRows(bytes));
    }
    // One line of the whole size, a row of 2 million signs among them.
    std::string line(kMaxTextBytes, 'x');
    ExpectSound(line, ReadRows(line));
    for (std::size_t i = 0; i < line.size(); i += 2) {
        line[i] = ',';
        line[i + 1] = '1';
    }
    line[0] = 'E';
    const RowsText row = ReadRows(line);
    ASSERT_EQ(row.faults.size(), 1u);
    EXPECT_EQ(row.faults[0].count, kMaxTextBytes / 2);
    // A fault on every other byte: every line is kept, the details and the
    // report are bounded.
    std::string tiny;
    for (std::size_t i = 0; i < kMaxTextBytes / 2; ++i) {
        tiny += "y\n";
    }
    const RowsText faults = ReadRows(tiny);
    EXPECT_EQ(faults.invalidLines.size(), kMaxTextBytes / 2);
    EXPECT_EQ(faults.faults.size(), kMaxFaults);
    ExpectSound(tiny, faults);
    // Over the limit: nothing is read, and the report says why.
    const RowsText large = ReadRows(std::string(kMaxTextBytes + 1, '\n'));
    EXPECT_EQ(large.kind, TextKind::TooLarge);
    EXPECT_NE(CheckReport(large, CheckRows(large), "f").find("4 MiB"), std::string::npos);
}

TEST(RowsInput, ReadsAtMostTheLimitAndAByte) {
    std::istringstream exact(std::string(kMaxTextBytes, 'E'));
    const BoundedRead read = ReadBounded(exact);
    EXPECT_EQ(read.status, ReadStatus::Read);
    EXPECT_EQ(read.bytes.size(), kMaxTextBytes);
    std::istringstream over(std::string(kMaxTextBytes + 2, 'E'));
    EXPECT_EQ(ReadBounded(over).status, ReadStatus::TooLarge);
    EXPECT_EQ(over.tellg(), static_cast<std::streamoff>(kMaxTextBytes + 1));
    EXPECT_EQ(ReadBounded(std::string_view(exact.str())).bytes, exact.str());
    EXPECT_EQ(ReadBounded(std::string(kMaxTextBytes + 1, 'E')).status, ReadStatus::TooLarge);
    EXPECT_EQ(ReadBoundedFile("no such folder/rader.txt").status, ReadStatus::Missing);
    EXPECT_EQ(ReadBoundedFile(".").status, ReadStatus::Failed);
    EXPECT_EQ(ReadFailureText(ReadStatus::Failed, "f"), "Filen f kunde inte l\xE4sas.");
    EXPECT_EQ(ReadFailureText(ReadStatus::Missing, "rader.txt"), "Filen rader.txt finns inte.");
}

TEST(RowsJson, CheckObject) {
    const std::string file = "italienska stryktipset\n"
                             "E,1,X,2,1,X,2,1,X,2,1,X,2,1\n"
                             "hej\n"
                             "e,1,x,2,1,x,2,1,x,2,1,x,2,1\n"
                             "E,1,X,2,1,X,2,1,X,2,1,X,2,1\n"
                             "E,1";
    const RowsText text = ReadRows(file);
    EXPECT_EQ(CheckJson(text, CheckRows(text)),
              "{\"product\":\"Italienska Stryktipset\",\"singles\":3,\"systems\":0,\"rows\":3,"
              "\"stake\":3,\"duplicates\":2,\"invalid\":[3,6],\"uploadable\":false}");
    const RowsText table = ReadRows(SystemRow(6, 2, 1));
    EXPECT_EQ(CheckJson(table, CheckRows(table)),
              "{\"product\":null,\"singles\":0,\"systems\":1,\"rows\":12,\"stake\":12,"
              "\"duplicates\":0,\"invalid\":[],\"uploadable\":false}");
}

} // namespace
} // namespace kupongen::rows
