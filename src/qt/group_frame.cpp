#include "group_frame.h"

#include "font_metrics.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace kupongen::qt {

namespace {
// Blank space on each side of the caption, where the frame line stops.
constexpr int kCaptionPadding = 2;
} // namespace

GroupFrame::GroupFrame(const QString& caption, QWidget* parent)
    : QWidget(parent), caption_(caption) {
    // Decoration only: clicks go to whatever lies beneath.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

QRect GroupFrame::CaptionRect() const {
    if (caption_.isEmpty()) {
        return {};
    }
    const QFontMetrics metrics(font());
    const int indent = metrics.averageCharWidth() + kCaptionPadding;
    return {indent, 0, metrics.horizontalAdvance(caption_) + 2 * kCaptionPadding,
            CaptionBaseline() + WindowsFontExtent(font()).descent};
}

int GroupFrame::CaptionBaseline() const {
    // Windows' ascent, or lower where an accented capital reaches higher.
    const QFontMetrics metrics(font());
    return std::max(WindowsFontExtent(font()).ascent, -metrics.tightBoundingRect(caption_).top());
}

QRect GroupFrame::FrameRect() const {
    // Windows puts the top line half a text height down.
    return rect().adjusted(0, WindowsFontExtent(font()).Height() / 2, 0, 0);
}

void GroupFrame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect frame = FrameRect();
    // Etched: a shadow line with a highlight one pixel right and below.
    painter.setPen(palette().color(QPalette::Light));
    painter.drawRect(frame.adjusted(1, 1, -1, -1));
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(frame.adjusted(0, 0, -2, -2));

    const QRect caption = CaptionRect();
    if (!caption.isEmpty()) {
        painter.fillRect(caption, palette().window());
        painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                       QPalette::WindowText));
        // On Windows' baseline, so accented capitals keep their marks.
        painter.drawText(caption.left() + kCaptionPadding, CaptionBaseline(), caption_);
    }
}

} // namespace kupongen::qt
