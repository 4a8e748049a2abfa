// Checks that only the real native dialog can answer: the compiled template
// matches the template table item for item, the dialog manager builds the
// window from it, and every Windows-1252 byte survives the trip through a
// control whatever the system's ANSI code page is.
#include "check_tally.h"
#include "control_table.h"
#include "dialog_styles.h"
#include "dialog_template.h"
#include "menu_table.h"
#include "native_dialog.h"
#include "review_dialog.h"
#include "review_window.h"
#include "rows_input.h"
#include "texts.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace {

using namespace kupongen;
using test::Check;

std::string Utf8(std::wstring_view wide) {
    return platform::WideToUtf8(wide);
}

// Reads a DLGTEMPLATEEX.
class TemplateReader {
public:
    TemplateReader(const unsigned char* bytes, std::size_t size) : bytes_(bytes), size_(size) {}

    bool Ok() const { return ok_; }
    unsigned Word() { return Take(2); }
    unsigned long Dword() { return Take(4); }
    int Short() { return static_cast<short>(Take(2)); }
    unsigned Byte() { return Take(1); }
    void AlignDword() { pos_ = (pos_ + 3) & ~std::size_t{3}; }

    // A zero-terminated UTF-16 text, or an ordinal as "#N".
    std::wstring TextOrOrdinal() {
        if (pos_ + 2 <= size_ && bytes_[pos_] == 0xFF && bytes_[pos_ + 1] == 0xFF) {
            pos_ += 2;
            return L"#" + std::to_wstring(Word());
        }
        std::wstring text;
        while (ok_) {
            const auto unit = static_cast<wchar_t>(Word());
            if (unit == 0) {
                break;
            }
            text.push_back(unit);
        }
        return text;
    }

    void Skip(std::size_t count) { pos_ += count; }

private:
    unsigned long Take(std::size_t count) {
        if (pos_ + count > size_) {
            ok_ = false;
            return 0;
        }
        unsigned long value = 0;
        for (std::size_t i = 0; i < count; ++i) {
            value |= static_cast<unsigned long>(bytes_[pos_ + i]) << (8 * i);
        }
        pos_ += count;
        return value;
    }

    const unsigned char* bytes_;
    std::size_t size_;
    std::size_t pos_ = 0;
    bool ok_ = true;
};

// The template generator's values are the system's own.
namespace styles = win32_styles;
static_assert(styles::kVisible == WS_VISIBLE && styles::kChild == WS_CHILD &&
              styles::kCaption == WS_CAPTION && styles::kBorder == WS_BORDER &&
              styles::kVScroll == WS_VSCROLL && styles::kHScroll == WS_HSCROLL &&
              styles::kSysMenu == WS_SYSMENU && styles::kGroup == WS_GROUP &&
              styles::kMinimizeBox == WS_MINIMIZEBOX && styles::kTabStop == WS_TABSTOP);
static_assert(styles::kNoParentNotify == WS_EX_NOPARENTNOTIFY && styles::k3dLook == DS_3DLOOK &&
              styles::kSetFont == DS_SETFONT && styles::kModalFrame == DS_MODALFRAME &&
              styles::kPopup == WS_POPUP);
static_assert(styles::kPushButton == BS_PUSHBUTTON && styles::kCheckBox == BS_CHECKBOX &&
              styles::kAutoCheckBox == BS_AUTOCHECKBOX && styles::kGroupBox == BS_GROUPBOX &&
              styles::kAutoRadioButton == BS_AUTORADIOBUTTON && styles::kStaticLeft == SS_LEFT);
static_assert(styles::kEditLeft == ES_LEFT && styles::kMultiLine == ES_MULTILINE &&
              styles::kAutoHScroll == ES_AUTOHSCROLL && styles::kReadOnly == ES_READONLY &&
              styles::kWantReturn == ES_WANTRETURN);
static_assert(styles::kNormalWeight == FW_NORMAL && styles::kDefaultCharset == DEFAULT_CHARSET);

