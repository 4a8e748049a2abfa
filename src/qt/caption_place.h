// Where a widget of the window draws its caption, as its style lays it out;
// both the window (shrinking a caption a fallback font cannot fit) and the
// layout checks go by it.
#pragma once

#include <QRect>
#include <QString>

#include <optional>

class QWidget;

namespace kupongen::qt {

struct CaptionPlace {
    QString caption;
    QRect room; // where the style lets the text go
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    int baseline = 0; // 0: the text stands in the room by its alignment
};

// The caption of a button, box, label or group frame; nothing for an edit.
std::optional<CaptionPlace> CaptionPlaceOf(const QWidget* widget);

} // namespace kupongen::qt
