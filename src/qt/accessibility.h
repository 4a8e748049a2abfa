// What a screen reader learns of the window: every control with its true role
// and a name, the group boxes as groupings holding their controls, press and
// toggle actions that go the way of a user's click, and status messages
// announced as they come.
#pragma once

class QString;
class QWidget;

namespace kupongen::qt {

// Installs the window's accessibility interfaces; call before any widget of
// the window is shown.
void InstallAccessibility();

// Has screen readers speak a text at once, without moving the focus.
void Announce(QWidget* window, const QString& text);

} // namespace kupongen::qt