// The class by name as the generator writes it, or by the ordinal the
// resource compiler may store instead.
bool SameClass(std::wstring_view actual, ItemKind kind) {
    const std::string_view className = styles::ClassOf(kind);
    const std::wstring name(className.begin(), className.end());
    const wchar_t* ordinal = kind == ItemKind::Edit    ? L"#129"
                             : kind == ItemKind::Label ? L"#130"
                                                       : L"#128";
    return lstrcmpiW(std::wstring(actual).c_str(), name.c_str()) == 0 || actual == ordinal;
}

// A compiled template against its table, the window and every item.
void CheckTemplateResource(const styles::NativeTemplate& dialog) {
    const DialogWindow& window = dialog.window;
    std::printf("template %d\n", window.templateId);
    HRSRC found =
        FindResourceW(TheInstance, MAKEINTRESOURCEW(window.templateId), MAKEINTRESOURCEW(5));
    Check(found != nullptr, "the dialog template is a resource");
    if (found == nullptr) {
        return;
    }
    const auto* bytes =
        static_cast<const unsigned char*>(LockResource(LoadResource(TheInstance, found)));
    TemplateReader in(bytes, SizeofResource(TheInstance, found));

    Check(in.Word() == 1 && in.Word() == 0xFFFF, "extended dialog template");
    in.Dword(); // help id
    Check(in.Dword() == dialog.exStyle, "window extended style");
    Check(in.Dword() == dialog.style, "window style");
    Check(in.Word() == dialog.items.size(), "all items");
    const int x = in.Short(), y = in.Short(), cx = in.Short(), cy = in.Short();
    Check(x == window.x && y == window.y && cx == window.width && cy == window.height,
          "window rectangle");
    Check(in.TextOrOrdinal().empty(), "no menu");
    Check(in.TextOrOrdinal().empty(), "default dialog class");
    Check(in.TextOrOrdinal() == platform::AnsiToWide(dialog.title), "title");
    Check(in.Word() == static_cast<unsigned>(window.fontPointSize), "font size");
    Check(in.Word() == FW_NORMAL, "font weight");
    Check(in.Byte() == 0, "font not italic");
    Check(in.Byte() == DEFAULT_CHARSET, "default character set");
    Check(Utf8(in.TextOrOrdinal()) == window.fontFace, "font Tahoma");

    for (const DialogItem& item : dialog.items) {
        const std::string name =
            "item " + std::to_string(item.id) + " \"" + AnsiToUtf8(item.caption.view()) + "\": ";
        in.AlignDword();
        in.Dword(); // help id
        Check(in.Dword() == 0, name + "extended style");
        Check(in.Dword() == styles::StyleOf(item, dialog.marks), name + "style");
        const int ix = in.Short(), iy = in.Short(), icx = in.Short(), icy = in.Short();
        Check(ix == item.x && iy == item.y && icx == item.width && icy == item.height,
              name + "rectangle");
        Check(static_cast<int>(in.Dword()) == item.id, name + "id");
        Check(SameClass(in.TextOrOrdinal(), item.kind), name + "class");
        Check(in.TextOrOrdinal() == platform::AnsiToWide(item.caption.view()), name + "caption");
        in.Skip(in.Word()); // creation data
    }
    Check(in.Ok(), "template fits its resource");
}

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring MenuText(HMENU menu, UINT position) {
    wchar_t text[64] = {};
    GetMenuStringW(menu, position, text, 64, MF_BYPOSITION);
    return text;
}

// One menu, built from the core's table: the same items, ids and captions.
void CheckMenuBar(HWND dialog) {
    HMENU bar = GetMenu(dialog);
    Check(bar != nullptr && GetMenuItemCount(bar) == 1, "a menu bar with one menu");
    Check(MenuText(bar, 0) == platform::AnsiToWide(kMenuTitle.view()), "the menu's title");
    HMENU tools = GetSubMenu(bar, 0);
    Check(GetMenuItemCount(tools) == static_cast<int>(kMenuItems.size()), "the menu's items");
    for (UINT i = 0; i < kMenuItems.size(); ++i) {
        const MenuItem& item = kMenuItems[i];
        const std::string name = "menu item " + std::to_string(i) + ": ";
        const UINT state = GetMenuState(tools, i, MF_BYPOSITION);
        if (item.kind == MenuItemKind::Separator) {
            Check((state & MF_SEPARATOR) != 0, name + "a separator");
            continue;
        }
        Check(GetMenuItemID(tools, static_cast<int>(i)) == static_cast<UINT>(item.id), name + "id");
        Check(MenuText(tools, i) == platform::AnsiToWide(item.caption.view()), name + "caption");
        Check((state & MF_CHECKED) == 0, name + "unchecked at start");
    }
}

