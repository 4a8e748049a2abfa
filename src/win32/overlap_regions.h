// Controls of the template that overlap: the sure boxes and their labels are
// 12 units high on a 10-unit pitch. A control repaints its whole window, so
// a clicked box would paint over the top edge of the box below it.
#pragma once

#include <windows.h>

namespace kupongen {

// Gives every control but the group boxes a window region without the parts
// that later controls of the template cover, so each strip of the dialog is
// painted (and clicked) by one control only. Call after every layout.
void ClipOverlappingControls(HWND dialog);

} // namespace kupongen
