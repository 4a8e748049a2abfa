// The check and the grade of a rows file from the command line: the core's
// report or JSON object for the file's bytes, read no further than the
// reader's limit.
#pragma once

#include "menu_table.h"
#include "rows_grade.h"

#include <iosfwd>
#include <string>

namespace kupongen::script {

struct ReviewRequest {
    RowsReviewKind kind = RowsReviewKind::Check;
    std::string file; // UTF-8; "-" is standard input
    rows::Result result = rows::kOpenResult;
    bool json = false;
};

// Reads the file (in, when it is "-", which must deliver its bytes unchanged)
// and prints the report, UTF-8 with LF line ends, or the JSON object, each with
// a line end after it. A file that cannot be read at all (missing, a folder,
// over the limit) gives one UTF-8 line on err and nothing on out. Returns the
// exit status: 1 for that; for the check 0 when the file can be uploaded and 1
// when it cannot; for the grade 0.
int RunReview(const ReviewRequest& request, std::istream& in, std::ostream& out, std::ostream& err);

} // namespace kupongen::script
