// The look of a Windows dialog: Qt's Windows style (or the style the user
// asked for), with check boxes and radio buttons as compact as the native
// ones, so the template's narrow items hold their captions.
#pragma once

#include <QProxyStyle>

namespace kupongen::qt {

class DialogStyle : public QProxyStyle {
    Q_OBJECT

public:
    // Takes ownership of base; nullptr means Qt's Windows style.
    explicit DialogStyle(QStyle* base = nullptr);

    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
};

} // namespace kupongen::qt
