// The page's way into the dialog session: plain C exports over one
// DialogSession, as the Qt window drives it, and over the check window's
// RowsReview. The templates, the menu and typed text cross as UTF-8; the
// controls' texts as the model's own Windows-1252 bytes, which the page
// decodes.
#include "control_table.h"
#include "dialog_navigation.h"
#include "dialog_session.h"
#include "dialog_template.h"
#include "file_handover.h"
#include "file_save.h"
#include "random_mersenne.h"
#include "review_window.h"
#include "rows_input.h"
#include "web_text.h"

#include <emscripten/emscripten.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

namespace kupongen::web {

namespace {

struct MessageBox {
    std::string title;
    std::string text;
};

std::unique_ptr<DialogSession> session;
// A page cannot block inside a click: boxes wait until the click returns.
std::deque<MessageBox> boxes;
std::string scratch; // the last text handed out
std::array<std::uint32_t, 2 * (kControlCount + kMenuCommandCount)> states{};
std::string fileBytes;
rows::RowsReview review;
int reviewFocus = 0; // the item to focus when the check window is to open

const char* HandOut(std::string text) {
    scratch = std::move(text);
    return scratch.c_str();
}

FocusState CurrentFocusState() {
    return FocusStateOf(session->Model());
}

// The browser's monotonic clock in one call, where the C library's
// clock_gettime takes three.
std::chrono::steady_clock::time_point PageClock() {
    using std::chrono::steady_clock;
    return steady_clock::time_point(std::chrono::duration_cast<steady_clock::duration>(
        std::chrono::duration<double, std::milli>(emscripten_get_now())));
}

int AsIndex(std::optional<ItemIndex> item) {
    return item ? static_cast<int>(*item) : -1;
}

// The check window's items are all there all the time; the chart, a label,
// takes the focus as its tab stop says.
FocusState ReviewFocusState() {
    return {[](ItemIndex index) {
                const DialogItem& item = rows::kReviewItems[index];
                return item.id != kNoId && (item.kind != ItemKind::Label || item.Has(kTabStop));
            },
            [](ItemIndex) { return false; }};
}

void ReadRowsWindow() {
    review.ReadRowsWindow(session->Model().Item(id::kRows)->text);
}

} // namespace

} // namespace kupongen::web

using namespace kupongen;
using namespace kupongen::web;

extern "C" {

// Starts the dialog with the generator seeded by seedValue (taken modulo 2^32).
EMSCRIPTEN_KEEPALIVE void kg_start(std::uint32_t seedValue) {
    rg.RandomInit(static_cast<std::int32_t>(seedValue));
    boxes.clear();
    DialogHooks hooks;
    hooks.showMessageBox = [](std::string_view text, std::string_view title) {
        boxes.push_back({AnsiToUtf8(title), AnsiToUtf8(text)});
    };
    hooks.chooseSavePath = [] { return std::optional<std::string>(kOfferedSaveName); };
    hooks.showRowsReview = [](RowsReviewKind kind) {
        const auto view =
            kind == RowsReviewKind::Check ? rows::ReviewView::Check : rows::ReviewView::Grade;
        review.Show(view);
        ReadRowsWindow();
        reviewFocus = rows::ReviewFocusId(view);
    };
    session = std::make_unique<DialogSession>(std::move(hooks), PageClock);
}

// The template and the page's texts as JSON (UTF-8; see TemplateJson).
EMSCRIPTEN_KEEPALIVE const char* kg_template() {
    return HandOut(TemplateJson());
}

// Item rectangles in pixels for the page's font (see LayoutJson).
EMSCRIPTEN_KEEPALIVE const char* kg_layout(int widthOf52Letters, int height) {
    return HandOut(LayoutJson(widthOf52Letters, height));
}

EMSCRIPTEN_KEEPALIVE int kg_click(int controlId) {
    return session->Click(controlId) ? 1 : 0;
}

// A command with no automatic change: a menu command (the menu's ids), or
// a control's notification.
EMSCRIPTEN_KEEPALIVE void kg_notify(int controlId, int code) {
    session->Notify(controlId, code);
}

// The user's text of the rows window, UTF-8 with any line breaks.
EMSCRIPTEN_KEEPALIVE void kg_type_rows(const char* utf8) {
    session->TypeRowsText(Utf8ToAnsiCrLf(utf8));
}

// Two words per control in control-table order: its StateBits, then its
// revision (low 32 bits); then two per menu command in the menu's order.
EMSCRIPTEN_KEEPALIVE const std::uint32_t* kg_states() {
    const auto& controls = session->Model().Controls();
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const ControlState& control = controls[i];
        states[2 * i] = (control.visible ? kVisibleBit : 0u) |
                        (control.enabled ? kEnabledBit : 0u) | (control.checked ? kCheckedBit : 0u);
        states[2 * i + 1] = static_cast<std::uint32_t>(control.revision);
    }
    std::size_t i = controls.size();
    for (const MenuItem& item : kMenuItems) {
        if (const MenuItemState* menu = session->Model().MenuState(item.id)) {
            states[2 * i] = kVisibleBit | kEnabledBit | (menu->checked ? kCheckedBit : 0u);
            states[2 * i + 1] = static_cast<std::uint32_t>(menu->revision);
            ++i;
        }
    }
    return states.data();
}

