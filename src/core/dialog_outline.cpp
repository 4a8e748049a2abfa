#include "dialog_outline.h"

#include "texts.h"

namespace kupongen {

std::optional<ItemIndex> EnclosingGroupBox(DialogItems items, ItemIndex item) {
    const DialogItem& inner = items[item];
    for (ItemIndex g = 0; g < items.size(); ++g) {
        const DialogItem& outer = items[g];
        if (g != item && outer.kind == ItemKind::GroupBox && inner.x >= outer.x &&
            inner.y >= outer.y && inner.x + inner.width <= outer.x + outer.width &&
            inner.y + inner.height <= outer.y + outer.height) {
            return g;
        }
    }
    return std::nullopt;
}

std::optional<std::string> ScreenReaderName(int controlId) {
    for (const auto& edit : text::kEditNames) {
        if (edit.controlId == controlId) {
            return std::string(edit.name.view());
        }
    }
    const int sureBox = controlId - kFirstSureBoxId;
    if (sureBox >= 0 && sureBox < kSureBoxCount) {
        return text::SureBoxName(sureBox / kSignCount + 1, sureBox % kSignCount);
    }
    return std::nullopt;
}

} // namespace kupongen
