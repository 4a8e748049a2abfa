#include "native_dialog.h"

#include "control_table.h"
#include "controller.h"
#include "dialog_dpi.h"
#include "dialog_template.h"
#include "menu_table.h"
#include "overlap_regions.h"
#include "review_dialog.h"
#include "texts.h"

#include <commctrl.h>

#include <cstdio>
#include <new>

namespace kupongen {

namespace {
// The one Controller; empty before initialisation and after closing, so no
// command reaches a missing one.
Controller* control = nullptr;
dpi::DialogDpi dialogDpi(kDialogWindow, kDialogItems);

void ReportException() {
    platform::MessageBox(nullptr, text::kUnknown, text::kExceptionTitle);
}

// A multi-line edit in a dialog takes every key and closes the dialog on
// Escape, its own rule on Windows and under Wine. Here Escape must change
// nothing: the edit declines it, so the dialog manager turns it into IDCANCEL,
// which Command ignores.
LRESULT CALLBACK DeclineEscape(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                               DWORD_PTR) {
    LRESULT code = DefSubclassProc(edit, message, wParam, lParam);
    if (message == WM_GETDLGCODE && lParam != 0) {
        const auto* key = reinterpret_cast<const MSG*>(lParam);
        if (key->message == WM_KEYDOWN && key->wParam == VK_ESCAPE) {
            code &= ~static_cast<LRESULT>(DLGC_WANTALLKEYS);
        }
    }
    return code;
}

// The menu bar from the core's menu table; nullptr when the system has no
// room for it, and the dialog goes without.
HMENU CreateMenuBar() {
    HMENU bar = CreateMenu();
    HMENU tools = CreatePopupMenu();
    if (bar == nullptr || tools == nullptr) {
        DestroyMenu(bar);
        DestroyMenu(tools);
        return nullptr;
    }
    for (const MenuItem& item : kMenuItems) {
        if (item.kind == MenuItemKind::Separator) {
            AppendMenuW(tools, MF_SEPARATOR, 0, nullptr);
        } else {
            AppendMenuW(tools, MF_STRING, static_cast<UINT_PTR>(item.id),
                        platform::AnsiToWide(item.caption.view()).c_str());
        }
    }
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(tools),
                platform::AnsiToWide(kMenuTitle.view()).c_str());
    return bar;
}
} // namespace

INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        for (const int editId : {id::kRows, id::kInfoPanel}) {
            SetWindowSubclass(GetDlgItem(window, editId), DeclineEscape, 0, 0);
        }
        // Before the layout, which makes the window taller by the menu bar.
        SetMenu(window, CreateMenuBar());
        try {
            control = new Controller(window);
        } catch (const std::bad_alloc&) {
            ReportException();
            return -1;
        }
        // After the Controller's icons: these are the sizes this DPI draws.
        dialogDpi.Attach(window);
        ClipOverlappingControls(window);
        // The rows window takes the focus, although the option groups now
        // hold the first tab stops.
        SetFocus(GetDlgItem(window, id::kRows));
        return FALSE;
    case WM_GETDPISCALEDSIZE:
        *reinterpret_cast<SIZE*>(lParam) = dialogDpi.WindowSize(window, LOWORD(wParam));
        SetWindowLongPtrW(window, DWLP_MSGRESULT, TRUE);
        return 1;
    case WM_DPICHANGED:
        dialogDpi.ChangeDpi(window, LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        ClipOverlappingControls(window);
        return 1;
    case WM_COMMAND:
        if (control != nullptr) {
            // No exception may unwind through the system's frames.
            try {
                control->Command(window, LOWORD(wParam), HIWORD(wParam));
            } catch (const std::bad_alloc&) {
                ReportException();
            }
        }
        return 1;
    case WM_CLOSE:
        delete control;
        control = nullptr;
        DestroyWindow(window);
        dialogDpi.Release();
        return 1;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 1;
    default:
        return 0;
    }
}

HWND CreateMainDialog() {
    platform::openRowsReview = ShowReviewDialog;
    // Unicode dialog: captions go from the template to the controls as UTF-16,
    // never through the ANSI code page.
    return CreateDialogParamW(TheInstance, MAKEINTRESOURCEW(kDialogWindow.templateId), nullptr,
                              DialogProc, 0);
}

void ReportCreateDialogFailure(DWORD error) {
    char text[32];
    std::snprintf(text, sizeof text, "Error x%lx", static_cast<unsigned long>(error));
    platform::MessageBox(nullptr, text, "CreateDialog");
}

int RunMessageLoop(HWND dialog) {
    MSG message;
    for (;;) {
        const BOOL result = GetMessageW(&message, nullptr, 0, 0);
        if (result == 0) {
            return static_cast<int>(message.wParam);
        }
        if (result == -1) {
            return -1;
        }
        if (!IsProgramDialogMessage(dialog, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

bool IsProgramDialogMessage(HWND dialog, MSG* message) {
    HWND review = ReviewDialog();
    return (review != nullptr && IsDialogMessageW(review, message)) ||
           IsDialogMessageW(dialog, message);
}

} // namespace kupongen
