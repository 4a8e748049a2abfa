// The window's geometry: dialog units to pixels by the Windows rule from the
// dialog font, every item where the template puts it, no caption cut, and
// the controls of a group inside its frame.
#include "layout_support.h"
#include "window_test_support.h"

#include "edit_lines.h"

#include <QFontInfo>
#include <QImage>
#include <QMenuBar>
#include <QTextBlock>

#include <algorithm>
#include <cstdlib>
#include <utility>

using namespace kupongen;
using namespace kupongen::qt;
using namespace kupongen::qt::test;

namespace {

// One letter with its origin a fraction of a pixel right of column 4.
QImage DrawnLetter(const QFont& font, QChar letter, qreal fraction) {
    const QFontMetrics metrics(font);
    return DrawnText(font, QString(letter), QSize(4 * metrics.height(), metrics.height() + 8),
                     QPointF(4 + fraction, 4 + metrics.ascent()));
}

// The first pixel row of each run of rows with dark ink, on any background.
QList<int> InkedLineTops(const QImage& image) {
    const QImage gray = image.convertToFormat(QImage::Format_Grayscale8);
    QList<int> tops;
    bool previous = false;
    for (int y = 0; y < gray.height(); ++y) {
        const uchar* row = gray.constScanLine(y);
        const bool inked =
            std::any_of(row, row + gray.width(), [](uchar value) { return value < 0x80; });
        if (inked && !previous) {
            tops.append(y);
        }
        previous = inked;
    }
    return tops;
}

// Checks that every control a group box frames stands within its two etched
// lines, the edits as the frame's own children; returns how many.
int ItemsInsideFrames(const TemplateWindow& window) {
    int inside = 0;
    const DialogItems items = window.Template();
    for (std::size_t g = 0; g < items.size(); ++g) {
        auto* frame = qobject_cast<GroupFrame*>(window.Items()[g]);
        if (frame == nullptr) {
            continue;
        }
        const QRect lines = frame->FrameRect().translated(frame->pos());
        const QRect room = lines.adjusted(2, 2, -2, -2);
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (i == g || !Contains(items[g], items[i])) {
                continue;
            }
            ++inside;
            const bool edit = items[i].kind == ItemKind::Edit;
            if (!room.contains(PlacedRect(window, i)) ||
                (window.Items()[i]->parentWidget() == frame) != edit) {
                qWarning("%s is not inside its frame", qPrintable(window.Items()[i]->objectName()));
                return -1;
            }
        }
    }
    return inside;
}

} // namespace

class LayoutTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { SetUpApplicationOnce(); }

    void baseUnitsFollowTheDialogFont() {
        MainDialog dialog;
        const QFontMetrics metrics(dialog.font());
        const int letters = metrics.horizontalAdvance(
            QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
        QCOMPARE(dialog.Units().Base().x, (letters / 26 + 1) / 2);
        QVERIFY(dialog.Units().Base().y >= metrics.ascent() + metrics.descent());
    }

    void tahomaNinePointGivesSevenByFourteen() {
        MainDialog dialog;
        if (QFontInfo(dialog.font()).family() != QStringLiteral("Tahoma")) {
            QSKIP("Tahoma is not installed (Debian: fonts-wine)");
        }
        QCOMPARE(QFontInfo(dialog.font()).pixelSize(), 12);
        QCOMPARE(dialog.Units().Base().x, 7);
        QCOMPARE(dialog.Units().Base().y, 14);
        // 490 x 280 units, and the rows window at 185, 73, 232 x 200 units.
        QCOMPARE(dialog.ClientArea().size(), QSize(858, 490));
        QCOMPARE(dialog.Control(id::kRows)->geometry(),
                 QRect(324, 128, 406, 350).translated(dialog.ClientArea().topLeft()));
        // Tahoma fits every caption at its own size.
        for (QWidget* item : dialog.Items()) {
            QCOMPARE(QFontInfo(item->font()).pixelSize(), 12);
        }
    }

    void everyItemWhereTheTemplatePutsIt() {
        MainDialog dialog;
        QCOMPARE(dialog.Items().size(), kDialogItems.size());
        for (std::size_t i = 0; i < kDialogItems.size(); ++i) {
            QCOMPARE(dialog.Items()[i]->geometry(), TemplateRect(dialog, i));
        }
        // The client area is the template's; the menu bar above it is all
        // the window grows by.
        QCOMPARE(dialog.ClientArea().size(), ToQRect(dialog.Units().Window()).size());
        QVERIFY(dialog.ClientArea().top() >= QFontMetrics(dialog.MenuBar()->font()).height());
        QCOMPARE(dialog.MenuBar()->geometry(),
                 QRect(0, 0, dialog.width(), dialog.ClientArea().top()));
        QCOMPARE(dialog.size(), dialog.ClientArea().size() + QSize(0, dialog.ClientArea().top()));
    }

    void noCaptionIsCut() {
        MainDialog dialog;
        QVERIFY(ShowAndActivate(dialog));
        for (QWidget* item : dialog.Items()) {
            const QString clipping = CaptionClipping(item);
            QVERIFY2(clipping.isEmpty(),
                     qPrintable(item->objectName() + QStringLiteral(": ") + clipping));
        }
    }

    void groupControlsStayInsideTheFrame() {
        MainDialog dialog;
        QCOMPARE(ItemsInsideFrames(dialog), 2 + 3 + 14 + 14 + 30 + 1 + 39 + 13);
    }

    void checkWindowByItsTemplate() {
        MainDialog dialog;
        QVERIFY(ShowAndActivate(dialog));
        CheckWindow* check = OpenCheckWindow(dialog, id::kMenuCheckRows);
        QVERIFY(check != nullptr);
        QCOMPARE(check->Units().Base().x, dialog.Units().Base().x);
        QCOMPARE(check->Units().Base().y, dialog.Units().Base().y);
        QCOMPARE(check->Items().size(), rows::kReviewItems.size());
        QCOMPARE(check->ClientArea(), ToQRect(check->Units().Rect(0, 0, rows::kReviewWindow.width,
                                                                  rows::kReviewWindow.height)));
        QCOMPARE(check->size(), check->ClientArea().size());
        for (std::size_t i = 0; i < rows::kReviewItems.size(); ++i) {
            QCOMPARE(PlacedRect(*check, i), TemplateRect(*check, i));
            const QString clipping = CaptionClipping(check->Items()[i]);
            QVERIFY2(clipping.isEmpty(), qPrintable(clipping));
        }
        // The sign boxes, the match labels, the result's line and labels, the
        // two reports and the chart.
        QCOMPARE(ItemsInsideFrames(*check), 39 + 13 + 3 + 1 + 2);
        // The longest refusal under the result's line is whole too.
        check->Item(rows::review_id::kTyped)->setFocus();
        QTest::keyClicks(check->Item(rows::review_id::kTyped), QStringLiteral("1X2X2X2X2X2X2X"));
        QVERIFY(check->Review().ResultStatus().size() > 60);
        const QString clipping = CaptionClipping(check->Item(rows::review_id::kResultStatus));
        QVERIFY2(clipping.isEmpty(), qPrintable(clipping));
    }

    void chartBarsScaleToTheLargestCount() {
        MainDialog dialog;
        QVERIFY(ShowAndActivate(dialog));
        // Two rows with 13 right and one with 12.
        dialog.Session().TypeRowsText("Stryktipset\r\nE,1,1,1,1,1,1,1,1,1,1,1,1,1\r\n"
                                      "E,1,1,1,1,1,1,1,1,1,1,1,1,1\r\nE,1,1,1,1,1,1,1,1,1,1,1,1,2");
        dialog.Mirror();
        CheckWindow* check = OpenCheckWindow(dialog, id::kMenuGradeRows);
        QVERIFY(check != nullptr);
        check->Item(rows::review_id::kTyped)->setFocus();
        QTest::keyClicks(check->Item(rows::review_id::kTyped), QStringLiteral("1111111111111"));
        QWidget* chart = check->Item(rows::review_id::kChart);
        const QImage bars = chart->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QRgb highlight = chart->palette().color(QPalette::Highlight).rgb();
        // The longest run of the bars' colour in each pixel row, top down.
        QList<int> lengths;
        for (int y = 0; y < bars.height(); ++y) {
            int run = 0;
            int longest = 0;
            for (int x = 0; x < bars.width(); ++x) {
                run = bars.pixel(x, y) == highlight ? run + 1 : 0;
                longest = std::max(longest, run);
            }
            if (longest > 0 && (lengths.isEmpty() || lengths.constLast() != longest)) {
                lengths.append(longest);
            }
        }
        QCOMPARE(lengths.size(), 2);
        QVERIFY(lengths[0] > chart->width() / 3);
        QVERIFY(std::abs(lengths[0] - 2 * lengths[1]) <= 2);
    }

    void swedishLettersSitOnTheirLetters() {
        // A line of text puts its letters at fractions of a pixel. Drawn on
        // whole pixels, as Windows draws them, every å of the info panel
        // looks the same, its ring centred over the a.
        MainDialog dialog;
        const QFont fonts[] = {Info(dialog)->font(), Rows(dialog)->font(), QApplication::font()};
        const std::pair<QChar, QChar> letters[] = {{u'a', u'å'}, {u'a', u'ä'}, {u'o', u'ö'},
                                                   {u'A', u'Å'}, {u'A', u'Ä'}, {u'O', u'Ö'}};
        for (const QFont& font : fonts) {
            for (const auto& [plain, marked] : letters) {
                const QByteArray what = (QFontInfo(font).family() + u' ' + marked).toUtf8();
                const QImage drawn = DrawnLetter(font, marked, 0);
                for (const qreal fraction : {0.25, 0.5, 0.75}) {
                    QVERIFY2(DrawnLetter(font, marked, fraction) == drawn, what.constData());
                }
                // The ring or dots: the ink above the plain letter's top.
                const QImage base = DrawnLetter(font, plain, 0);
                const QRect letter = InkIn(base, base.rect());
                const QRect mark = InkIn(drawn, QRect(0, 0, drawn.width(), letter.top()));
                QVERIFY2(!mark.isEmpty() && mark.left() >= letter.left() &&
                             mark.right() <= letter.right(),
                         what.constData());
                QVERIFY2(
                    std::abs((mark.left() - letter.left()) - (letter.right() - mark.right())) <= 1,
                    what.constData());
            }
        }
    }

    void editLinesStepAsTheNativeEdit() {
        // Run at scale 1 and, as kupongen_window_layout_test_scale2, at 2.
        MainDialog dialog;
        QVERIFY(ShowAndActivate(dialog));
        for (QPlainTextEdit* edit : {Info(dialog), Rows(dialog)}) {
            const QByteArray what = edit->objectName().toUtf8();
            const int step = WindowsLineMetrics(edit->font()).step;
            if (QFontInfo(edit->font()).family() == QStringLiteral("Tahoma")) {
                QCOMPARE(step, 14);
            }
            QVERIFY2(step >= QFontMetrics(edit->font()).height(), what.constData());
            // Rings of å under descenders of y, as "kryss" over "tvåor" in
            // the info panel: each line's ink stands clear of the next's.
            edit->setPlainText(QStringLiteral("yyyyyy\n\u00e5\u00e5\u00e5\u00e5\u00e5\u00e5\n"
                                              "yyyyyy\n\u00e5\u00e5\u00e5\u00e5\u00e5\u00e5"));
            for (int line = 1; line < 4; ++line) {
                QTextCursor cursor(edit->document()->findBlockByNumber(line));
                QCOMPARE(edit->cursorRect(cursor).top() -
                             edit->cursorRect(QTextCursor(cursor.block().previous())).top(),
                         step);
            }
            edit->moveCursor(QTextCursor::End);
            const QImage shown = edit->viewport()->grab().toImage();
            const int scale = std::max(1, qEnvironmentVariableIntValue("QT_SCALE_FACTOR"));
            QCOMPARE(qRound(shown.devicePixelRatio()), scale);
            const QList<int> tops = InkedLineTops(shown);
            QVERIFY2(tops.size() == 4, what.constData());
            QCOMPARE(tops[2] - tops[0], 2 * step * scale);
            QCOMPARE(tops[3] - tops[1], 2 * step * scale);
        }
    }

    void groupCaptionSitsOnTheTopLine() {
        MainDialog dialog;
        for (QWidget* item : dialog.Items()) {
            if (auto* frame = qobject_cast<GroupFrame*>(item)) {
                const QRect caption = frame->CaptionRect();
                QVERIFY(caption.top() < frame->FrameRect().top());
                QVERIFY(caption.bottom() > frame->FrameRect().top());
            }
        }
    }
};

QTEST_MAIN(LayoutTest)
#include "layout_test.moc"
