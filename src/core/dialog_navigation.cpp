#include "dialog_navigation.h"

#include "dialog_model.h"

#include <array>

namespace kupongen {

namespace {

constexpr ItemIndex kItemCount = kDialogItemCount;

// The item count steps away from item, going round the template.
constexpr ItemIndex Step(ItemIndex item, ItemIndex count, bool backwards) {
    return backwards ? (item + kItemCount - count % kItemCount) % kItemCount
                     : (item + count) % kItemCount;
}

// The group mark that opens each item's group. The template's first item
// carries a mark; items before the first mark would otherwise continue the
// last group, as the dialog manager's search goes round.
const std::array<ItemIndex, kItemCount>& GroupStarts() {
    static const auto starts = [] {
        std::array<ItemIndex, kItemCount> table{};
        ItemIndex start = 0;
        for (ItemIndex item = 0; item < kItemCount; ++item) {
            if (kDialogItems[item].Has(kGroupMark)) {
                start = item;
            }
            table[item] = start;
        }
        return table;
    }();
    return starts;
}

bool IsRadioButton(ItemIndex item) {
    return kDialogItems[item].kind == ItemKind::RadioButton;
}

// The marked, available radio button of a group of radio buttons.
std::optional<ItemIndex> MarkedInGroup(ItemIndex member, const FocusState& state) {
    for (ItemIndex count = 0; count < kItemCount; ++count) {
        const ItemIndex item = Step(member, count, false);
        if (!SameGroup(item, member)) {
            continue;
        }
        if (IsRadioButton(item) && state.available(item) && state.marked(item)) {
            return item;
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<ItemIndex> ItemIndexOf(int controlId) {
    const DialogItem* item = FindDialogItem(controlId);
    if (item == nullptr) {
        return std::nullopt;
    }
    return static_cast<ItemIndex>(item - kDialogItems.data());
}

bool SameGroup(ItemIndex a, ItemIndex b) {
    return GroupStarts()[a] == GroupStarts()[b];
}

std::optional<ItemIndex> NextTabStop(ItemIndex from, bool backwards, const FocusState& state) {
    for (ItemIndex count = 1; count < kItemCount; ++count) {
        const ItemIndex item = Step(from, count, backwards);
        const DialogItem& candidate = kDialogItems[item];
        if (!candidate.Has(kTabStop) || !state.available(item)) {
            continue;
        }
        // An option group is one stop: its own tab stop does not hold the
        // focus that is already inside it.
        if (candidate.Has(kGroupMark) && SameGroup(item, from)) {
            continue;
        }
        if (IsRadioButton(item)) {
            return MarkedInGroup(item, state).value_or(item);
        }
        return item;
    }
    return std::nullopt;
}

std::optional<ItemIndex> NextInGroup(ItemIndex from, bool backwards, const FocusState& state) {
    for (ItemIndex count = 1; count < kItemCount; ++count) {
        const ItemIndex item = Step(from, count, backwards);
        if (!SameGroup(item, from)) {
            // Go round inside the group: past its end to its first item, past
            // its start to its last.
            continue;
        }
        if (state.available(item)) {
            return item;
        }
    }
    return std::nullopt;
}

FocusState FocusStateOf(const DialogModel& model) {
    return {[&model](ItemIndex item) {
                const ControlState* control = model.Item(kDialogItems[item].id);
                return control != nullptr && control->visible && control->enabled;
            },
            [&model](ItemIndex item) {
                const int controlId = kDialogItems[item].id;
                return controlId != kNoId && model.Item(controlId)->checked;
            }};
}

} // namespace kupongen
