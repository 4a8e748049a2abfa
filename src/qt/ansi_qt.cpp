#include "ansi_qt.h"

#include "ansi_text.h"

namespace kupongen::qt {

QString FromAnsi(std::string_view ansi) {
    const std::string utf8 = AnsiToUtf8(ansi);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string ToAnsiCrLf(const QString& text) {
    QString crlf;
    crlf.reserve(text.size() + text.size() / 16);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            continue; // the '\n' brings the whole pair
        }
        if (c == u'\r' || c == u'\n' || c == QChar::ParagraphSeparator ||
            c == QChar::LineSeparator) {
            crlf += QStringLiteral("\r\n");
        } else {
            crlf += c;
        }
    }
    return Utf8ToAnsi(crlf.toStdString());
}

} // namespace kupongen::qt
