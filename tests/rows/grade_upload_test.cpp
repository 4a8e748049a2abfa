// Grading against rows written out one by one, typed results, the system's
// upload file from Kupongen's own system rows, and the review window's state.
#include "rows_check.h"
#include "rows_grade.h"
#include "rows_json.h"
#include "rows_review.h"
#include "rows_test_support.h"
#include "system_upload.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace kupongen::rows {
namespace {

using testing::SingleRows;
using testing::SystemRow;

// Every row of a system, written out.
std::vector<std::string> Expand(const std::vector<std::string>& cells) {
    std::vector<std::string> rows = {""};
    for (const std::string& cell : cells) {
        std::vector<std::string> longer;
        for (const std::string& row : rows) {
            for (const char sign : cell) {
                longer.push_back(row + sign);
            }
        }
        rows = longer;
    }
    return rows;
}

// The rows by their rights over the decided matches ('?' is open).
Spread Count(const std::vector<std::string>& rows, const std::string& result) {
    Spread spread{};
    for (const std::string& row : rows) {
        std::size_t rights = 0;
        for (std::size_t m = 0; m < 13; ++m) {
            rights += result[m] != '?' && row[m] == result[m] ? 1 : 0;
        }
        ++spread[rights];
    }
    return spread;
}

Result Parsed(const std::string& typed) {
    const ResultParse parse = ParseResult(typed);
    EXPECT_TRUE(parse.ok) << typed;
    return parse.result;
}

std::string RandomResult(std::mt19937& random, unsigned openChance) {
    std::string result;
    for (int m = 0; m < 13; ++m) {
        result += random() % 10 < openChance ? '?' : "1X2"[random() % 3];
    }
    return result;
}

TEST(RowsGrade, SystemsAgreeWithTheirRowsWrittenOut) {
    std::mt19937 random(13);
    for (int round = 0; round < 300; ++round) {
        std::vector<std::string> cells;
        std::string file = "Stryktipset\r\nM";
        std::string line;
        std::uint32_t rows = 1;
        for (int m = 0; m < 13; ++m) {
            // Mostly single signs, so the systems stay small enough to write out.
            const unsigned set = random() % 4 == 0 ? 1 + random() % 7 : 1u << (random() % 3);
            std::string cell;
            for (int s = 0; s < 3; ++s) {
                cell += (set >> s & 1) != 0 ? std::string(1, "1X2"[s]) : "";
            }
            cells.push_back(cell);
            rows *= static_cast<std::uint32_t>(cell.size());
            line += "," + cell;
        }
        const RowsText text = ReadRows(file + std::to_string(rows) + line);
        ASSERT_EQ(text.systems.size(), 1u);
        const std::vector<std::string> expanded = Expand(cells);
        for (const unsigned open : {0u, 3u, 10u}) {
            const std::string result = RandomResult(random, open);
            const Spread expected = Count(expanded, result);
            const SystemGrade grade = GradeSystem(text.systems[0].cells, Parsed(result));
            EXPECT_EQ(grade.spread, expected) << line << " " << result;
            int best = 13;
            while (expected[static_cast<std::size_t>(best)] == 0) {
                --best;
            }
            EXPECT_EQ(grade.best, best);
            EXPECT_EQ(Count({RowText(grade.bestRow)}, result)[static_cast<std::size_t>(best)], 1u);
            EXPECT_NE(std::find(expanded.begin(), expanded.end(), RowText(grade.bestRow)),
                      expanded.end());
        }
    }
    // 13 full covers: C(13, k) · 2^(13 - k) rows with k right, at once.
    Cells all;
    all.fill(kAllSigns);
    const Spread spread = GradeSystem(all, Parsed("1X21X21X21X21")).spread;
    std::uint64_t choose = 1;
    for (std::uint64_t k = 0; k <= 13; ++k) {
        EXPECT_EQ(spread[k], choose << (13 - k)) << k;
        choose = choose * (13 - k) / (k + 1);
    }
}

TEST(RowsGrade, EveryFormatKupongenWritesAgreesWithItsRows) {
    std::mt19937 random(12);
    struct Case {
        std::string text;
        std::vector<std::string> rows;
    };
    const std::string upload = SingleRows(7, 144, true);
    const std::string table = SingleRows(7, 60, false);
    const std::string system = SystemRow(7, 4, 3);
    const std::vector<Case> cases = {{upload, testing::UploadRowsByPosition(upload)},
                                     {table, testing::TableRowsByPosition(table, 60)},
                                     {system, Expand(testing::SystemCellsByPosition(system))},
                                     {MakeSystemUpload(system, Product::Italienska).bytes,
                                      Expand(testing::SystemCellsByPosition(system))}};
    for (const Case& c : cases) {
        const RowsText text = ReadRows(c.text);
        for (const unsigned open : {0u, 2u, 10u}) {
            const std::string result = RandomResult(random, open);
            const Grade grade = GradeRows(text, Parsed(result));
            EXPECT_EQ(grade.spread, Count(c.rows, result));
            EXPECT_EQ(grade.rows, c.rows.size());
            EXPECT_EQ(GradeJson(grade).find("{\"rows\":" + std::to_string(c.rows.size()) + ","),
                      0u);
            for (std::size_t i = 0; i < text.singles.size(); ++i) {
                EXPECT_EQ(Count({c.rows[i]}, result)[grade.singleRights[i]], 1u);
            }
        }
    }
}

TEST(RowsGrade, TypedResults) {
    EXPECT_EQ(ResultText(Parsed("1X21X21X21X21")), "1X21X21X21X21");
    EXPECT_EQ(ResultText(Parsed(" 1, x, 2, ?, -, 1,X,2,1,x,2,1,2 ")), "1X2??1X21X212");
    EXPECT_EQ(ParseResult("1X21X21X21X2").refusal,
              "Resultatet har 12 tecken i st\xE4llet f\xF6r 13 (1, X, 2 eller ? f\xF6r varje "
              "match).");
    EXPECT_FALSE(ParseResult("1X21X21X21X211").ok);
    EXPECT_EQ(ParseResult("1X21X21X21X2Y").refusal,
              "Resultatet inneh\xE5ller ett 'Y'; skriv 1, X, 2 eller ? f\xF6r varje match.");
    EXPECT_FALSE(ParseResult("1X21X21\n1X21X2").ok);
}

TEST(RowsGrade, ReportIsBoundedAndPaysFirst) {
    std::string file = "Stryktipset";
    for (int i = 0; i < 3000; ++i) {
        file += i == 7 ? "\r\nE,1,1,1,1,1,1,1,1,1,1,1,1,2" : "\r\nE,2,2,2,2,2,2,2,2,2,2,2,2,2";
    }
    const RowsText text = ReadRows(file);
    const std::string report = GradeReport(text, GradeRows(text, Parsed("1111111111111")), "f");
    EXPECT_LT(report.size(), 8u << 10);
    EXPECT_NE(report.find("\r\n12 r\xE4tt: 1 rad\r\n"), std::string::npos);
    EXPECT_NE(report.find("  Rad 9: 12 r\xE4tt (1111111111112)"), std::string::npos);
    EXPECT_NE(report.find("  \x85 och 2 950 till."), std::string::npos);
}

TEST(SystemUpload, KupongensSystemRowsAsUploadFiles) {
    for (const auto& [halves, fulls] : {std::pair{3, 2}, {5, 0}, {0, 9}, {2, 5}}) {
        const std::string table = SystemRow(8, halves, fulls);
        const SystemUpload upload = MakeSystemUpload(table, Product::None);
        ASSERT_TRUE(upload.ok) << upload.status;
        std::string expected = "Stryktipset\r\nM" + std::to_string(upload.rows);
        for (const std::string& cell : testing::SystemCellsByPosition(table)) {
            expected += "," + cell;
        }
        EXPECT_EQ(upload.bytes, expected);
        const RowsText back = ReadRows(upload.bytes);
        EXPECT_TRUE(CheckRows(back).uploadable);
        ASSERT_EQ(back.systems.size(), 1u);
        EXPECT_EQ(back.systems[0].cells, ReadRows(table).systems[0].cells);
    }
    EXPECT_EQ(MakeSystemUpload(SystemRow(8, 3, 2), Product::Stryktipset).status,
              "Systemet med 72 rader \xE4r sparat f\xF6r uppladdning.");
    EXPECT_EQ(MakeSystemUpload(SystemRow(8, 3, 2), Product::Italienska)
                  .bytes.find("Italienska Stryktipset\r\nM72,"),
              0u);
    // Hand edits: order, case, spacing, lone CRs.
    std::string edited = SystemRow(8, 0, 13);
    for (std::size_t at = 0; (at = edited.find("1X2", at)) != std::string::npos;) {
        edited.replace(at, 3, " 2x 1 ");
    }
    for (std::size_t at = 0; (at = edited.find("\r\n", at)) != std::string::npos;) {
        edited.erase(at + 1, 1);
    }
    EXPECT_EQ(ReadRows(edited).systems.at(0).rows, 1594323u);

    const SystemUpload one = MakeSystemUpload(SystemRow(8, 0, 0), Product::None);
    ASSERT_TRUE(one.ok);
    EXPECT_EQ(one.bytes.substr(0, 15), "Stryktipset\r\nE,");
    EXPECT_EQ(CheckRows(ReadRows(one.bytes)).singles, 1u);
}

TEST(SystemUpload, Refusals) {
    const auto refusal = [](const std::string& text) {
        const SystemUpload upload = MakeSystemUpload(text, Product::Stryktipset);
        EXPECT_FALSE(upload.ok);
        EXPECT_TRUE(upload.bytes.empty());
        EXPECT_LE(upload.status.size(), 64u) << upload.status;
        return upload.status;
    };
    EXPECT_EQ(refusal(SystemRow(9, 0, 10)),
              "Systemet har 59 049 rader; h\xF6gst 20 000 g\xE5r att ladda upp.");
    EXPECT_EQ(refusal(SystemRow(9, 1, 9)),
              "Systemet har 39 366 rader; h\xF6gst 20 000 g\xE5r att ladda upp.");
    EXPECT_EQ(refusal(SingleRows(9, 1, false)),
              "Texten \xE4r en kupongtabell med en rad, inget system.");
    EXPECT_EQ(refusal(SingleRows(9, 4, false)), "Texten \xE4r en kupongtabell, inget system.");
    EXPECT_EQ(refusal(SingleRows(9, 10, true)), "Texten \xE4r ingen systemrad.");
    EXPECT_EQ(refusal(""), "Texten \xE4r ingen systemrad.");
    std::string broken = SystemRow(9, 3, 2);
    broken.replace(broken.find(" Match 8:") + 9, 0, "Y");
    EXPECT_EQ(refusal(broken), "Systemraden har fel p\xE5 rad 10.");
    EXPECT_EQ(refusal(SystemRow(9, 3, 2) + "\r\nhej"), "Systemraden har fel p\xE5 rad 17.");
    const std::string system = SystemRow(9, 3, 2);
    EXPECT_EQ(refusal(system.substr(0, system.find("\r\n Match 13:"))),
              "Systemraden saknar match 13.");
}

TEST(RowsReview, RecomputesOnlyOnChange) {
    RowsReview review;
    const std::string system = SystemRow(10, 3, 2);
    review.ReadRowsWindow(system);
    const std::uint64_t read = review.Revision();
    review.ReadRowsWindow(system);
    review.SetSign(1, 0);
    review.SetSign(14, kOne);
    review.SetSign(1, 3);
    EXPECT_EQ(review.Revision(), read);
    EXPECT_EQ(review.CheckResult().rows, 72u);
    EXPECT_EQ(review.Rights()[0], 72u); // all open: no row has a right

    review.SetSign(1, kCross);
    EXPECT_GT(review.Revision(), read);
    EXPECT_EQ(review.Sign(1), kCross);
    const std::uint64_t signed1 = review.Revision();
    review.SetSign(1, kCross);
    EXPECT_EQ(review.Revision(), signed1);
    review.ToggleSign(1, kCross);
    EXPECT_EQ(review.Sign(1), 0);

    EXPECT_FALSE(review.TypeResult("1X2"));
    EXPECT_EQ(review.ResultStatus().substr(0, 15), "Resultatet har ");
    EXPECT_EQ(review.CurrentResult(), kOpenResult);
    EXPECT_TRUE(review.TypeResult("1X21X21X21X21"));
    EXPECT_TRUE(review.ResultStatus().empty());
    std::uint64_t sum = 0;
    for (const std::uint64_t count : review.Rights()) {
        sum += count;
    }
    EXPECT_EQ(sum, 72u);
    EXPECT_EQ(review.GradeReport().find("R\xE4ttning av raderna i f\xF6nstret\r\nResultat: "
                                        "1X21X21X21X21"),
              0u);

    // An opened file replaces the source; a failed one shows why in both.
    review.OpenFile("rader.txt", {ReadStatus::Read, SingleRows(10, 5, true)});
    EXPECT_EQ(review.SourceName(), "rader.txt");
    EXPECT_EQ(review.GradeResult().rows, 5u);
    EXPECT_EQ(review.CurrentResult(), Parsed("1X21X21X21X21")); // the result stays
    review.OpenFile("stor.txt", {ReadStatus::TooLarge, {}});
    EXPECT_EQ(review.CheckReport(),
              "Filen stor.txt \xE4r st\xF6rre \xE4n 4 MiB och l\xE4ses inte.");
    EXPECT_EQ(review.GradeReport(), review.CheckReport());
    EXPECT_EQ(review.Rights(), Spread{});
    EXPECT_EQ(review.CheckResult().obstacles, std::vector{Obstacle::TooLarge});
    review.Show(ReviewView::Grade);
    EXPECT_EQ(review.Showing(), ReviewView::Grade);
}

} // namespace
} // namespace kupongen::rows
