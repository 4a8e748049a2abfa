// Dialog units to pixels by the Windows rule: a horizontal unit is a quarter
// of the dialog font's average letter width, a vertical unit an eighth of the
// font's height.
#pragma once

#include <QRect>

class QFont;

namespace kupongen::qt {

// a * b / c rounded to the nearest whole number, halves away from zero, as
// Windows' MulDiv.
int MulDiv(int a, int b, int c);

struct DialogUnits {
    int baseX = 4;
    int baseY = 8;

    // The base units of a dialog font: the width of the 52 letters A-Z, a-z
    // halved per letter and rounded, and the font's height as Windows measures
    // it.
    static DialogUnits ForFont(const QFont& font);

    int X(int units) const { return MulDiv(units, baseX, 4); }
    int Y(int units) const { return MulDiv(units, baseY, 8); }
    // Position and size are each converted on their own, as the dialog
    // manager does for the template's items.
    QRect Rect(int x, int y, int width, int height) const {
        return {X(x), Y(y), X(width), Y(height)};
    }
};

// A font's ascent and descent as Windows reports them, from the font's OS/2
// "win" metrics. They can be larger than the typographic ones Qt lays text out
// with (Tahoma's accented capitals reach above Qt's ascent).
struct FontExtent {
    int ascent = 0;
    int descent = 0;
    int Height() const { return ascent + descent; }
};
FontExtent WindowsFontExtent(const QFont& font);

} // namespace kupongen::qt
