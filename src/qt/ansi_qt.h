// The model's Windows-1252 texts as Qt strings, and a Qt document's text back
// in the model's form.
#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace kupongen::qt {

QString FromAnsi(std::string_view ansi);

// 8-bit text with every line break as CR LF. Qt keeps paragraphs apart with
// U+2029 (and single lines with '\n'), Windows edits with CR LF; characters
// Windows-1252 cannot hold become '?'.
std::string ToAnsiCrLf(const QString& text);

} // namespace kupongen::qt
