// Lines of a multi-line edit set as a Windows edit control sets them: one
// step of the font's full height (tmHeight plus external leading) per line,
// the baseline the font's Windows ascent below the line's top. Qt would step
// by the typographic height, which for Tahoma is two pixels less and lets
// the ring of å touch the line above.
#pragma once

class QFont;
class QPlainTextEdit;

namespace kupongen::qt {

struct LineMetrics {
    int step = 0;
    int ascent = 0;
};

// The line step and baseline of a Windows edit for a font, from its OS/2 and
// hhea tables; from Qt's metrics for a font without them.
LineMetrics WindowsLineMetrics(const QFont& font);

// Lays out the edit's lines by WindowsLineMetrics of its font, also after a
// change of font, and draws any font it is given in black and white.
void StepLinesAsWindows(QPlainTextEdit* edit);

} // namespace kupongen::qt
