// The native dialog: template 200 from the program's resources, run by the
// dialog manager, with the one Controller behind it, and the check window
// (review_dialog.h) beside it.
#pragma once

#include "platform.h"

namespace kupongen {

// Creates the Controller on initialisation, hands every command notification
// to it and tears both down when the window is closed.
INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Creates the dialog from template 200 of TheInstance, with no owner, and
// lets the menu open the check window. The Controller exists when this
// returns. nullptr on failure (GetLastError).
HWND CreateMainDialog();

// "Error x%x" with the error code, titled "CreateDialog", owned by no window.
void ReportCreateDialogFailure(DWORD error);

// Fetches and dispatches messages, the dialog manager first, until the quit
// message; returns its exit code, or -1 when fetching fails.
int RunMessageLoop(HWND dialog);

// Hands a message to the dialog manager of the window it is for: the check
// window's or the main dialog's. False when neither took it.
bool IsProgramDialogMessage(HWND dialog, MSG* message);

} // namespace kupongen
