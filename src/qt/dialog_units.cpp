#include "dialog_units.h"

#include <QByteArray>
#include <QFont>
#include <QFontMetrics>
#include <QRawFont>

#include <cmath>
#include <cstdint>

namespace kupongen::qt {

int MulDiv(int a, int b, int c) {
    const std::int64_t product = static_cast<std::int64_t>(a) * b;
    const std::int64_t half = c / 2;
    const bool negative = (product < 0) != (c < 0);
    const std::int64_t magnitude = (std::llabs(product) + std::llabs(half)) / std::llabs(c);
    return static_cast<int>(negative ? -magnitude : magnitude);
}

DialogUnits DialogUnits::ForFont(const QFont& font) {
    const QFontMetrics metrics(font);
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    DialogUnits units;
    units.baseX = (letters / 26 + 1) / 2;
    units.baseY = WindowsFontExtent(font).Height();
    return units;
}

FontExtent WindowsFontExtent(const QFont& font) {
    const QRawFont raw = QRawFont::fromFont(font);
    const QByteArray os2 = raw.isValid() ? raw.fontTable("OS/2") : QByteArray();
    constexpr int kWinAscent = 74;
    constexpr int kWinDescent = 76;
    if (os2.size() >= kWinDescent + 2 && raw.unitsPerEm() > 0) {
        const auto unsigned16 = [&os2](int offset) {
            return (static_cast<unsigned char>(os2[offset]) << 8) |
                   static_cast<unsigned char>(os2[offset + 1]);
        };
        const double scale = raw.pixelSize() / raw.unitsPerEm();
        const FontExtent extent{static_cast<int>(std::lround(unsigned16(kWinAscent) * scale)),
                                static_cast<int>(std::lround(unsigned16(kWinDescent) * scale))};
        if (extent.Height() > 0) {
            return extent;
        }
    }
    const QFontMetrics metrics(font);
    return {metrics.ascent(), metrics.descent()};
}

} // namespace kupongen::qt
