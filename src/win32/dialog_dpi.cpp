#include "dialog_dpi.h"

#include "dialog_template.h"

#include <string>
#include <string_view>

namespace kupongen::dpi {

namespace {

// A user32 function that older systems lack, or nullptr.
template <typename Function> Function* UserFunction(const char* name) {
    // Through a plain function pointer type: GetProcAddress's own type does
    // not match any real signature.
    return reinterpret_cast<Function*>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

// Windows 10 1607 and later.
const auto getDpiForWindow = UserFunction<decltype(GetDpiForWindow)>("GetDpiForWindow");
const auto getSystemMetricsForDpi =
    UserFunction<decltype(GetSystemMetricsForDpi)>("GetSystemMetricsForDpi");
const auto adjustWindowRectExForDpi =
    UserFunction<decltype(AdjustWindowRectExForDpi)>("AdjustWindowRectExForDpi");
// Windows 10 1703 and later.
const auto setDialogDpiChangeBehavior =
    UserFunction<decltype(SetDialogDpiChangeBehavior)>("SetDialogDpiChangeBehavior");

UINT SystemDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return static_cast<UINT>(dpi);
}

constexpr int kPointsPerInch = 72;

// The template's font at a DPI, as the dialog manager makes it.
HFONT CreateDialogFont(UINT dpi, const DialogWindow& window) {
    LOGFONTW font{};
    font.lfHeight = -::MulDiv(window.fontPointSize, static_cast<int>(dpi), kPointsPerInch);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    const std::wstring face(window.fontFace.begin(), window.fontFace.end());
    face.copy(font.lfFaceName, LF_FACESIZE - 1);
    return CreateFontIndirectW(&font);
}

HICON LoadIconAt(int iconId, int width, int height) {
    return static_cast<HICON>(
        LoadImageW(TheInstance, MAKEINTRESOURCEW(iconId), IMAGE_ICON, width, height, 0));
}

} // namespace

UINT WindowDpi(HWND window) {
    return getDpiForWindow != nullptr ? getDpiForWindow(window) : SystemDpi();
}

int SystemMetric(int index, UINT dpi) {
    if (getSystemMetricsForDpi != nullptr) {
        return getSystemMetricsForDpi(index, dpi);
    }
    return ::MulDiv(GetSystemMetrics(index), static_cast<int>(dpi), static_cast<int>(SystemDpi()));
}

BaseUnits BaseUnitsOf(HFONT font) {
    static constexpr std::wstring_view kLetters =
        L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    HDC screen = GetDC(nullptr);
    HGDIOBJ old = SelectObject(screen, font);
    SIZE letters{};
    GetTextExtentPoint32W(screen, kLetters.data(), static_cast<int>(kLetters.size()), &letters);
    TEXTMETRICW metrics{};
    GetTextMetricsW(screen, &metrics);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    return BaseUnits::FromLetters(letters.cx, metrics.tmHeight);
}

DialogUnits UnitsAt(UINT dpi, const DialogWindow& window) {
    HFONT font = CreateDialogFont(static_cast<UINT>(kBaseDpi), window);
    const BaseUnits base = BaseUnitsOf(font);
    DeleteObject(font);
    return DialogUnits(base, static_cast<int>(dpi));
}

PixelRect ClientAt(UINT dpi, const DialogWindow& window) {
    return UnitsAt(dpi, window).Rect(window.x, window.y, window.width, window.height);
}

void DialogDpi::Attach(HWND dialog) {
    if (setDialogDpiChangeBehavior != nullptr) {
        setDialogDpiChangeBehavior(dialog, DDC_DISABLE_ALL, DDC_DISABLE_ALL);
    }
    // The dialog manager has laid the template out in its own base units;
    // at other than 96 DPI these differ from the scaled ones.
    const UINT dpi = WindowDpi(dialog);
    LayOut(dialog, dpi, nullptr);
    const SIZE size = WindowSize(dialog, dpi);
    SetWindowPos(dialog, nullptr, 0, 0, size.cx, size.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetIcons(dialog, dpi);
}

SIZE DialogDpi::WindowSize(HWND dialog, UINT dpi) const {
    const PixelRect client = ClientAt(dpi, window_);
    RECT frame = {0, 0, client.width, client.height};
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_EXSTYLE));
    // The menu bar stands above the client area, which keeps the template's size.
    const BOOL menu = GetMenu(dialog) != nullptr ? TRUE : FALSE;
    if (adjustWindowRectExForDpi != nullptr) {
        adjustWindowRectExForDpi(&frame, style, menu, exStyle, dpi);
    } else {
        AdjustWindowRectEx(&frame, style, menu, exStyle);
    }
    return {frame.right - frame.left, frame.bottom - frame.top};
}

void DialogDpi::ChangeDpi(HWND dialog, UINT dpi, const RECT& suggested) {
    HFONT font = CreateDialogFont(dpi, window_);
    LayOut(dialog, dpi, font);
    SetWindowPos(dialog, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    // The template's own font stays with the dialog manager, which frees it.
    if (font_ != nullptr) {
        DeleteObject(font_);
    }
    font_ = font;
    SetIcons(dialog, dpi);
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void DialogDpi::LayOut(HWND dialog, UINT dpi, HFONT font) const {
    const DialogUnits units = UnitsAt(dpi, window_);
    // The children stand in template order.
    HWND child = GetWindow(dialog, GW_CHILD);
    for (const DialogItem& item : items_) {
        if (child == nullptr) {
            break;
        }
        const PixelRect rect = units.Rect(item);
        SetWindowPos(child, nullptr, rect.x, rect.y, rect.width, rect.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        if (font != nullptr) {
            SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        }
        child = GetWindow(child, GW_HWNDNEXT);
    }
}

void DialogDpi::SetIcons(HWND dialog, UINT dpi) {
    // Each at the size the system draws it, from the icon's own image of
    // that size where it has one.
    HICON bigIcon =
        LoadIconAt(window_.bigIconId, SystemMetric(SM_CXICON, dpi), SystemMetric(SM_CYICON, dpi));
    HICON smallIcon = LoadIconAt(window_.smallIconId, SystemMetric(SM_CXSMICON, dpi),
                                 SystemMetric(SM_CYSMICON, dpi));
    SendMessageW(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon));
    SendMessageW(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon));
    for (HICON old : {bigIcon_, smallIcon_}) {
        if (old != nullptr) {
            DestroyIcon(old);
        }
    }
    bigIcon_ = bigIcon;
    smallIcon_ = smallIcon;
}

void DialogDpi::Release() {
    for (HICON icon : {bigIcon_, smallIcon_}) {
        if (icon != nullptr) {
            DestroyIcon(icon);
        }
    }
    if (font_ != nullptr) {
        DeleteObject(font_);
    }
    bigIcon_ = smallIcon_ = nullptr;
    font_ = nullptr;
}

} // namespace kupongen::dpi
