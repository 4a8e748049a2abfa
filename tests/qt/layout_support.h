// Layout checks shared by the layout tests: whether a caption's ink lies where
// the widget can show it.
#pragma once

#include "caption_place.h"
#include "dialog_template.h"
#include "group_frame.h"
#include "main_dialog.h"
#include "template_window.h"

#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QPainter>

#include <optional>

namespace kupongen::qt::test {

// A text drawn black on white, its baseline starting at origin.
inline QImage DrawnText(const QFont& font, const QString& text, QSize size, QPointF origin) {
    QImage image(size, QImage::Format_Grayscale8);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(origin, text);
    return image;
}

// The smallest rectangle holding every pixel of the area that was drawn on.
inline QRect InkIn(const QImage& image, const QRect& area) {
    QRect ink;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const uchar* row = image.constScanLine(y);
        for (int x = area.left(); x <= area.right(); ++x) {
            if (row[x] != 0xFF) {
                ink |= QRect(x, y, 1, 1);
            }
        }
    }
    return ink;
}

// The pixels a text's glyphs cover, relative to its baseline's origin.
// QFontMetrics' boxes are those of the glyph bitmaps, which under full
// hinting may hold a blank row.
inline QRect InkRect(const QFont& font, const QString& text) {
    const QRect box = QFontMetrics(font).tightBoundingRect(text).adjusted(-2, -2, 2, 2);
    const QImage image = DrawnText(font, text, box.size(), -box.topLeft());
    return InkIn(image, image.rect()).translated(box.topLeft());
}

// A description of how a caption is cut, or an empty text when all of it
// shows: its advance fits the room the style leaves for text, and its ink,
// placed as Qt places it, lies inside the widget.
inline QString CaptionClipping(QWidget* widget) {
    const QFontMetrics metrics(widget->font());
    const std::optional<CaptionPlace> place = CaptionPlaceOf(widget);
    if (!place) {
        return {};
    }
    const auto& [caption, room, alignment, placedBaseline] = *place;
    if (qobject_cast<GroupFrame*>(widget) != nullptr && !widget->rect().contains(room)) {
        return QStringLiteral("caption area outside the frame");
    }
    if (const auto* label = qobject_cast<QLabel*>(widget); label != nullptr && label->wordWrap()) {
        const QRect needed = metrics.boundingRect(room, Qt::TextWordWrap | alignment, caption);
        return needed.width() <= room.width() && needed.height() <= room.height()
                   ? QString()
                   : QStringLiteral("\"%1\" needs %2x%3 pixels, has %4x%5")
                         .arg(caption)
                         .arg(needed.width())
                         .arg(needed.height())
                         .arg(room.width())
                         .arg(room.height());
    }
    int baseline = placedBaseline;
    const int advance = metrics.horizontalAdvance(caption);
    if (advance > room.width()) {
        return QStringLiteral("\"%1\" needs %2 pixels, has %3")
            .arg(caption)
            .arg(advance)
            .arg(room.width());
    }
    const int x =
        alignment & Qt::AlignHCenter ? room.left() + (room.width() - advance) / 2 : room.left();
    if (baseline == 0) {
        const int height = metrics.ascent() + metrics.descent();
        baseline = alignment & Qt::AlignTop
                       ? room.top() + metrics.ascent()
                       : room.top() + (room.height() - height) / 2 + metrics.ascent();
    }
    const QRect ink = InkRect(widget->font(), caption).translated(x, baseline);
    if (!widget->rect().contains(ink)) {
        return QStringLiteral("\"%1\" ink %2,%3 %4x%5 outside %6x%7")
            .arg(caption)
            .arg(ink.x())
            .arg(ink.y())
            .arg(ink.width())
            .arg(ink.height())
            .arg(widget->width())
            .arg(widget->height());
    }
    return {};
}

// Where a template item must stand in its window: its rectangle in the
// client area, which a menu bar pushes down.
inline QRect TemplateRect(const TemplateWindow& window, std::size_t item) {
    return ToQRect(window.Units().Rect(window.Template()[item]))
        .translated(window.ClientArea().topLeft());
}

// Where an item's widget stands in its window, whatever its parent.
inline QRect PlacedRect(const TemplateWindow& window, std::size_t item) {
    const QWidget* widget = window.Items()[item];
    return {widget->mapTo(&window, QPoint(0, 0)), widget->size()};
}

inline bool Contains(const DialogItem& outer, const DialogItem& inner) {
    return inner.x >= outer.x && inner.y >= outer.y &&
           inner.x + inner.width <= outer.x + outer.width &&
           inner.y + inner.height <= outer.y + outer.height;
}

} // namespace kupongen::qt::test
