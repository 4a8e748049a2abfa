#include "rights_chart.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QLocale>
#include <QPainter>
#include <QStyleOptionFocusRect>

#include <algorithm>

namespace kupongen::qt {

namespace {

constexpr int kGap = 3;
// Smaller digits stop being readable at 100 %.
constexpr int kSmallestPixels = 7;

// "1 594 323", as the reports write amounts.
QString Count(std::uint64_t count) {
    return QLocale(QLocale::Swedish, QLocale::Sweden).toString(static_cast<qulonglong>(count));
}

} // namespace

RightsChart::RightsChart(const rows::RowsReview& review, QWidget* parent)
    : QFrame(parent), review_(review) {
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}

void RightsChart::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect area = contentsRect().adjusted(kGap, kGap, -kGap, -kGap);
    const rows::Spread& spread = review_.Rights();
    const qreal step = static_cast<qreal>(area.height()) / static_cast<qreal>(spread.size());

    // The digits as large as the window's font, or as a bar's height allows.
    QFont digits = font();
    digits.setPixelSize(
        std::clamp(static_cast<int>(step), kSmallestPixels, QFontInfo(font()).pixelSize()));
    painter.setFont(digits);
    const QFontMetrics metrics(digits);
    const int labelWidth = metrics.horizontalAdvance(QStringLiteral("13"));
    int countWidth = 0;
    for (const std::uint64_t count : spread) {
        countWidth = std::max(countWidth, metrics.horizontalAdvance(Count(count)));
    }
    const int barRoom = std::max(0, area.width() - labelWidth - countWidth - 2 * kGap);
    const std::uint64_t largest = *std::max_element(spread.begin(), spread.end());

    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text));
    for (std::size_t row = 0; row < spread.size(); ++row) {
        const std::size_t rights = spread.size() - 1 - row;
        const qreal top = area.top() + static_cast<qreal>(row) * step;
        painter.drawText(QRectF(area.left(), top, labelWidth, step),
                         Qt::AlignRight | Qt::AlignVCenter, QString::number(rights));
        qreal length = 0;
        if (spread[rights] != 0) {
            // A count the largest dwarfs still shows as a bar.
            length = std::max(1.0, barRoom * static_cast<double>(spread[rights]) /
                                       static_cast<double>(largest));
        }
        const qreal left = area.left() + labelWidth + kGap;
        painter.fillRect(QRectF(left, top + 1, length, std::max(1.0, step - 2)),
                         palette().color(QPalette::Highlight));
        painter.drawText(QRectF(left + length + kGap, top, countWidth, step),
                         Qt::AlignLeft | Qt::AlignVCenter, Count(spread[rights]));
    }
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = contentsRect().adjusted(1, 1, -1, -1);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

} // namespace kupongen::qt
