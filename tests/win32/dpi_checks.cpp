// The native dialog and its check window at the system's DPI (under Wine, the
// prefix's LogPixels): every item where the template puts it in dialog units,
// every caption and label whole in the dialog's font, the window icons at the
// sizes the system draws; then the same after a DPI change to each DPI given.
//   kupongen_dpi_checks [DPI...]
// Prints "dpi D: client W x H" and "dpi D: check window client W x H" for each
// state, which tests/win32/dpi_test.sh compares between prefixes of different
// DPIs.
#include "check_tally.h"
#include "dialog_dpi.h"
#include "dialog_styles.h"
#include "native_dialog.h"
#include "review_dialog.h"
#include "review_window.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace kupongen;
using test::Check;

// The template of the window being checked.
const win32_styles::NativeTemplate* layout = &win32_styles::kMainTemplate;

std::string At(UINT dpi) {
    return "dpi " + std::to_string(dpi) + ": " +
           (layout == &win32_styles::kMainTemplate ? "" : "check window ");
}

std::string Size(int width, int height) {
    return std::to_string(width) + " x " + std::to_string(height);
}

RECT ChildRect(HWND dialog, HWND child) {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// The width a caption's text may take: the control less the parts the system
// draws beside the text (the check mark, the frame of a button, a group's
// corners).
int CaptionRoom(const DialogItem& item, int width, int charWidth, UINT dpi) {
    const int edge = dpi::SystemMetric(SM_CXEDGE, dpi);
    switch (item.kind) {
    case ItemKind::PushButton:
        return width - 4 * edge;
    case ItemKind::CheckBox:
    case ItemKind::RadioButton:
        return width - dpi::SystemMetric(SM_CXMENUCHECK, dpi) - 2 * edge;
    case ItemKind::GroupBox:
        return width - 2 * charWidth;
    case ItemKind::Label:
        return width;
    case ItemKind::Edit:
        break;
    }
    return width;
}

// Each caption in the control's own font: as wide as its room at most, and
// no taller than the control; a label's text as it shows now, in the lines it
// breaks into.
void CheckCaptions(HWND dialog, UINT dpi, int charWidth) {
    HDC screen = GetDC(nullptr);
    HWND child = GetWindow(dialog, GW_CHILD);
    for (const DialogItem& item : layout->items) {
        if (child == nullptr) {
            break;
        }
        const RECT rect = ChildRect(dialog, child);
        const bool label = item.kind == ItemKind::Label;
        const std::string shown =
            label ? platform::GetWindowText(child) : std::string(item.caption.view());
        if (item.kind != ItemKind::Edit && !shown.empty()) {
            HGDIOBJ old = SelectObject(
                screen, reinterpret_cast<HGDIOBJ>(SendMessageW(child, WM_GETFONT, 0, 0)));
            const std::wstring caption = platform::AnsiToWide(shown);
            const int room = CaptionRoom(item, rect.right - rect.left, charWidth, dpi);
            RECT text = {0, 0, room, 0};
            DrawTextW(screen, caption.c_str(), static_cast<int>(caption.size()), &text,
                      DT_CALCRECT | DT_NOPREFIX | (label ? DT_WORDBREAK : DT_SINGLELINE));
            SelectObject(screen, old);
            Check(text.right <= room && text.bottom <= rect.bottom - rect.top,
                  At(dpi) + "\"" + AnsiToUtf8(shown) + "\" needs " + Size(text.right, text.bottom) +
                      " pixels, has " + Size(room, rect.bottom - rect.top));
        }
        child = GetWindow(child, GW_HWNDNEXT);
    }
    ReleaseDC(nullptr, screen);
}

// The font of the template at the DPI, the items where the template puts them
// in dialog units and, as created, a client area of the template's size in
// them (after a change Wine still draws the frame at its own DPI).
void CheckLayout(HWND dialog, UINT dpi, bool checkClient) {
    const std::string at = At(dpi);
    HWND first = GetWindow(dialog, GW_CHILD);
    auto font = reinterpret_cast<HFONT>(SendMessageW(first, WM_GETFONT, 0, 0));
    LOGFONTW logical{};
    GetObjectW(font, sizeof logical, &logical);
    Check(logical.lfHeight == -::MulDiv(layout->window.fontPointSize, static_cast<int>(dpi), 72),
          at + "font height " + std::to_string(logical.lfHeight));

    const DialogUnits units = dpi::UnitsAt(dpi, layout->window);
    HWND child = first;
    int misplaced = 0;
    for (const DialogItem& item : layout->items) {
        if (child == nullptr) {
            break;
        }
        const RECT rect = ChildRect(dialog, child);
        const PixelRect expected = units.Rect(item);
        if (rect.left != expected.x || rect.top != expected.y ||
            rect.right - rect.left != expected.width || rect.bottom - rect.top != expected.height) {
            ++misplaced;
        }
        child = GetWindow(child, GW_HWNDNEXT);
    }
    Check(misplaced == 0, at + std::to_string(misplaced) + " items off their template place");

    RECT client{};
    GetClientRect(dialog, &client);
    const int width = dpi::ClientAt(dpi, layout->window).width;
    const int height = dpi::ClientAt(dpi, layout->window).height;
    Check(!checkClient || (client.right == width && client.bottom == height),
          at + "client " + Size(client.right, client.bottom) + ", expected " + Size(width, height));
    std::printf("%sclient %s\n", at.c_str(), Size(client.right, client.bottom).c_str());
    // Four horizontal units are one average letter.
    CheckCaptions(dialog, dpi, units.X(4));
}

int IconWidth(HWND dialog, WPARAM which) {
    auto icon = reinterpret_cast<HICON>(SendMessageW(dialog, WM_GETICON, which, 0));
    ICONINFO info{};
    if (icon == nullptr || !GetIconInfo(icon, &info)) {
        return 0;
    }
    BITMAP bitmap{};
    GetObjectW(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return bitmap.bmWidth;
}

void CheckIcons(HWND dialog, UINT dpi) {
    const struct {
        WPARAM which;
        int metric;
        const char* name;
    } kIcons[] = {{ICON_BIG, SM_CXICON, "big"}, {ICON_SMALL, SM_CXSMICON, "small"}};
    for (const auto& icon : kIcons) {
        const int width = IconWidth(dialog, icon.which);
        Check(width == dpi::SystemMetric(icon.metric, dpi),
              "dpi " + std::to_string(dpi) + ": " + icon.name + " icon " + std::to_string(width) +
                  " pixels wide");
    }
}

// The part of the dialog a control paints: its window, cut to its region.
HRGN PaintedRegion(HWND dialog, HWND child) {
    const RECT rect = ChildRect(dialog, child);
    HRGN painted = CreateRectRgn(0, 0, rect.right - rect.left, rect.bottom - rect.top);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    if (GetWindowRgn(child, region) != ERROR) {
        CombineRgn(painted, painted, region, RGN_AND);
    }
    DeleteObject(region);
    OffsetRgn(painted, rect.left, rect.top);
    return painted;
}

// No control paints over another: the sure boxes and their labels stand 12
// units high on a 10-unit pitch. Group boxes frame others by design.
void CheckNoOverlap(HWND dialog, UINT dpi) {
    std::vector<HRGN> painted;
    HWND child = GetWindow(dialog, GW_CHILD);
    for (const DialogItem& item : layout->items) {
        if (child == nullptr) {
            break;
        }
        if (item.kind != ItemKind::GroupBox) {
            painted.push_back(PaintedRegion(dialog, child));
        }
        child = GetWindow(child, GW_HWNDNEXT);
    }
    int overlaps = 0;
    HRGN common = CreateRectRgn(0, 0, 0, 0);
    for (std::size_t i = 0; i < painted.size(); ++i) {
        for (std::size_t j = i + 1; j < painted.size(); ++j) {
            overlaps += CombineRgn(common, painted[i], painted[j], RGN_AND) != NULLREGION;
        }
    }
    DeleteObject(common);
    for (HRGN region : painted) {
        DeleteObject(region);
    }
    Check(overlaps == 0,
          At(dpi) + std::to_string(overlaps) + " pairs of controls paint over each other");
}

void CheckAt(HWND dialog, UINT dpi, bool created) {
    CheckLayout(dialog, dpi, created);
    CheckIcons(dialog, dpi);
    CheckNoOverlap(dialog, dpi);
}

// What a monitor of another DPI does: asks the window for its size there,
// then hands it the rectangle.
void ChangeDpi(HWND dialog, UINT dpi) {
    SIZE size{};
    const WPARAM both = MAKEWPARAM(dpi, dpi);
    Check(SendMessageW(dialog, WM_GETDPISCALEDSIZE, both, reinterpret_cast<LPARAM>(&size)) != 0,
          "WM_GETDPISCALEDSIZE is answered");
    const RECT suggested = {10, 20, 10 + size.cx, 20 + size.cy};
    SendMessageW(dialog, WM_DPICHANGED, both, reinterpret_cast<LPARAM>(&suggested));
    RECT window{};
    GetWindowRect(dialog, &window);
    Check(EqualRect(&window, &suggested) != 0,
          "dpi " + std::to_string(dpi) + ": the window takes the suggested rectangle");
}

} // namespace

int main(int argc, char** argv) {
    TheInstance = GetModuleHandleW(nullptr);
    HWND dialog = CreateMainDialog();
    Check(dialog != nullptr, "the dialog is created");
    // The check window with the labels that need the most room: under the
    // typing line, the longest refusal.
    platform::ShowRowsReview(dialog, RowsReviewKind::Grade);
    HWND review = ReviewDialog();
    Check(review != nullptr, "the check window is created");
    if (review != nullptr) {
        SetWindowTextW(GetDlgItem(review, rows::review_id::kTyped), L"1X2");
        for (int i = 0; i < argc; ++i) {
            const auto dpi =
                static_cast<UINT>(i == 0 ? dpi::WindowDpi(dialog) : std::atoi(argv[i]));
            for (const auto* shown :
                 {&win32_styles::kMainTemplate, &win32_styles::kReviewTemplate}) {
                layout = shown;
                HWND window = shown == &win32_styles::kMainTemplate ? dialog : review;
                if (i > 0) {
                    ChangeDpi(window, dpi);
                }
                CheckAt(window, dpi, i == 0);
            }
        }
        SendMessageW(dialog, WM_CLOSE, 0, 0);
    }
    return test::Tally();
}
