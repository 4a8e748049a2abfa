// What every dialog template is built with at compile time: its captions, and
// its items added in order under the dialog manager's group rule.
#pragma once

#include "dialog_template.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace kupongen {

template <std::size_t N> consteval AnsiText<kCaptionCapacity> Caption(const char8_t (&utf8)[N]) {
    return Ansi<kCaptionCapacity>(utf8);
}

// Decimal caption of a small number ("0" to "256"), between a prefix and a
// suffix ("Match 4:").
constexpr AnsiText<kCaptionCapacity> NumberCaption(int value, std::string_view prefix = {},
                                                   std::string_view suffix = {}) {
    AnsiText<kCaptionCapacity> text;
    for (const char c : prefix) {
        text.bytes[text.size++] = c;
    }
    char digits[4]{};
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value > 0);
    while (count > 0) {
        text.bytes[text.size++] = digits[--count];
    }
    for (const char c : suffix) {
        text.bytes[text.size++] = c;
    }
    return text;
}

// The caption of a sign box: "1", "X" or "2" for sign 0, 1 or 2.
inline constexpr std::array<char, kSignCount> kSignLetters = {'1', 'X', '2'};
constexpr AnsiText<kCaptionCapacity> SignCaption(int sign) {
    AnsiText<kCaptionCapacity> text;
    text.bytes[text.size++] = kSignLetters[static_cast<std::size_t>(sign)];
    return text;
}

// The keyboard reaches each option group through its first item: Tab stops
// there, and the arrow keys move on inside the group it opens.
inline constexpr std::uint32_t kOptionGroupStart = kTabStop | kGroupMark;

template <std::size_t N> class TemplateBuilder {
public:
    constexpr void Add(int itemId, ItemKind kind, AnsiText<kCaptionCapacity> caption, int x, int y,
                       int width, int height, std::uint32_t styles = 0) {
        // A group box ends the option group before it, so the arrow keys go
        // round the options and never rest on a frame.
        if (kind == ItemKind::GroupBox) {
            styles |= kGroupMark;
        }
        if (count_ == N) {
            throw "the template holds fewer items than are added";
        }
        items_[count_++] = {itemId, kind, caption, x, y, width, height, styles};
    }

    constexpr std::array<DialogItem, N> Items() const {
        if (count_ != N) {
            throw "the template must hold all its items";
        }
        return items_;
    }

private:
    std::array<DialogItem, N> items_{};
    std::size_t count_ = 0;
};

} // namespace kupongen
