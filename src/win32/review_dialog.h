// The check and grade window over the native dialog: template 210, a modeless
// dialog owned by the main dialog and run by the system's dialog manager, with
// the one RowsReview behind it. It reads the main dialog's rows window and
// changes nothing there.
#pragma once

#include "platform.h"

namespace kupongen {

// Opens the window over the main dialog, or raises it, for a check or a
// grade, with the rows window's text as it is now; the focus goes where the
// view wants it.
void ShowReviewDialog(HWND owner, RowsReviewKind kind);

// The check window once it was opened, or nullptr. Closing it hides it with
// the result entered so far; it goes with its owner.
HWND ReviewDialog();

} // namespace kupongen
