#include "dialog_navigation.h"

#include "dialog_model.h"

#include <array>

namespace kupongen {

namespace {

// The item count steps away from item, going round the template.
ItemIndex Step(DialogItems items, ItemIndex item, ItemIndex count, bool backwards) {
    const ItemIndex size = items.size();
    return backwards ? (item + size - count % size) % size : (item + count) % size;
}

// The group mark that opens an item's group. Items before the template's
// first mark continue the last group, as the dialog manager's search goes
// round.
ItemIndex SearchGroupStart(DialogItems items, ItemIndex item) {
    for (ItemIndex count = 0; count < items.size(); ++count) {
        const ItemIndex candidate = Step(items, item, count, true);
        if (items[candidate].Has(kGroupMark)) {
            return candidate;
        }
    }
    return 0;
}

// The main template's, looked up once: every radio click asks for them.
ItemIndex GroupStart(DialogItems items, ItemIndex item) {
    static const auto mainStarts = [] {
        std::array<ItemIndex, kDialogItemCount> starts{};
        for (ItemIndex i = 0; i < kDialogItemCount; ++i) {
            starts[i] = SearchGroupStart(kDialogItems, i);
        }
        return starts;
    }();
    return items.data() == kDialogItems.data() ? mainStarts[item] : SearchGroupStart(items, item);
}

// The marked, available radio button of a group of radio buttons.
std::optional<ItemIndex> MarkedInGroup(DialogItems items, ItemIndex member,
                                       const FocusState& state) {
    for (ItemIndex count = 0; count < items.size(); ++count) {
        const ItemIndex item = Step(items, member, count, false);
        if (!SameGroup(items, item, member)) {
            continue;
        }
        if (items[item].kind == ItemKind::RadioButton && state.available(item) &&
            state.marked(item)) {
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

bool SameGroup(DialogItems items, ItemIndex a, ItemIndex b) {
    return GroupStart(items, a) == GroupStart(items, b);
}

std::optional<ItemIndex> NextTabStop(DialogItems items, ItemIndex from, bool backwards,
                                     const FocusState& state) {
    for (ItemIndex count = 1; count < items.size(); ++count) {
        const ItemIndex item = Step(items, from, count, backwards);
        const DialogItem& candidate = items[item];
        if (!candidate.Has(kTabStop) || !state.available(item)) {
            continue;
        }
        // An option group is one stop: its own tab stop does not hold the
        // focus that is already inside it.
        if (candidate.Has(kGroupMark) && SameGroup(items, item, from)) {
            continue;
        }
        if (candidate.kind == ItemKind::RadioButton) {
            return MarkedInGroup(items, item, state).value_or(item);
        }
        return item;
    }
    return std::nullopt;
}

std::optional<ItemIndex> NextInGroup(DialogItems items, ItemIndex from, bool backwards,
                                     const FocusState& state) {
    for (ItemIndex count = 1; count < items.size(); ++count) {
        const ItemIndex item = Step(items, from, count, backwards);
        if (!SameGroup(items, item, from)) {
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
