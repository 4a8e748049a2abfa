// The fonts of the window.
#pragma once

#include <QFont>

namespace kupongen::qt {

// Full hinting, as Windows draws its dialogs: every glyph on whole pixels.
// Qt's default light hinting places glyphs at fractions of a pixel, which at
// 12 pixels smears the ring and dots of å, ä and ö off their letters.
void HintToWholePixels(QFont& font);

// Makes Tahoma known to Qt where it is installed outside the font folders
// (Debian's fonts-wine puts it under Wine's own folder). Does nothing when
// the system already has Tahoma or the file is absent.
void RegisterDialogFont();

// The template's font, "Tahoma" 9 point, or a sans-serif of similar width.
QFont DialogFont();

} // namespace kupongen::qt
