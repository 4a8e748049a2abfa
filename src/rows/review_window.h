// The check and grade window ("Kontrollera och rätta rader") as a template,
// like dialog template 200: its items with captions, rectangles in dialog
// units and styles, and what each item shows of a RowsReview. Every front end
// builds the window from this one table and sends the user's acts to the
// review, so the Qt window, the native dialog and the page cannot differ in
// what the window holds or how the keyboard moves through it.
//
// Left, the result: the 13 matches with a box for each sign, as the sure
// matches stand in the main window (arrow keys go through all 39, a second
// click on a checked box opens the match again), and a line to type the whole
// row ("1X21…"). Right, the check report and the grade report with the bar
// chart of rights.
#pragma once

#include "dialog_template.h"
#include "rows_review.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>

namespace kupongen::rows {

namespace review_id {
inline constexpr int kSource = 41001;       // label: "Källa: …"
inline constexpr int kReadAgain = 41002;    // push button: read the rows window again
inline constexpr int kOpenFile = 41003;     // push button: the file chooser
inline constexpr int kFirstSignBox = 41010; // 39 check boxes, match by match: 1, X, 2
inline constexpr int kTyped = 41050;        // edit: the result as typed
inline constexpr int kResultStatus = 41051; // label: how to type it, or why a text was refused
inline constexpr int kCheckReport = 41060;  // edit, read-only
inline constexpr int kGradeReport = 41061;  // edit, read-only
inline constexpr int kChart = 41062;        // the bar chart of rights (a label where none is drawn)
inline constexpr int kClose = 41070;        // push button
} // namespace review_id

// The sign box of a match (1 to 13) and sign (0 for 1, 1 for X, 2 for 2).
constexpr int ReviewSignBoxId(int match, int sign) {
    return review_id::kFirstSignBox + kSignCount * (match - 1) + sign;
}

inline constexpr std::size_t kReviewItemCount = 65;
extern const std::array<DialogItem, kReviewItemCount> kReviewItems;

// Template 210: the window's size in dialog units and its font, those of the
// main dialog.
inline constexpr DialogWindow kReviewWindow = {210, 80, 80, 400, 252, "Tahoma", 9, 300, 301};
inline constexpr auto kReviewTitle = Ansi(u8"Kontrollera och rätta rader");

// The bar chart is a label on the template; the front ends that draw (the Qt
// window, the page) draw the bars of RowsReview::Rights() in its rectangle.
inline constexpr bool IsReviewChart(const DialogItem& item) {
    return item.id == review_id::kChart;
}

// The template item of an id, or nullptr.
const DialogItem* FindReviewItem(int itemId);

// The match and sign of a sign box, or nothing for any other id.
struct MatchSign {
    int match; // 1 to 13
    int sign;  // 0 for 1, 1 for X, 2 for 2
};
std::optional<MatchSign> ReviewSignBoxOf(int itemId);

// What a screen reader calls an item whose caption does not name it
// (Windows-1252): the sign boxes as "Match 4: X", the edits and the chart by
// their roles. Nothing for the others.
std::optional<std::string> ReviewScreenReaderName(int itemId);

// What an item shows now (Windows-1252): the source, the typed result, the
// refusal or hint under it, the reports, and the chart's counts as text
// (what the native dialog shows and what a screen reader reads of the
// chart). Every other item shows its caption.
std::string ReviewItemText(const RowsReview& review, int itemId);

// What a screen reader hears when a report changes (Windows-1252, CR LF
// between lines): its first line, then the check's verdict or the grade's
// summary that the operator pays by. A report of one line, a failed read, is
// said whole. Nothing for any other id.
std::string ReviewAnnouncement(const RowsReview& review, int itemId);

// Whether a sign box is checked: its match has its sign.
bool ReviewItemChecked(const RowsReview& review, int itemId);

// A user's click on a sign box: the match takes the sign, or opens when it
// had it. Returns false for any other id, which the front end handles (read
// again, open a file, close).
bool ReviewClick(RowsReview& review, int itemId);

// The item that takes the focus when the window shows a view: the check
// report, or the first sign box.
int ReviewFocusId(ReviewView view);

} // namespace kupongen::rows
