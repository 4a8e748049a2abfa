// The check and the grade as one JSON object each, for the command line's
// --json: standard library only, one line, no line end.
#pragma once

#include "rows_check.h"
#include "rows_grade.h"
#include "rows_reader.h"

#include <string>

namespace kupongen::rows {

// {"product":"Stryktipset","singles":10,"systems":0,"rows":10,"stake":10,
//  "duplicates":0,"invalid":[3,7],"uploadable":false}: product is
// "Stryktipset", "Italienska Stryktipset" or null, however the text spells the
// header; rows count each system as its rows; stake is in kr; duplicates are
// the single rows beyond the first of each repeated row; invalid holds every
// faulty line, from 1.
std::string CheckJson(const RowsText& text, const Check& check);

// {"rows":72,"right":[0,…,1]}: right[k] rows with k right, 14 counts.
std::string GradeJson(const Grade& grade);

} // namespace kupongen::rows
