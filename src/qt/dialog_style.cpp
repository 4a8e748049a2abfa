#include "dialog_style.h"

#include <QStyleFactory>

#include <algorithm>

namespace kupongen::qt {

DialogStyle::DialogStyle(QStyle* base)
    : QProxyStyle(base != nullptr ? base : QStyleFactory::create(QStringLiteral("Windows"))) {}

int DialogStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                             const QWidget* widget) const {
    switch (metric) {
    case PM_IndicatorWidth:
    case PM_IndicatorHeight:
    case PM_ExclusiveIndicatorWidth:
    case PM_ExclusiveIndicatorHeight:
        // The native check box and radio button glyphs are 13 pixels.
        return std::min(QProxyStyle::pixelMetric(metric, option, widget), 13);
    case PM_CheckBoxLabelSpacing:
    case PM_RadioButtonLabelSpacing:
        return 4;
    default:
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
}

} // namespace kupongen::qt