// The menu table as JSON (see MenuJson).
EMSCRIPTEN_KEEPALIVE const char* kg_menu() {
    return HandOut(MenuJson());
}

// The text of the control at a control-table position: its Windows-1252
// bytes, which the page decodes itself, and their count.
EMSCRIPTEN_KEEPALIVE const char* kg_text(int position) {
    return session->Model().Controls()[static_cast<std::size_t>(position)].text.data();
}

EMSCRIPTEN_KEEPALIVE int kg_text_size(int position) {
    return static_cast<int>(
        session->Model().Controls()[static_cast<std::size_t>(position)].text.size());
}

// The oldest waiting message box as "title\ntext", or "" when none waits.
EMSCRIPTEN_KEEPALIVE const char* kg_take_message_box() {
    if (boxes.empty()) {
        return "";
    }
    MessageBox box = std::move(boxes.front());
    boxes.pop_front();
    return HandOut(box.title + '\n' + box.text);
}

// The bytes of the last save, once: their size, or -1 when nothing was saved.
EMSCRIPTEN_KEEPALIVE int kg_take_file() {
    auto bytes = TakeHandedOverBytes();
    if (!bytes) {
        return -1;
    }
    fileBytes = std::move(*bytes);
    return static_cast<int>(fileBytes.size());
}

EMSCRIPTEN_KEEPALIVE const char* kg_file_bytes() {
    return fileBytes.data();
}

// Keyboard: the template position Tab or an arrow key moves the focus to,
// or -1.
EMSCRIPTEN_KEEPALIVE int kg_next_tab(int item, int backwards) {
    return AsIndex(NextTabStop(static_cast<ItemIndex>(item), backwards != 0, CurrentFocusState()));
}

EMSCRIPTEN_KEEPALIVE int kg_next_in_group(int item, int backwards) {
    return AsIndex(NextInGroup(static_cast<ItemIndex>(item), backwards != 0, CurrentFocusState()));
}

// ---- the check window ----

// The check window's template and rectangles (see ReviewTemplateJson).
EMSCRIPTEN_KEEPALIVE const char* kg_review_template() {
    return HandOut(ReviewTemplateJson());
}

EMSCRIPTEN_KEEPALIVE const char* kg_review_layout(int widthOf52Letters, int height) {
    return HandOut(ReviewLayoutJson(widthOf52Letters, height));
}

// Once after a menu command opened the check window: the id of the item to
// focus; 0 when it was not opened.
EMSCRIPTEN_KEEPALIVE int kg_take_review() {
    return std::exchange(reviewFocus, 0);
}

// What the window shows (see ReviewStateJson).
EMSCRIPTEN_KEEPALIVE const char* kg_review_state() {
    return HandOut(ReviewStateJson(review));
}

// A click on a sign box; 0 for any other item.
EMSCRIPTEN_KEEPALIVE int kg_review_click(int itemId) {
    return rows::ReviewClick(review, itemId) ? 1 : 0;
}

// The typing line's whole text, UTF-8.
EMSCRIPTEN_KEEPALIVE void kg_review_type(const char* utf8) {
    review.TypeResult(Utf8ToAnsi(utf8));
}

EMSCRIPTEN_KEEPALIVE void kg_review_read_again() {
    ReadRowsWindow();
}

// A file the user opened: its name (UTF-8) and the bytes the page read of it,
// at most maxFileBytes + 1 of them so a larger file is refused as too large;
// size -1 when the browser could not read it.
EMSCRIPTEN_KEEPALIVE void kg_review_open_file(const char* utf8Name, const char* bytes, int size) {
    const std::string name = Utf8ToAnsi(utf8Name);
    if (size < 0) {
        review.OpenFile(name, {rows::ReadStatus::Failed, {}});
        return;
    }
    review.OpenFile(name,
                    rows::ReadBounded(std::string_view(bytes, static_cast<std::size_t>(size))));
}

// Keyboard in the check window, as kg_next_tab and kg_next_in_group.
EMSCRIPTEN_KEEPALIVE int kg_review_next_tab(int item, int backwards) {
    return AsIndex(NextTabStop(rows::kReviewItems, static_cast<ItemIndex>(item), backwards != 0,
                               ReviewFocusState()));
}

EMSCRIPTEN_KEEPALIVE int kg_review_next_in_group(int item, int backwards) {
    return AsIndex(NextInGroup(rows::kReviewItems, static_cast<ItemIndex>(item), backwards != 0,
                               ReviewFocusState()));
}

} // extern "C"
