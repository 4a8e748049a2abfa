// Layout checks shared by the layout tests: where each template item must be
// in pixels, and whether a caption's ink lies where the widget can show it.
#pragma once

#include "dialog_template.h"
#include "group_frame.h"
#include "main_dialog.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>

#include <cstdint>

namespace kupongen::qt::test {

// Windows' MulDiv, written out again so the window's own is checked.
inline int ScaleRounded(int value, int base, int divisor) {
    return static_cast<int>((static_cast<std::int64_t>(value) * base * 2 + divisor) /
                            (2 * static_cast<std::int64_t>(divisor)));
}

inline QRect ExpectedRect(const DialogItem& item, const DialogUnits& units) {
    return {ScaleRounded(item.x, units.baseX, 4), ScaleRounded(item.y, units.baseY, 8),
            ScaleRounded(item.width, units.baseX, 4), ScaleRounded(item.height, units.baseY, 8)};
}

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
    QString caption;
    QRect room;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    int baseline = 0;
    if (auto* frame = qobject_cast<GroupFrame*>(widget)) {
        caption = frame->Caption();
        room = frame->CaptionRect();
        alignment = Qt::AlignHCenter;
        baseline = frame->CaptionBaseline();
        if (!widget->rect().contains(room)) {
            return QStringLiteral("caption area outside the frame");
        }
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        caption = button->text();
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = caption;
        QStyle::SubElement element = QStyle::SE_PushButtonContents;
        if (qobject_cast<QCheckBox*>(widget) != nullptr) {
            element = QStyle::SE_CheckBoxContents;
        } else if (qobject_cast<QRadioButton*>(widget) != nullptr) {
            element = QStyle::SE_RadioButtonContents;
        } else {
            alignment = Qt::AlignCenter;
            if (qobject_cast<QPushButton*>(widget)->autoDefault()) {
                option.features |= QStyleOptionButton::AutoDefaultButton;
            }
        }
        room = widget->style()->subElementRect(element, &option, widget);
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        caption = label->text();
        room = label->contentsRect();
        alignment = label->alignment();
    } else {
        return {};
    }
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

inline bool Contains(const DialogItem& outer, const DialogItem& inner) {
    return inner.x >= outer.x && inner.y >= outer.y &&
           inner.x + inner.width <= outer.x + outer.width &&
           inner.y + inner.height <= outer.y + outer.height;
}

} // namespace kupongen::qt::test
