// What the template says beyond each item's own entry, for every window that
// shows the dialog to a screen reader: the group box whose frame holds an
// item, and the names of the controls whose captions do not name them. The Qt
// window's accessible tree and the page's fieldsets and labels both come from
// here, so they cannot disagree.
#pragma once

#include "dialog_navigation.h"

#include <optional>
#include <string>

namespace kupongen {

// The group box whose frame holds the whole of a template item, or nothing
// for an item outside every group box (and for the group boxes themselves).
std::optional<ItemIndex> EnclosingGroupBox(DialogItems items, ItemIndex item);
inline std::optional<ItemIndex> EnclosingGroupBox(ItemIndex item) {
    return EnclosingGroupBox(kDialogItems, item);
}

// What a screen reader calls a control whose caption does not name it, as
// Windows-1252: the three edits by their names, each sure box by its match's
// label and its sign ("Match 4: X"). Nothing for every other item, which is
// named by its caption.
std::optional<std::string> ScreenReaderName(int controlId);

} // namespace kupongen
