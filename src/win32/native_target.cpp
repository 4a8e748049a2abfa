#include "native_target.h"

#include "control_table.h"
#include "menu_table.h"
#include "native_dialog.h"

#include <utility>

namespace kupongen::script {

namespace {

// The button type of a control, or -1 for any other class.
LONG ButtonType(HWND control) {
    wchar_t className[16] = {};
    GetClassNameW(control, className, 16);
    if (lstrcmpiW(className, L"Button") != 0) {
        return -1;
    }
    return GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK;
}

bool IsMarkable(LONG type) {
    return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE ||
           type == BS_AUTO3STATE || type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}

bool IsClickableType(LONG type) {
    return IsMarkable(type) || type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

} // namespace

NativeTarget::NativeTarget(MessageBoxSink onMessageBox) {
    platform::hooks.showMessageBox = std::move(onMessageBox);
    platform::hooks.chooseSavePath = [this] { return std::exchange(nextSavePath_, std::nullopt); };
    dialog_ = CreateMainDialog();
    if (dialog_ == nullptr) {
        ReportCreateDialogFailure(GetLastError());
        exitCode_ = 1;
        return;
    }
    Pump();
}

NativeTarget::~NativeTarget() {
    if (dialog_ != nullptr && IsWindow(dialog_)) {
        SendMessageW(dialog_, WM_CLOSE, 0, 0);
    }
    Pump();
    platform::hooks = {};
}

void NativeTarget::Pump() {
    MSG message;
    while (!quit_ && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            quit_ = true;
            exitCode_ = static_cast<int>(message.wParam);
        } else if (!IsProgramDialogMessage(dialog_, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

bool NativeTarget::CanClick(int controlId) {
    HWND control = GetDlgItem(dialog_, controlId);
    if (control == nullptr) {
        return false;
    }
    const bool visible = (GetWindowLongW(control, GWL_STYLE) & WS_VISIBLE) != 0;
    return visible && IsWindowEnabled(control) && IsClickableType(ButtonType(control));
}

void NativeTarget::Click(int controlId) {
    // The button's own mouse handling: its automatic change, then BN_CLICKED
    // through the dialog manager to the dialog procedure.
    SendMessageW(GetDlgItem(dialog_, controlId), BM_CLICK, 0, 0);
    Pump();
}

void NativeTarget::Notify(int controlId, int code) {
    SendMessageW(dialog_, WM_COMMAND,
                 MAKEWPARAM(static_cast<WORD>(controlId), static_cast<WORD>(code)),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog_, controlId)));
    Pump();
}

void NativeTarget::TypeRowsText(const std::string& ansiText) {
    platform::SetWindowText(GetDlgItem(dialog_, id::kRows), ansiText.c_str(), ansiText.size());
    Pump();
}

void NativeTarget::SaveTo(const std::string& path) {
    nextSavePath_ = path;
    Click(id::kSave);
    nextSavePath_.reset();
}

void NativeTarget::SaveSystemTo(const std::string& path) {
    nextSavePath_ = path;
    Notify(id::kMenuSaveSystem, 0);
    nextSavePath_.reset();
}

std::string NativeTarget::Text(int controlId) {
    return platform::GetWindowText(GetDlgItem(dialog_, controlId));
}

bool NativeTarget::IsMenuChecked(int menuId) {
    return platform::IsMenuChecked(dialog_, menuId);
}

ControlSnapshot NativeTarget::Control(int controlId) {
    HWND control = GetDlgItem(dialog_, controlId);
    if (control == nullptr) {
        return {controlId, false, false, false};
    }
    const bool visible = (GetWindowLongW(control, GWL_STYLE) & WS_VISIBLE) != 0;
    const bool checked = IsMarkable(ButtonType(control)) && platform::IsCheckSet(control);
    return {controlId, visible, IsWindowEnabled(control) != FALSE, checked};
}

} // namespace kupongen::script
