#include "overlap_regions.h"

#include <vector>

namespace kupongen {

namespace {

struct Placed {
    HWND window;
    RECT rect; // in the dialog's client coordinates
};

// Group boxes frame other controls by design and draw only their edges.
bool IsGroupBox(HWND window) {
    wchar_t name[8]{};
    GetClassNameW(window, name, 8);
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
    return lstrcmpiW(name, L"Button") == 0 && (style & BS_TYPEMASK) == BS_GROUPBOX;
}

} // namespace

void ClipOverlappingControls(HWND dialog) {
    std::vector<Placed> controls;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (IsGroupBox(child)) {
            continue;
        }
        RECT rect{};
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
        controls.push_back({child, rect});
    }
    for (auto control = controls.begin(); control != controls.end(); ++control) {
        const RECT& own = control->rect;
        HRGN region = CreateRectRgn(0, 0, own.right - own.left, own.bottom - own.top);
        bool clipped = false;
        for (auto later = control + 1; later != controls.end(); ++later) {
            RECT covered{};
            if (IntersectRect(&covered, &own, &later->rect) != 0) {
                OffsetRect(&covered, -own.left, -own.top);
                HRGN cut = CreateRectRgnIndirect(&covered);
                CombineRgn(region, region, cut, RGN_DIFF);
                DeleteObject(cut);
                clipped = true;
            }
        }
        // The window owns the region from here; none where nothing overlaps,
        // as after a change to a DPI where nothing does.
        if (!clipped) {
            DeleteObject(region);
            region = nullptr;
        }
        SetWindowRgn(control->window, region, TRUE);
    }
}

} // namespace kupongen
