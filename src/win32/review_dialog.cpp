#include "review_dialog.h"

#include "control_table.h"
#include "dialog_dpi.h"
#include "native_dialog.h"
#include "overlap_regions.h"
#include "review_window.h"
#include "rows_input.h"
#include "texts.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <new>
#include <optional>
#include <string>

namespace kupongen {

namespace {

namespace review_id = rows::review_id;

struct Review {
    explicit Review(HWND rowsOwner) : owner(rowsOwner) {}

    HWND owner; // the main dialog, whose rows window is read
    rows::RowsReview review;
    dpi::DialogDpi dpi{rows::kReviewWindow, rows::kReviewItems};
    // The review's revision on screen; none before the first texts.
    std::optional<std::uint64_t> shown;
    // While the texts go in: the typing line's change notifications are ours.
    bool filling = false;
};

HWND reviewWindow = nullptr;
std::unique_ptr<Review> state;

std::string RowsWindowText(HWND owner) {
    return platform::GetWindowText(GetDlgItem(owner, id::kRows));
}

// Every item as the review has it now, and only what changed, so a report
// keeps its scroll position and the typing line its caret while they stay.
void ShowReview(HWND window, Review& review) {
    if (review.shown == review.review.Revision()) {
        return;
    }
    review.shown = review.review.Revision();
    review.filling = true;
    for (const DialogItem& item : rows::kReviewItems) {
        if (item.id == kNoId) {
            continue;
        }
        HWND control = GetDlgItem(window, item.id);
        if (rows::ReviewSignBoxOf(item.id)) {
            platform::SetCheck(control, rows::ReviewItemChecked(review.review, item.id));
            continue;
        }
        const std::string text = rows::ReviewItemText(review.review, item.id);
        // Compared as the model holds it: a character that Windows-1252 lacks
        // stays in the typing line as the user typed it.
        if (platform::GetWindowText(control) != text) {
            platform::SetWindowText(control, text.c_str(), text.size());
            if (item.id == review_id::kTyped) {
                SendMessageW(control, EM_SETSEL, text.size(), text.size());
            }
        }
    }
    review.filling = false;
}

// The system's open dialog: text files or all files, an existing file only.
std::optional<std::filesystem::path> ChooseOpenPath(HWND owner) {
    wchar_t name[MAX_PATH] = {};
    OPENFILENAMEW request = platform::TextFileRequest(owner, name);
    request.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER;
    if (!GetOpenFileNameW(&request)) {
        return std::nullopt;
    }
    // From the wide name, so no code page stands between the user's name and
    // the file.
    return std::filesystem::path(name);
}

void Hide(HWND window) {
    // The main dialog takes the activation back and, through its dialog
    // manager, the focus it had.
    SetActiveWindow(GetWindow(window, GW_OWNER));
    ShowWindow(window, SW_HIDE);
}

void Command(HWND window, Review& review, int itemId, int code) {
    switch (itemId) {
    case IDCANCEL: // Escape, and the window's close box
    case review_id::kClose:
        Hide(window);
        return;
    case IDOK: // Enter where no button has the focus: nothing to press
        return;
    case review_id::kReadAgain:
        if (code == BN_CLICKED) {
            review.review.ReadRowsWindow(RowsWindowText(review.owner));
        }
        break;
    case review_id::kOpenFile:
        if (code == BN_CLICKED) {
            const auto path = ChooseOpenPath(window);
            // The open dialog runs a loop of its own, in which the main dialog
            // stays usable: closing it takes this window along.
            if (state == nullptr) {
                return;
            }
            if (path) {
                review.review.OpenFile(platform::WideToAnsi(path->filename().wstring()),
                                       rows::ReadBoundedFile(*path));
            }
        }
        break;
    case review_id::kTyped:
        if (code == EN_CHANGE && !review.filling) {
            review.review.TypeResult(platform::GetWindowText(GetDlgItem(window, itemId)));
        }
        break;
    default:
        // The sign boxes mark nothing themselves: the review decides.
        if (code == BN_CLICKED) {
            rows::ReviewClick(review.review, itemId);
        }
        break;
    }
    ShowReview(window, review);
}

INT_PTR CALLBACK ReviewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (state == nullptr) {
        return 0;
    }
    switch (message) {
    case WM_INITDIALOG:
        state->dpi.Attach(window);
        // The sign boxes stand 10 units apart and 10 high: rounded to pixels,
        // one can reach into the next.
        ClipOverlappingControls(window);
        return FALSE;
    case WM_GETDPISCALEDSIZE:
        *reinterpret_cast<SIZE*>(lParam) = state->dpi.WindowSize(window, LOWORD(wParam));
        SetWindowLongPtrW(window, DWLP_MSGRESULT, TRUE);
        return 1;
    case WM_DPICHANGED:
        state->dpi.ChangeDpi(window, LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        ClipOverlappingControls(window);
        return 1;
    case WM_COMMAND:
        // No exception may unwind through the system's frames.
        try {
            Command(window, *state, LOWORD(wParam), HIWORD(wParam));
        } catch (const std::bad_alloc&) {
            platform::MessageBox(window, text::kUnknown, text::kExceptionTitle);
        }
        return 1;
    case WM_CLOSE:
        Hide(window);
        return 1;
    case WM_DESTROY:
        reviewWindow = nullptr;
        state.reset();
        return 1;
    default:
        return 0;
    }
}

} // namespace

void ShowReviewDialog(HWND owner, RowsReviewKind kind) {
    if (reviewWindow == nullptr) {
        state = std::make_unique<Review>(owner);
        reviewWindow = CreateDialogParamW(
            TheInstance, MAKEINTRESOURCEW(rows::kReviewWindow.templateId), owner, ReviewProc, 0);
        if (reviewWindow == nullptr) {
            state.reset();
            ReportCreateDialogFailure(GetLastError());
            return;
        }
    }
    const rows::ReviewView view =
        kind == RowsReviewKind::Check ? rows::ReviewView::Check : rows::ReviewView::Grade;
    state->review.Show(view);
    state->review.ReadRowsWindow(RowsWindowText(owner));
    ShowReview(reviewWindow, *state);
    ShowWindow(reviewWindow, SW_SHOW);
    SetActiveWindow(reviewWindow);
    HWND focus = GetDlgItem(reviewWindow, rows::ReviewFocusId(view));
    SendMessageW(reviewWindow, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(focus), TRUE);
    // A report is read from its start, not selected as a whole.
    if (const DialogItem* item = rows::FindReviewItem(GetDlgCtrlID(focus));
        item != nullptr && item->kind == ItemKind::Edit) {
        SendMessageW(focus, EM_SETSEL, 0, 0);
    }
}

HWND ReviewDialog() {
    return reviewWindow;
}

} // namespace kupongen
