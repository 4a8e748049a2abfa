// The native dialog at the DPI of its monitor: the template's font made for
// that DPI, every item placed in dialog units that grow with the DPI, and
// window icons of the sizes the system draws there. The calls newer than Windows 7 are
// looked up at run time, so the program still starts there.
#pragma once

#include "dialog_units.h"
#include "platform.h"

#include <span>

namespace kupongen::dpi {

// The DPI the window is drawn at: its monitor's where the system can tell
// (Windows 10 1607 and later), else the system's.
UINT WindowDpi(HWND window);

// A system metric (SM_CXICON, ...) at a DPI.
int SystemMetric(int index, UINT dpi);

// The dialog manager's base units of a font.
BaseUnits BaseUnitsOf(HFONT font);

// The pixels of dialog units at a DPI: the base units of the template font
// at 96 DPI, scaled by the DPI. The font's own base units at 144 DPI, each
// rounded to a pixel, would make the window 1.43 times as wide and 1.57
// times as high, and clip captions that fit at 96 DPI.
DialogUnits UnitsAt(UINT dpi, const DialogWindow& window = kDialogWindow);

// The size of a template's client area at a DPI.
PixelRect ClientAt(UINT dpi, const DialogWindow& window);

// What a dialog of a template draws with at its DPI, owned: the font made for
// a DPI change and the window icons.
class DialogDpi {
public:
    DialogDpi(const DialogWindow& window, std::span<const DialogItem> items)
        : window_(window), items_(items) {}
    ~DialogDpi() { Release(); }
    DialogDpi(const DialogDpi&) = delete;
    DialogDpi& operator=(const DialogDpi&) = delete;

    // On initialisation: the layout and the icons of the window's DPI, and
    // the system's own dialog scaling (Windows 10 1703 and later) turned off,
    // so that only ChangeDpi acts.
    void Attach(HWND dialog);
    // WM_GETDPISCALEDSIZE: the window size that holds the template at dpi.
    SIZE WindowSize(HWND dialog, UINT dpi) const;
    // WM_DPICHANGED: font, layout and icons for dpi; the window takes the
    // suggested rectangle.
    void ChangeDpi(HWND dialog, UINT dpi, const RECT& suggested);
    // Once the window is gone.
    void Release();

private:
    // Every item at its template place; with its font when one is given.
    void LayOut(HWND dialog, UINT dpi, HFONT font) const;
    void SetIcons(HWND dialog, UINT dpi);

    const DialogWindow& window_;
    std::span<const DialogItem> items_;
    HFONT font_ = nullptr;
    HICON bigIcon_ = nullptr;
    HICON smallIcon_ = nullptr;
};

} // namespace kupongen::dpi
