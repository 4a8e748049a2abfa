#include "ansi_qt.h"

#include "ansi_text.h"

namespace kupongen::qt {

QString FromAnsi(std::string_view ansi) {
    const std::string utf8 = AnsiToUtf8(ansi);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string ToAnsiCrLf(const QString& text) {
    return Utf8ToAnsiCrLf(text.toStdString());
}

} // namespace kupongen::qt
