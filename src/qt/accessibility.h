// What a screen reader learns of the window: every control with its true role
// and a name, the group boxes as groupings, each match label tied to its sure
// boxes, and press and toggle actions that go the way of a user's click.
#pragma once

#include <QList>

class QLabel;
class QWidget;

namespace kupongen::qt {

// Installs the window's accessibility interfaces; call before any widget of
// the window is shown.
void InstallAccessibility();

// A match label and the sure boxes it names.
void LinkLabel(QLabel* label, const QList<QWidget*>& boxes);

} // namespace kupongen::qt
