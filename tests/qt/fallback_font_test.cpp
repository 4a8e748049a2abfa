// The window without Tahoma: laid out from whatever sans-serif stands in,
// still by the template, still with no caption cut.
#include "layout_support.h"
#include "window_test_support.h"

#include "dialog_style.h"

#include <QFontDatabase>
#include <QFontInfo>

using namespace kupongen;
using namespace kupongen::qt;
using namespace kupongen::qt::test;

class FallbackFontTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        if (QFontDatabase::families().contains(QStringLiteral("Tahoma"), Qt::CaseInsensitive)) {
            QSKIP("Tahoma is installed system-wide");
        }
        // The program's setup without registering Tahoma.
        QApplication::setStyle(new DialogStyle);
    }

    void layoutAndCaptions() {
        MainDialog dialog;
        QVERIFY(QFontInfo(dialog.font()).family() != QStringLiteral("Tahoma"));
        QVERIFY(ShowAndActivate(dialog));
        for (std::size_t i = 0; i < kDialogItems.size(); ++i) {
            QWidget* item = dialog.Items()[i];
            QCOMPARE(item->geometry(), TemplateRect(dialog, i));
            const QString clipping = CaptionClipping(item);
            QVERIFY2(clipping.isEmpty(),
                     qPrintable(item->objectName() + QStringLiteral(": ") + clipping));
        }
    }
};

QTEST_MAIN(FallbackFontTest)
#include "fallback_font_test.moc"
