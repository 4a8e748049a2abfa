// What the dialog manager measures of a Qt font: its base units, and its
// height as Windows reports it.
#pragma once

#include "dialog_units.h"

class QFont;

namespace kupongen::qt {

// The base units of a dialog font: the width of the 52 letters A-Z, a-z and
// the font's height as Windows measures it.
BaseUnits BaseUnitsOf(const QFont& font);

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
