#include "dialog_font.h"

#include "dialog_template.h"

#include <QFile>
#include <QFontDatabase>
#include <QStringList>

namespace kupongen::qt {

namespace {

QString TemplateFace() {
    return QString::fromLatin1(kDialogWindow.fontFace.data(),
                               static_cast<qsizetype>(kDialogWindow.fontFace.size()));
}

} // namespace

void HintToWholePixels(QFont& font) {
    font.setHintingPreference(QFont::PreferFullHinting);
}

void RegisterDialogFont() {
    if (QFontDatabase::families().contains(TemplateFace(), Qt::CaseInsensitive)) {
        return;
    }
    // Debian's fonts-wine, and Wine installed from source.
    static const char* const kFiles[] = {
        "/usr/share/wine/fonts/tahoma.ttf",
        "/usr/local/share/wine/fonts/tahoma.ttf",
    };
    for (const char* file : kFiles) {
        if (QFile::exists(QString::fromLatin1(file)) &&
            QFontDatabase::addApplicationFont(QString::fromLatin1(file)) >= 0) {
            return;
        }
    }
}

QFont DialogFont() {
    QFont font(TemplateFace());
    // Narrow faces first: the template's captions were measured in Tahoma.
    font.setFamilies({TemplateFace(), QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                      QStringLiteral("Arial"), QStringLiteral("Nimbus Sans"),
                      QStringLiteral("Helvetica")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(kDialogWindow.fontPointSize);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    HintToWholePixels(font);
    return font;
}

} // namespace kupongen::qt
