// Dialog units to pixels, the one rule every window places the template by.
// A horizontal unit is a quarter of the dialog font's average letter width, a
// vertical unit an eighth of its height, both as measured at 96 DPI; at other
// DPIs those pixels grow with the DPI, so text and room grow alike and a
// caption that fits at 96 DPI fits everywhere. Position and size are each
// converted on their own, as the dialog manager places a template's items.
#pragma once

#include "dialog_template.h"

#include <cstdint>

namespace kupongen {

inline constexpr int kBaseDpi = 96;

// a * b / c rounded to the nearest whole number, halves away from zero, as
// Windows' MulDiv.
constexpr int MulDiv(int a, int b, int c) {
    const std::int64_t product = static_cast<std::int64_t>(a) * b;
    const auto magnitude = [](std::int64_t value) { return value < 0 ? -value : value; };
    const std::int64_t rounded = (magnitude(product) + magnitude(c) / 2) / magnitude(c);
    return static_cast<int>((product < 0) != (c < 0) ? -rounded : rounded);
}

// A dialog font's base units in pixels.
struct BaseUnits {
    int x = 4;
    int y = 8;

    // From what the dialog manager measures: the width of the 52 letters
    // A-Z a-z, halved per letter and rounded, and the font's height.
    static constexpr BaseUnits FromLetters(int widthOf52Letters, int height) {
        return {(widthOf52Letters / 26 + 1) / 2, height};
    }
};

struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    constexpr bool operator==(const PixelRect&) const = default;
};

class DialogUnits {
public:
    constexpr DialogUnits() = default;
    // The template font's base units at 96 DPI, and the DPI drawn at.
    constexpr explicit DialogUnits(BaseUnits at96, int dpi = kBaseDpi) : base_(at96), dpi_(dpi) {}

    constexpr int X(int units) const { return MulDiv(units * base_.x, dpi_, 4 * kBaseDpi); }
    constexpr int Y(int units) const { return MulDiv(units * base_.y, dpi_, 8 * kBaseDpi); }

    constexpr PixelRect Rect(int x, int y, int width, int height) const {
        return {X(x), Y(y), X(width), Y(height)};
    }
    constexpr PixelRect Rect(const DialogItem& item) const {
        return Rect(item.x, item.y, item.width, item.height);
    }
    // The window: its place on the screen and the size of its client area.
    constexpr PixelRect Window() const {
        return Rect(kDialogWindow.x, kDialogWindow.y, kDialogWindow.width, kDialogWindow.height);
    }

    constexpr BaseUnits Base() const { return base_; }
    constexpr int Dpi() const { return dpi_; }

private:
    BaseUnits base_;
    int dpi_ = kBaseDpi;
};

} // namespace kupongen