void CheckLiveDialog(HWND dialog) {
    Check(WindowText(dialog) == platform::AnsiToWide(kWindowTitle.view()), "title shown");

    RECT expected = {0, 0, kDialogWindow.width, kDialogWindow.height};
    MapDialogRect(dialog, &expected);
    RECT client{};
    GetClientRect(dialog, &client);
    // A window wider than the screen is cut to it (a font of another script,
    // standing in for Tahoma, can make it so).
    if (expected.right < GetSystemMetrics(SM_CXSCREEN) &&
        expected.bottom < GetSystemMetrics(SM_CYSCREEN)) {
        Check(client.right == expected.right && client.bottom == expected.bottom,
              "client area is 490 x 280 dialog units: " + std::to_string(client.right) + " x " +
                  std::to_string(client.bottom) + " pixels, expected " +
                  std::to_string(expected.right) + " x " + std::to_string(expected.bottom));
    }

    CheckMenuBar(dialog);

    // The children stand in template order.
    HWND child = GetWindow(dialog, GW_CHILD);
    for (const DialogItem& item : kDialogItems) {
        const std::string name = "window of item " + std::to_string(item.id) + " \"" +
                                 AnsiToUtf8(item.caption.view()) + "\": ";
        Check(child != nullptr, name + "exists");
        if (child == nullptr) {
            return;
        }
        Check(GetDlgCtrlID(child) == item.id, name + "id");
        const std::string_view caption =
            item.id == id::kInfoPanel ? text::kInfo.view() : item.caption.view();
        Check(WindowText(child) == platform::AnsiToWide(caption), name + "text");
        Check(platform::GetWindowText(child) == caption, name + "8-bit text");
        child = GetWindow(child, GW_HWNDNEXT);
    }
    Check(child == nullptr, "no more than 132 children");
}

// The quit message, once the window is gone.
bool quit = false;

