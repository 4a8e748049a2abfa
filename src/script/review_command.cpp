#include "review_command.h"

#include "ansi_text.h"
#include "rows_check.h"
#include "rows_input.h"
#include "rows_json.h"
#include "rows_reader.h"
#include "script_runner.h"

#include <filesystem>
#include <istream>
#include <ostream>
#include <string_view>

namespace kupongen::script {

namespace {

// What the report's first line and a failure call standard input: "Kontroll
// av standard in", "Filen på standard in kunde inte läsas."
constexpr std::string_view kStandardInputSource = "standard in";
constexpr auto kStandardInputFile = Ansi(u8"på standard in");

// A core report for a terminal: UTF-8, one LF for each CR LF.
std::string ForPeople(std::string_view ansiReport) {
    const std::string utf8 = AnsiToUtf8(ansiReport);
    std::string text;
    text.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if (utf8[i] != '\r' || i + 1 == utf8.size() || utf8[i + 1] != '\n') {
            text += utf8[i];
        }
    }
    return text;
}

} // namespace

int RunReview(const ReviewRequest& request, std::istream& in, std::ostream& out,
              std::ostream& err) {
    const bool standardInput = request.file == "-";
    // Paths are UTF-8 on every platform, also where narrow paths are not.
    const rows::BoundedRead read =
        standardInput
            ? rows::ReadBounded(in)
            : rows::ReadBoundedFile(std::u8string(request.file.begin(), request.file.end()));
    // The core's texts are Windows-1252: a name it cannot hold shows a ? there,
    // and a control character in it shows escaped.
    const std::string name = Utf8ToAnsi(Quoted(request.file));
    if (read.status != rows::ReadStatus::Read) {
        err << "kupongen-headless: "
            << AnsiToUtf8(rows::ReadFailureText(read.status,
                                                standardInput ? kStandardInputFile.view() : name))
            << '\n';
        return 1;
    }
    const rows::RowsText text = rows::ReadRows(read.bytes);
    const std::string_view source = standardInput ? kStandardInputSource : name;
    int status = 0;
    if (request.kind == RowsReviewKind::Check) {
        const rows::Check check = rows::CheckRows(text);
        out << (request.json ? rows::CheckJson(text, check)
                             : ForPeople(rows::CheckReport(text, check, source)));
        status = check.uploadable ? 0 : 1;
    } else {
        const rows::Grade grade = rows::GradeRows(text, request.result);
        out << (request.json ? rows::GradeJson(grade)
                             : ForPeople(rows::GradeReport(text, grade, source)));
    }
    out << '\n';
    return status;
}

} // namespace kupongen::script
