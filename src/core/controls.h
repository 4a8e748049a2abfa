// Thin wrappers around the dialog's controls: one handle each, no state of
// their own. They are the only way the program changes or reads a control.
#pragma once

#include "platform.h" // src/platform/model or src/platform/win32, chosen by the build

#include <cstddef>
#include <string>
#include <string_view>

namespace kupongen {

class SimpleControl {
public:
    SimpleControl(platform::Window parent, int controlId, int initiallyEnabled)
        : handle_(platform::GetDlgItem(parent, controlId)) {
        if (initiallyEnabled == 0) {
            Disable();
        }
    }

    void Show() { platform::ShowWindow(handle_, true); }
    void Hide() { platform::ShowWindow(handle_, false); }
    void Disable() { platform::EnableWindow(handle_, false); }

protected:
    platform::Item handle_;
};

class Edit : public SimpleControl {
public:
    using SimpleControl::SimpleControl;

    // Replaces the whole text with a zero-terminated Windows-1252 text.
    void SetString(const char* text, std::size_t length) {
        platform::SetWindowText(handle_, text, length);
    }
    void SetString(std::string_view text) {
        // Every caller passes a literal, a std::string or the zero-terminated
        // rows buffer.
        SetString(text.data(), text.size());
    }
    // The whole text as the window holds it, hand edits included.
    std::string GetString() const { return platform::GetWindowText(handle_); }
};

class Button : public SimpleControl {
public:
    using SimpleControl::SimpleControl;
};

class CheckBox : public Button {
public:
    using Button::Button;

    void Check() { platform::SetCheck(handle_, true); }
    void UnCheck() { platform::SetCheck(handle_, false); }
    bool IsChecked() const { return platform::IsCheckSet(handle_); }
};

class RadioButton : public Button {
public:
    using Button::Button;

    void Select() { platform::SetCheck(handle_, true); }
};

} // namespace kupongen
