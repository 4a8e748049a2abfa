// The platform operations the core uses to reach its window, over the native
// Win32 dialog: a window is the dialog's handle, a dialog item the handle of
// one of its controls; the same names as the dialog model's (src/platform/model). The
// program's texts are Windows-1252; they cross into the system as UTF-16,
// converted here with the program's own table, so they show right whatever
// the system's ANSI code page is.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <commdlg.h>

// The A/W macros would otherwise rename the operations below.
#undef MessageBox
#undef GetWindowText
#undef SetWindowText

#include "ansi_text.h"
#include "menu_table.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace kupongen {

// The module that holds the dialog template and the icons; set by WinMain.
inline HINSTANCE TheInstance = nullptr;

namespace platform {

using Window = HWND;
using Item = HWND;

// Stand-ins for the modal dialogs, for a driver that runs the dialog without
// a person in front of it. Empty: the system's own dialogs are shown.
struct NativeHooks {
    // Both texts are Windows-1252.
    std::function<void(std::string_view text, std::string_view title)> showMessageBox;
    std::function<std::optional<std::string>()> chooseSavePath;
};
inline NativeHooks hooks;

// Windows-1252 to UTF-16: every byte is one code unit.
inline std::wstring AnsiToWide(std::string_view ansi) {
    std::wstring wide(ansi.size(), L'\0');
    for (std::size_t i = 0; i < ansi.size(); ++i) {
        wide[i] = static_cast<wchar_t>(AnsiToCodePoint(static_cast<unsigned char>(ansi[i])));
    }
    return wide;
}

// UTF-16 to Windows-1252; a character the code page cannot hold becomes '?'.
inline std::string WideToAnsi(std::wstring_view wide) {
    std::string ansi;
    ansi.reserve(wide.size());
    for (std::size_t i = 0; i < wide.size(); ++i) {
        const auto unit = static_cast<char32_t>(wide[i]);
        // A surrogate pair is one character.
        if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 &&
            wide[i + 1] < 0xE000) {
            ++i;
            ansi.push_back('?');
            continue;
        }
        const int byte = CodePointToAnsi(unit);
        ansi.push_back(byte < 0 ? '?' : static_cast<char>(byte));
    }
    return ansi;
}

// Paths are UTF-8 inside the program, as on every other platform.
inline std::wstring Utf8ToWide(std::string_view utf8) {
    if (utf8.empty()) {
        return {};
    }
    const int size = static_cast<int>(utf8.size());
    const int count = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(count), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), count);
    return wide;
}

inline std::string WideToUtf8(std::wstring_view wide) {
    if (wide.empty()) {
        return {};
    }
    const int size = static_cast<int>(wide.size());
    const int count =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(count), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), count, nullptr, nullptr);
    return utf8;
}

inline Item GetDlgItem(Window window, int controlId) {
    return ::GetDlgItem(window, controlId);
}

inline void ShowWindow(Item item, bool show) {
    ::ShowWindow(item, show ? SW_SHOW : SW_HIDE);
}
inline void EnableWindow(Item item, bool enable) {
    ::EnableWindow(item, enable ? TRUE : FALSE);
}

inline void SetCheck(Item item, bool checked) {
    SendMessageW(item, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}
inline bool IsCheckSet(Item item) {
    return SendMessageW(item, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// Replaces the whole text; the text ends at its first zero byte, as WM_SETTEXT
// reads it.
inline void SetWindowText(Item item, const char* text, std::size_t length) {
    const std::wstring wide = AnsiToWide(std::string_view(text, length));
    SendMessageW(item, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

inline std::string GetWindowText(Item item) {
    const int length = GetWindowTextLengthW(item);
    if (length <= 0) {
        return {};
    }
    std::wstring wide(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(item, wide.data(), length + 1);
    wide.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return WideToAnsi(wide);
}

// The check mark of an item of the window's menu bar, found in its menus by id.
inline void SetMenuCheck(Window window, int menuId, bool checked) {
    CheckMenuItem(GetMenu(window), static_cast<UINT>(menuId),
                  MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}
inline bool IsMenuChecked(Window window, int menuId) {
    const UINT state = GetMenuState(GetMenu(window), static_cast<UINT>(menuId), MF_BYCOMMAND);
    return state != static_cast<UINT>(-1) && (state & MF_CHECKED) != 0;
}

// The check window belongs to the native dialog above this layer, which puts
// its opener here when it creates the dialog; without one the menu commands
// that open it show nothing.
inline void (*openRowsReview)(Window owner, RowsReviewKind kind) = nullptr;

// Opens the check window over the dialog, or raises it, with the rows
// window's text as it is now.
inline void ShowRowsReview(Window window, RowsReviewKind kind) {
    if (openRowsReview != nullptr) {
        openRowsReview(window, kind);
    }
}

inline HICON LoadProgramIcon(int iconId) {
    return LoadIconW(TheInstance, MAKEINTRESOURCEW(iconId));
}

inline void SetIcons(Window window, int bigIcon, int smallIcon) {
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(LoadProgramIcon(bigIcon)));
    SendMessageW(window, WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(LoadProgramIcon(smallIcon)));
}

// A modal message box with an OK button and the exclamation icon.
inline void MessageBox(Window window, std::string_view text, std::string_view title) {
    if (hooks.showMessageBox) {
        hooks.showMessageBox(text, title);
        return;
    }
    MessageBoxW(window, AnsiToWide(text).c_str(), AnsiToWide(title).c_str(),
                MB_OK | MB_ICONEXCLAMATION);
}

// What the system's save and open dialogs are asked for: a file name into
// name, under filters for text files and all files.
inline OPENFILENAMEW TextFileRequest(Window owner, wchar_t (&name)[MAX_PATH]) {
    static constexpr wchar_t kFilter[] = L"Text Files (*.txt)\0*.txt\0All Files (*.*)\0*.*\0";
    OPENFILENAMEW request{};
    request.lStructSize = OPENFILENAME_SIZE_VERSION_400W;
    request.hwndOwner = owner;
    request.lpstrFilter = kFilter;
    request.lpstrFile = name;
    request.nMaxFile = MAX_PATH;
    return request;
}

// The system's save dialog: filters for text files and all files, the default
// extension added to a name without one, the folder must exist, overwriting
// asks first. Returns the chosen path as UTF-8, or nothing when the user
// cancels.
inline std::optional<std::string> ChooseSavePath(Window window, std::string_view defaultExtension) {
    if (hooks.chooseSavePath) {
        return hooks.chooseSavePath();
    }
    wchar_t name[MAX_PATH] = {};
    OPENFILENAMEW request = TextFileRequest(window, name);
    const std::wstring extension = Utf8ToWide(defaultExtension);
    request.lpstrDefExt = extension.c_str();
    request.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
    if (!GetSaveFileNameW(&request)) {
        return std::nullopt;
    }
    return WideToUtf8(name);
}

} // namespace platform
} // namespace kupongen
