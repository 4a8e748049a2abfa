#include "edit_lines.h"

#include "font_metrics.h"

#include <QByteArray>
#include <QEvent>
#include <QFontMetrics>
#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QRawFont>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace kupongen::qt {

namespace {

int Signed16(const QByteArray& table, int offset) {
    return static_cast<std::int16_t>((static_cast<unsigned char>(table[offset]) << 8) |
                                     static_cast<unsigned char>(table[offset + 1]));
}

// Windows' external leading: the hhea line gap less what the win metrics
// already reach beyond the hhea ones, never below zero.
int ExternalLeading(const QFont& font) {
    const QRawFont raw = QRawFont::fromFont(font);
    if (!raw.isValid() || raw.unitsPerEm() <= 0) {
        return std::max(0, QFontMetrics(font).leading());
    }
    const QByteArray hhea = raw.fontTable("hhea");
    const QByteArray os2 = raw.fontTable("OS/2");
    constexpr int kHheaEnd = 10;
    constexpr int kOs2End = 78;
    if (hhea.size() < kHheaEnd || os2.size() < kOs2End) {
        return std::max(0, QFontMetrics(font).leading());
    }
    const int ascender = Signed16(hhea, 4);
    const int descender = Signed16(hhea, 6);
    const int lineGap = Signed16(hhea, 8);
    const int winHeight = static_cast<std::uint16_t>(Signed16(os2, 74)) +
                          static_cast<std::uint16_t>(Signed16(os2, 76));
    const int units = std::max(0, lineGap - (winHeight - (ascender - descender)));
    return static_cast<int>(std::lround(units * raw.pixelSize() / raw.unitsPerEm()));
}

class WindowsLineLayout : public QPlainTextDocumentLayout {
public:
    explicit WindowsLineLayout(QTextDocument* document) : QPlainTextDocumentLayout(document) {}

    QRectF blockBoundingRect(const QTextBlock& block) const override {
        QRectF rect = QPlainTextDocumentLayout::blockBoundingRect(block);
        if (!block.isVisible()) {
            return rect;
        }
        // Qt lays the block out in its own spacing, also from places that
        // never come here; every reader of a line's place asks here first.
        const LineMetrics metrics = Metrics();
        QTextLayout* layout = block.layout();
        for (int i = 0; i < layout->lineCount(); ++i) {
            QTextLine line = layout->lineAt(i);
            line.setPosition(QPointF(line.x(), i * metrics.step + metrics.ascent - line.ascent()));
        }
        const qreal margin = block.next().isValid() ? 0 : document()->documentMargin();
        rect.setHeight(layout->lineCount() * metrics.step + margin);
        return rect;
    }

private:
    LineMetrics Metrics() const {
        const QFont font = document()->defaultFont();
        if (font != font_ || metrics_.step == 0) {
            font_ = font;
            metrics_ = WindowsLineMetrics(font);
        }
        return metrics_;
    }

    mutable QFont font_;
    mutable LineMetrics metrics_;
};

// Keeps the edit's font drawn without smoothing, whatever font it is given.
// Then the font's hinting for black and white runs, as in the native edit:
// Tahoma's descenders end a pixel higher and clear the accents below.
class BlackAndWhiteFont : public QObject {
public:
    explicit BlackAndWhiteFont(QWidget* edit) : QObject(edit) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* edit = static_cast<QWidget*>(watched);
        if (event->type() == QEvent::FontChange &&
            edit->font().styleStrategy() != QFont::NoAntialias) {
            QFont font = edit->font();
            font.setStyleStrategy(QFont::NoAntialias);
            edit->setFont(font);
        }
        return false;
    }
};

} // namespace

LineMetrics WindowsLineMetrics(const QFont& font) {
    const FontExtent extent = WindowsFontExtent(font);
    return {extent.Height() + ExternalLeading(font), extent.ascent};
}

void StepLinesAsWindows(QPlainTextEdit* edit) {
    auto* document = new QTextDocument(edit);
    document->setDocumentLayout(new WindowsLineLayout(document));
    edit->setDocument(document);
    edit->installEventFilter(new BlackAndWhiteFont(edit));
    QFont font = edit->font();
    font.setStyleStrategy(QFont::NoAntialias);
    edit->setFont(font);
}

} // namespace kupongen::qt
