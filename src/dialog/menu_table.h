// The menu bar beside the dialog's controls: one menu, "Verktyg", whose items
// every front end builds its own menu from. A menu command reaches the
// Controller as Command(window, id, code), as a Win32 menu sends WM_COMMAND.
#pragma once

#include "ansi_text.h"

#include <array>
#include <cstddef>

namespace kupongen {

enum class MenuItemKind { Toggle, Action, Separator };

namespace id {
inline constexpr int kMenuDistinct = 40001;
inline constexpr int kMenuSaveSystem = 40002;
inline constexpr int kMenuCheckRows = 40003;
inline constexpr int kMenuGradeRows = 40004;
} // namespace id

inline constexpr int kFirstMenuId = id::kMenuDistinct;
inline constexpr int kLastMenuId = id::kMenuGradeRows;

// What the check window is opened for: the rows' form, or their grade
// against a result.
enum class RowsReviewKind { Check, Grade };

// Captions are Windows-1252; '&' marks the access key.
struct MenuItem {
    int id; // 0 for a separator
    MenuItemKind kind;
    AnsiText<48> caption;
};

inline constexpr auto kMenuTitle = Ansi(u8"&Verktyg");

inline constexpr std::array<MenuItem, 6> kMenuItems = {{
    {id::kMenuDistinct, MenuItemKind::Toggle, Ansi<48>(u8"&Unika rader")},
    {0, MenuItemKind::Separator, {}},
    {id::kMenuSaveSystem, MenuItemKind::Action, Ansi<48>(u8"&Spara systemet för uppladdning…")},
    {0, MenuItemKind::Separator, {}},
    {id::kMenuCheckRows, MenuItemKind::Action, Ansi<48>(u8"&Kontrollera raderna…")},
    {id::kMenuGradeRows, MenuItemKind::Action, Ansi<48>(u8"&Rätta raderna…")},
}};

// The items a user can choose, separators left out.
inline constexpr std::size_t kMenuCommandCount = [] {
    std::size_t count = 0;
    for (const MenuItem& item : kMenuItems) {
        count += item.kind == MenuItemKind::Separator ? 0 : 1;
    }
    return count;
}();

static_assert(kMenuCommandCount == static_cast<std::size_t>(kLastMenuId - kFirstMenuId + 1),
              "menu commands have consecutive ids");

} // namespace kupongen
