// How the keyboard moves the focus through the dialog, as the dialog manager
// does it from the template: Tab and Shift+Tab go from tab stop to tab stop,
// the arrow keys go round inside the group that a group mark opens. The
// native dialog has the system's dialog manager; every other window uses
// these rules, so both follow the one template.
#pragma once

#include "dialog_template.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <span>

namespace kupongen {

class DialogModel;

// A position in a template.
using ItemIndex = std::size_t;

// A dialog template's items: kDialogItems, or those of another window of the
// program, which follows the same rules.
using DialogItems = std::span<const DialogItem>;

// The template position of a control id.
std::optional<ItemIndex> ItemIndexOf(int controlId);

// Whether two items belong to the same group: the same group mark opens both.
bool SameGroup(DialogItems items, ItemIndex a, ItemIndex b);
inline bool SameGroup(ItemIndex a, ItemIndex b) {
    return SameGroup(kDialogItems, a, b);
}

// What the window knows of its items right now.
struct FocusState {
    // The item is a control, shown and enabled, so it can take the focus.
    std::function<bool(ItemIndex)> available;
    // The item is a radio button with its mark set.
    std::function<bool(ItemIndex)> marked;
};

// The state of the dialog model's controls; it reads the model as it is at
// each question, so it must not outlive the model.
FocusState FocusStateOf(const DialogModel& model);

// The item Tab (or Shift+Tab, backwards) moves the focus to: the next
// available tab stop, leaving the current group. A group of radio buttons is
// entered at its marked button, where one is available. Nothing when no other
// item can take the focus.
std::optional<ItemIndex> NextTabStop(DialogItems items, ItemIndex from, bool backwards,
                                     const FocusState& state);
inline std::optional<ItemIndex> NextTabStop(ItemIndex from, bool backwards,
                                            const FocusState& state) {
    return NextTabStop(kDialogItems, from, backwards, state);
}

// The item an arrow key moves the focus to: the next available control of the
// same group, going round at its ends.
std::optional<ItemIndex> NextInGroup(DialogItems items, ItemIndex from, bool backwards,
                                     const FocusState& state);
inline std::optional<ItemIndex> NextInGroup(ItemIndex from, bool backwards,
                                            const FocusState& state) {
    return NextInGroup(kDialogItems, from, backwards, state);
}

} // namespace kupongen
