#include "font_metrics.h"

#include <QByteArray>
#include <QFont>
#include <QFontMetrics>
#include <QRawFont>

#include <cmath>

namespace kupongen::qt {

BaseUnits BaseUnitsOf(const QFont& font) {
    const QFontMetrics metrics(font);
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return BaseUnits::FromLetters(letters, WindowsFontExtent(font).Height());
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
