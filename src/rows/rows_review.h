// The check and grade window's state, the same behind every front end (the Qt
// window, the native dialog, the page): its source, the result being entered,
// and what the window shows. A front end sends the user's acts here and shows
// the texts and counts it reads back, redrawing when Revision() has moved. The
// review never touches the dialog: it reads the rows window's text only when a
// front end hands it over, and an opened file is read for it alone.
//
// Every text in and out is Windows-1252; the reports have CR LF between lines.
// Work is done only when something changed: a new source is read, checked and
// graded once, a changed result is graded once, and an act that changes
// nothing (the same text again, the sign a match already has) does nothing.
#pragma once

#include "rows_check.h"
#include "rows_grade.h"
#include "rows_input.h"
#include "rows_reader.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace kupongen::rows {

// Which of the two the window shows (the menu's "Kontrollera raderna…" and
// "Rätta raderna…").
enum class ReviewView : std::uint8_t { Check, Grade };

class RowsReview {
public:
    RowsReview();

    void Show(ReviewView view);
    ReviewView Showing() const { return view_; }

    // The rows window's text, when the window opens and on "read again".
    void ReadRowsWindow(std::string_view text);
    // A file the user opened, as ReadBoundedFile (or a front end's own bounded
    // read) gave it; a failed read shows its message in both reports. name is
    // what the reports call it, usually the file's name without its folder.
    void OpenFile(std::string_view name, const BoundedRead& read);

    // The result: match is 1 to 13, sign kOne, kCross, kTwo or 0 for open;
    // anything else is ignored. ToggleSign opens a match that has that sign
    // already, as a second click on a checked box clears it.
    void SetSign(int match, SignSet sign);
    void ToggleSign(int match, SignSet sign);
    // Typed text, as ParseResult reads it; an empty text opens every match. A
    // refused text leaves the result as it was and puts the refusal in
    // ResultStatus(); returns whether it was taken.
    bool TypeResult(std::string_view typed);
    // Every match open again, as at the start.
    void OpenAll();

    const Result& CurrentResult() const { return grade_.result; }
    SignSet Sign(int match) const;
    // The refusal of the last typed text; empty once a result is taken.
    const std::string& ResultStatus() const { return resultStatus_; }
    // The result as the typing line shows it: the text as typed, or after a
    // sign was set by a box the result written out ("1X2?…"); empty while
    // every match is open and nothing was typed.
    const std::string& TypedResult() const { return typed_; }

    // "raderna i fönstret" or the opened file's name.
    const std::string& SourceName() const { return sourceName_; }
    const RowsText& Text() const { return text_; }
    const Check& CheckResult() const { return check_; }
    const Grade& GradeResult() const { return grade_; }
    const std::string& CheckReport() const { return checkReport_; }
    const std::string& GradeReport() const { return gradeReport_; }
    // Rows with 0 to 13 right, for the bar chart.
    const Spread& Rights() const { return grade_.spread; }

    // Grows with every change of anything above.
    std::uint64_t Revision() const { return revision_; }

private:
    void SetSource(std::string name, std::string_view bytes, ReadStatus status);
    void Load(std::string_view bytes = {});
    void SetResult(const Result& result);
    void Regrade(const Result& result);
    void SetTyped(std::string typed);

    ReviewView view_ = ReviewView::Check;
    std::string sourceName_;
    std::string sourceBytes_;
    ReadStatus sourceStatus_ = ReadStatus::Read;
    RowsText text_;
    Check check_;
    Grade grade_;
    std::string checkReport_;
    std::string gradeReport_;
    std::string resultStatus_;
    std::string typed_;
    std::uint64_t revision_ = 0;
};

} // namespace kupongen::rows