// What the loop does with what is waiting: the dialog managers first.
void Pump(HWND dialog) {
    MSG message;
    while (!quit && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            quit = true;
        } else if (!IsProgramDialogMessage(dialog, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

// A key pressed on a control, through the dialog manager as the loop does.
void PressKey(HWND dialog, HWND control, WPARAM key) {
    SetFocus(control);
    MSG message{control, WM_KEYDOWN, key, 1, 0, {}};
    if (!IsProgramDialogMessage(dialog, &message)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    message = {control, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001), 0, {}};
    if (!IsProgramDialogMessage(dialog, &message)) {
        DispatchMessageW(&message);
    }
    Pump(dialog);
}

std::string Texts(HWND dialog) {
    std::string texts;
    for (const int editId : {id::kStatus, id::kRows, id::kInfoPanel}) {
        texts += platform::GetWindowText(GetDlgItem(dialog, editId)) + '\0';
    }
    return texts;
}

void CheckKeyboard(HWND dialog) {
    const std::string before = Texts(dialog);
    for (const int editId : {id::kRows, id::kInfoPanel, id::kStatus}) {
        PressKey(dialog, GetDlgItem(dialog, editId), VK_ESCAPE);
        Check(IsWindow(dialog) && Texts(dialog) == before,
              "Escape in " + std::to_string(editId) + " changes nothing");
    }
    for (const int editId : {id::kInfoPanel, id::kStatus}) {
        PressKey(dialog, GetDlgItem(dialog, editId), VK_RETURN);
        Check(IsWindow(dialog) && Texts(dialog) == before,
              "Enter in " + std::to_string(editId) + " changes nothing");
    }
    // Tab: the visible tab stops and option groups in template order; the
    // Generate and Save buttons and the cover, row-count and format groups
    // are hidden at start.
    HWND focus = GetDlgItem(dialog, id::kRows);
    std::string order;
    std::string expected;
    for (const int controlId : {id::kInstructions, id::kRandomSure, id::kStatus, id::kInfoPanel,
                                id::kSystem, id::kClassic, kFirstSureBoxId, id::kRows}) {
        PressKey(dialog, focus, VK_TAB);
        focus = GetFocus();
        order += std::to_string(GetDlgCtrlID(focus)) + " ";
        expected += std::to_string(controlId) + " ";
    }
    Check(order == expected, "Tab order from the rows window: " + order);

    HWND rows = GetDlgItem(dialog, id::kRows);
    SetFocus(rows);
    SendMessageW(rows, EM_SETSEL, 0, 0);
    PressKey(dialog, rows, VK_RETURN);
    Check(platform::GetWindowText(rows) == "\r\n" + std::string(text::kInitialRows.view()),
          "Enter in the rows window starts a new line");
}

// A file dialog (save or open), answered by keys: a timer that fires inside its
// modal loop types the path into the focused name field and presses Enter.
std::wstring typedPath;

void CALLBACK TypeIntoSaveDialog(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND field = GetFocus();
    wchar_t className[16] = {};
    GetClassNameW(field, className, 16);
    if (field == nullptr || lstrcmpiW(className, L"Edit") != 0) {
        return; // not open yet
    }
    KillTimer(nullptr, timer);
    for (const wchar_t c : typedPath) {
        SendMessageW(field, WM_CHAR, c, 1);
    }
    PostMessageW(field, WM_KEYDOWN, VK_RETURN, 1);
    PostMessageW(field, WM_KEYUP, VK_RETURN, static_cast<LPARAM>(0xC0000001));
}

// From start-up with keys alone: ENKELRADER, 10 rows, the compatible format,
// GENERERA, SPARA and a name typed into the save dialog.
void CheckKeyboardOnly(HWND dialog) {
    const auto focused = [] { return GetDlgCtrlID(GetFocus()); };
    const auto press = [dialog](WPARAM key, int times = 1) {
        for (int i = 0; i < times; ++i) {
            PressKey(dialog, GetFocus(), key);
        }
    };
    Check(focused() == id::kRows, "the rows window has the focus at start");
    press(VK_TAB, 5);
    Check(focused() == id::kSystem, "Tab reaches the mode boxes");
    press(VK_RIGHT);
    press(VK_SPACE);
    Check(platform::IsCheckSet(GetDlgItem(dialog, id::kEnkelrader)), "Space checks ENKELRADER");
    press(VK_TAB, 2);
    Check(focused() == 1040, "Tab enters the row counts at the marked one");
    press(VK_RIGHT, 9);
    Check(focused() == 1049 && platform::IsCheckSet(GetDlgItem(dialog, 1049)),
          "the arrow keys select 10 rows");
    Check(platform::GetWindowText(GetDlgItem(dialog, id::kStatus)) == "10 enkelrader vald.",
          "and say so");
    press(VK_TAB);
    press(VK_SPACE);
    Check(platform::IsCheckSet(GetDlgItem(dialog, id::kCompatible)), "Space checks the format");
    press(VK_TAB, 3);
    Check(focused() == id::kGenerate, "Tab reaches GENERERA");
    press(VK_SPACE);
    press(VK_TAB);
    Check(focused() == id::kSave, "Tab reaches SPARA");

    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    typedPath = std::wstring(folder) + L"kupongen-keys-" + std::to_wstring(GetCurrentProcessId());
    const std::wstring saved = typedPath + L".txt";
    DeleteFileW(saved.c_str());
    SetTimer(nullptr, 0, 100, TypeIntoSaveDialog);
    press(VK_RETURN);
    const std::string rows = platform::GetWindowText(GetDlgItem(dialog, id::kRows));
    std::string bytes;
    if (FILE* file = _wfopen(saved.c_str(), L"rb")) {
        char buffer[4096];
        for (std::size_t count; (count = std::fread(buffer, 1, sizeof buffer, file)) > 0;) {
            bytes.append(buffer, count);
        }
        std::fclose(file);
    }
    DeleteFileW(saved.c_str());
    Check(bytes.size() == 11 + 10 * 29 && bytes == rows && bytes.starts_with("Stryktipset\r\nE,"),
          "the typed name holds the ten rows: " + std::to_string(bytes.size()) + " bytes");
}

// Every control of the main dialog as a user sees it, and the menu's mark:
// what the check window must leave as it found it.
std::string DialogState(HWND dialog) {
    std::string state = platform::IsMenuChecked(dialog, id::kMenuDistinct) ? "distinct\n" : "\n";
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        state += std::to_string(GetDlgCtrlID(child)) + (platform::IsCheckSet(child) ? " x" : " -") +
                 (IsWindowVisible(child) ? " shown" : " hidden") +
                 (IsWindowEnabled(child) ? " enabled " : " disabled ") +
                 platform::GetWindowText(child) + '\n';
    }
    return state;
}

// The menu's item key, typed once the menu is open: the menu's own loop reads
// it from the queue, and runs the timer that types it.
wchar_t menuKey = 0;

void CALLBACK TypeIntoMenu(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND popup = FindWindowW(L"#32768", nullptr);
    if (popup == nullptr || !IsWindowVisible(popup)) {
        return; // not open yet
    }
    KillTimer(nullptr, timer);
    PostMessageW(popup, WM_CHAR, menuKey, 1);
}

// Alt+V and an item's access key, as typed: the dialog manager hands Alt+V to
// the menu bar, which opens Verktyg.
void ChooseFromMenu(HWND dialog, wchar_t key) {
    menuKey = key;
    SetTimer(nullptr, 0, 50, TypeIntoMenu);
    HWND focus = GetAncestor(GetFocus(), GA_ROOT) == dialog ? GetFocus() : dialog;
    MSG message{focus, WM_SYSCHAR, L'v', static_cast<LPARAM>(1 | (KF_ALTDOWN << 16)), 0, {}};
    if (!IsProgramDialogMessage(dialog, &message)) {
        DispatchMessageW(&message);
    }
    Pump(dialog);
}

// The toggle by its keys: the real menu's mark, and the one-line message.
void CheckMenuToggle(HWND dialog) {
    HMENU tools = GetSubMenu(GetMenu(dialog), 0);
    HWND status = GetDlgItem(dialog, id::kStatus);
    for (const bool on : {true, false}) {
        const std::string before = platform::GetWindowText(status);
        ChooseFromMenu(dialog, L'u');
        const UINT state = GetMenuState(tools, id::kMenuDistinct, MF_BYCOMMAND);
        Check(platform::IsMenuChecked(dialog, id::kMenuDistinct) == on &&
                  ((state & MF_CHECKED) != 0) == on,
              std::string("Alt+V, U turns distinct rows ") + (on ? "on" : "off"));
        Check(platform::GetWindowText(status) != before, "and says so in the status field");
    }
}

// What the check window shows, item for item, against a review that was sent
// the same acts.
void CheckShows(HWND review, const rows::RowsReview& expected, const std::string& after) {
    int wrong = 0;
    std::string first;
    for (const DialogItem& item : rows::kReviewItems) {
        if (item.id == kNoId) {
            continue;
        }
        HWND control = GetDlgItem(review, item.id);
        const bool right =
            rows::ReviewSignBoxOf(item.id)
                ? platform::IsCheckSet(control) == rows::ReviewItemChecked(expected, item.id)
                : platform::GetWindowText(control) == rows::ReviewItemText(expected, item.id);
        if (!right && wrong++ == 0) {
            first = std::to_string(item.id);
        }
    }
    Check(wrong == 0, "after " + after + ": the check window shows the review (" +
                          std::to_string(wrong) + " items differ, the first " + first + ")");
}

int FocusedId() {
    return GetDlgCtrlID(GetFocus());
}

// The check window by keys alone, over a hand-edited rows window: it opens
// and closes from the menu and its own keys, goes by Tab and the arrow keys
// as the template says, shows what a review sent the same acts shows, and
// changes nothing in the dialog.
void CheckReviewWindow(HWND dialog) {
    HWND rowsWindow = GetDlgItem(dialog, id::kRows);
    std::string rowsText = "Stryktipset\r\nE,1,X,2,1,X,2,1,X,2,1,X,2,1\r\nE,1,1,1,1,1,1,1,1,1,"
                           "1,1,1,1\r\nE,1,X,2,1,X,2,1,X,2,1,X,2,1";
    platform::SetWindowText(rowsWindow, rowsText.c_str(), rowsText.size());
    const std::string before = DialogState(dialog);
    rows::RowsReview expected;
    expected.ReadRowsWindow(rowsText);

    ChooseFromMenu(dialog, L'k');
    HWND review = ReviewDialog();
    Check(review != nullptr && IsWindowVisible(review) && GetWindow(review, GW_OWNER) == dialog,
          "Alt+V, K opens the check window, owned by the dialog");
    if (review == nullptr) {
        return;
    }
    CheckShows(review, expected, "opening");
    std::string order;
    for (int i = 0; i <= 8; ++i) {
        if (i > 0) {
            PressKey(dialog, GetFocus(), VK_TAB);
        }
        order += std::to_string(FocusedId()) + " ";
    }
    Check(order == "41060 41061 41062 41070 41002 41003 41010 41050 41060 ",
          "the focus at the check report, then Tab: " + order);
    PressKey(dialog, GetFocus(), VK_ESCAPE);
    Check(!IsWindowVisible(review) && GetAncestor(GetFocus(), GA_ROOT) == dialog,
          "Escape closes it, and the dialog has the focus again");

    ChooseFromMenu(dialog, L'r');
    Check(ReviewDialog() == review && IsWindowVisible(review) &&
              FocusedId() == rows::ReviewSignBoxId(1, 0),
          "Alt+V, R raises the same window, the first sign box focused");
    order.clear();
    for (const WPARAM key : {VK_LEFT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT}) {
        PressKey(dialog, GetFocus(), key);
        order += std::to_string(FocusedId()) + " ";
    }
    Check(order == "41048 41010 41011 41012 41013 ", "the arrow keys go round the boxes: " + order);
    PressKey(dialog, GetFocus(), VK_SPACE);
    rows::ReviewClick(expected, rows::ReviewSignBoxId(2, 0));
    CheckShows(review, expected, "Space on match 2: 1");

    PressKey(dialog, GetFocus(), VK_TAB);
    HWND typed = GetFocus();
    Check(FocusedId() == rows::review_id::kTyped, "Tab from the boxes reaches the typing line");
    // The last, a character Windows-1252 lacks, reads as '?' and stays in the
    // line as typed: no text goes back and forth.
    for (const auto* text : {L"1X21X21X21X21", L"1X21X21X21X21Y", L"1X21X21X21X2\u3042"}) {
        SetWindowTextW(typed, L"");
        for (const wchar_t* c = text; *c != 0; ++c) {
            SendMessageW(typed, WM_CHAR, *c, 1);
        }
        expected.TypeResult(platform::WideToAnsi(text));
        CheckShows(review, expected, "typing " + Utf8(text));
        Check(WindowText(typed) == text, "the typing line keeps what was typed");
    }
    PressKey(dialog, typed, VK_RETURN);
    Check(IsWindowVisible(review) && FocusedId() == rows::review_id::kTyped,
          "Enter in the typing line leaves the window as it is");
    CheckShows(review, expected, "Enter");
    Check(DialogState(dialog) == before, "the check window changed nothing in the dialog");

    rowsText += "\r\nE,2,2,2,2,2,2,2,2,2,2,2,2,2";
    platform::SetWindowText(rowsWindow, rowsText.c_str(), rowsText.size());
    const std::string edited = DialogState(dialog);
    PressKey(dialog, GetDlgItem(review, rows::review_id::kReadAgain), VK_SPACE);
    expected.ReadRowsWindow(rowsText);
    CheckShows(review, expected, "Läs raderna igen");
    PressKey(dialog, GetDlgItem(review, rows::review_id::kClose), VK_SPACE);
    Check(!IsWindowVisible(review) && DialogState(dialog) == edited,
          "Stäng closes it, and reading again changed nothing in the dialog");
}

// "Öppna fil…" through the system's open dialog, the name typed into it: a
// file whose name Windows-1252 cannot spell in full is read for the check
// window alone. Wine spells such names in the Unix locale's character set,
// which must be UTF-8.
void CheckOpenFile(HWND dialog) {
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    const std::wstring name =
        L"kupongen-\u00f6ppna-\u0100-" + std::to_wstring(GetCurrentProcessId()) + L".txt";
    typedPath = std::wstring(folder) + name;
    const std::filesystem::path path(typedPath);
    std::ofstream(path, std::ios::binary) << "Stryktipset\r\nE,1,X,2,1,X,2,1,X,2,1,X,2,1\r\nE,Y";
    const std::string before = DialogState(dialog);

    ChooseFromMenu(dialog, L'k');
    HWND review = ReviewDialog();
    SetTimer(nullptr, 0, 100, TypeIntoSaveDialog);
    PressKey(dialog, GetDlgItem(review, rows::review_id::kOpenFile), VK_SPACE);
    rows::RowsReview expected;
    expected.ReadRowsWindow(platform::GetWindowText(GetDlgItem(dialog, id::kRows)));
    expected.OpenFile(platform::WideToAnsi(name), rows::ReadBoundedFile(path));
    std::filesystem::remove(path);
    CheckShows(review, expected, "opening a file");
    Check(expected.Text().invalidLines.size() == 1, "the file was read: one invalid line");
    PressKey(dialog, GetDlgItem(review, rows::review_id::kCheckReport), VK_ESCAPE);
    Check(DialogState(dialog) == before, "opening a file changed nothing in the dialog");
}

// Closes the dialog and runs the loop to its quit message.
void Close(HWND dialog) {
    SendMessageW(dialog, WM_CLOSE, 0, 0);
    Check(!IsWindow(dialog), "closing destroys the window");
    if (!quit) {
        MSG message;
        while (GetMessageW(&message, nullptr, 0, 0) > 0) {
            DispatchMessageW(&message);
        }
        Check(message.wParam == 0, "the loop ends with exit code 0");
    }
    quit = false;
}

void CheckRoundTrip(HWND dialog) {
    // Every byte but the terminating zero, alone and all together; lone CR
    // and LF included, which the window keeps as they are.
    HWND rows = GetDlgItem(dialog, id::kRows);
    std::string all;
    for (int byte = 1; byte < 256; ++byte) {
        const std::string one(1, static_cast<char>(byte));
        platform::SetWindowText(rows, one.c_str(), one.size());
        char name[48];
        std::snprintf(name, sizeof name, "byte 0x%02X through the rows window", byte);
        Check(platform::GetWindowText(rows) == one, name);
        all += one;
    }
    platform::SetWindowText(rows, all.c_str(), all.size());
    Check(platform::GetWindowText(rows) == all, "all 255 bytes through the rows window");
    const std::string swedish = text::kInstructions.c_str();
    platform::SetWindowText(rows, swedish.c_str(), swedish.size());
    Check(platform::GetWindowText(rows) == swedish, "instructions through the rows window");
}

} // namespace

// --keyboard-session adds a whole session by keyboard, with the system's
// save dialog, and --open-file a file opened in the check window through the
// system's open dialog; neither depends on the code page, so one run has each.
int main(int argc, char** argv) {
    TheInstance = GetModuleHandleW(nullptr);
    // Every line out at once, also when a check brings the process down.
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    std::printf("ANSI code page %u\n", GetACP());
    CheckTemplateResource(styles::kMainTemplate);
    CheckTemplateResource(styles::kReviewTemplate);
    HWND dialog = CreateMainDialog();
    Check(dialog != nullptr, "the dialog is created");
    if (dialog != nullptr) {
        CheckLiveDialog(dialog);
        CheckKeyboard(dialog);
        CheckMenuToggle(dialog);
        CheckReviewWindow(dialog);
        CheckRoundTrip(dialog);
        Close(dialog);
        Check(ReviewDialog() == nullptr, "the check window goes with the dialog");
    }
    const std::string_view session = argc > 1 ? argv[1] : "";
    // A fresh dialog for a whole session by keyboard.
    dialog = session.empty() ? nullptr : CreateMainDialog();
    if (dialog != nullptr) {
        ShowWindow(dialog, SW_SHOW);
        SetForegroundWindow(dialog);
        if (session == "--keyboard-session") {
            CheckKeyboardOnly(dialog);
        } else if (session == "--open-file") {
            CheckOpenFile(dialog);
        }
        Close(dialog);
    }
    return test::Tally();
}
