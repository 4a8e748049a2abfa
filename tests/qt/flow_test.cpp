// Whole presses through real clicks: single rows, Append, a system row; the
// check window beside them and the menu's mark.
#include "window_test_support.h"

#include "control_table.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>

using namespace kupongen;
using namespace kupongen::qt;
using namespace kupongen::qt::test;

namespace {

QStringList Lines(const MainDialog& dialog) {
    return Rows(dialog)->toPlainText().split(u'\n');
}

bool Reports(const std::string& report, const char* line) {
    return report.find(A(reinterpret_cast<const char8_t*>(line))) != std::string::npos;
}

} // namespace

class FlowTest : public QObject {
    Q_OBJECT

    TestSettings settings_;

private slots:
    void initTestCase() {
        SetUpApplicationOnce();
        QVERIFY(settings_.Install());
    }

    void singleRowPress() {
        MainDialog dialog;
        QVERIFY(ShowAndActivate(dialog));

        QVERIFY(Click(dialog, id::kEnkelrader));
        QVERIFY(Marked(dialog, id::kEnkelrader));
        QVERIFY(Shown(dialog, RowCountId(10)));
        QVERIFY(Shown(dialog, id::kCompatible));
        QVERIFY(Shown(dialog, id::kGenerate));
        QVERIFY(!Shown(dialog, kHalfCoverIds[3]));
        QCOMPARE(MirrorDifference(dialog), QString());

        QVERIFY(Click(dialog, RowCountId(10)));
        QVERIFY(Marked(dialog, RowCountId(10)));
        QVERIFY(!Marked(dialog, RowCountId(1)));
        QVERIFY(Click(dialog, id::kCompatible));
        QVERIFY(Shown(dialog, id::kStryktipset));
        QVERIFY(Shown(dialog, id::kAppend));
        QVERIFY(Click(dialog, SureBoxId(4, 1)));
        QVERIFY(!Shown(dialog, id::kSave));
        QVERIFY(Click(dialog, id::kGenerate));

        QCOMPARE(Status(dialog)->text(), QStringLiteral("ENKELRADS generering utförd."));
        QVERIFY(Shown(dialog, id::kSave));
        const QStringList lines = Lines(dialog);
        QCOMPARE(lines.size(), 11);
        QCOMPARE(lines[0], QStringLiteral("Stryktipset"));
        static const QRegularExpression row(QStringLiteral("^E(,[1X2]){3},X(,[1X2]){9}$"));
        for (int i = 1; i <= 10; ++i) {
            QVERIFY2(row.match(lines[i]).hasMatch(), qPrintable(lines[i]));
        }
        // The bytes the window holds are the model's: CR LF, no end break.
        const std::string bytes = RowsBytes(dialog);
        QCOMPARE(bytes.size(), std::size_t{11 + 10 * 29});
        QCOMPARE(bytes, dialog.Session().Model().Item(id::kRows)->text);
        QCOMPARE(MirrorDifference(dialog), QString());
    }

    void appendInsertsOnlyTheNewRows() {
        MainDialog dialog;
        QVERIFY(ShowAndActivate(dialog));
        QVERIFY(Click(dialog, id::kEnkelrader));
        QVERIFY(Click(dialog, RowCountId(5)));
        QVERIFY(Click(dialog, id::kCompatible));
        QVERIFY(Click(dialog, id::kAppend));
        QCOMPARE(Status(dialog)->text(), QStringLiteral("Nu läggs det till på slutet."));
        QVERIFY(Click(dialog, id::kGenerate));
        const QString first = Rows(dialog)->toPlainText();
        QCOMPARE(Lines(dialog).size(), 6);

        QSignalSpy changes(Rows(dialog)->document(), &QTextDocument::contentsChange);
        QVERIFY(Click(dialog, id::kGenerate));
        QCOMPARE(Lines(dialog).size(), 11);
        QVERIFY(Rows(dialog)->toPlainText().startsWith(first + u'\n'));
        QCOMPARE(Lines(dialog).count(QStringLiteral("Stryktipset")), 1);
        // One insertion at the end, nothing taken out.
        QCOMPARE(changes.size(), 1);
        QCOMPARE(changes[0][1].toInt(), 0);
        QVERIFY(changes[0][0].toInt() >= first.size());
        QCOMPARE(RowsBytes(dialog), dialog.Session().Model().Item(id::kRows)->text);
        // A new text is shown from its top, as the Windows edit does.
        QCOMPARE(Rows(dialog)->textCursor().position(), 0);
    }

    void pressWithoutAppendReplacesTheText() {
        MainDialog dialog;
        QVERIFY(ShowAndActivate(dialog));
        QVERIFY(Click(dialog, id::kEnkelrader));
        QVERIFY(Click(dialog, RowCountId(2)));
        QVERIFY(Click(dialog, id::kGenerate)); // table format
        QCOMPARE(Lines(dialog).size(), 16);
        QCOMPARE(RowsBytes(dialog).size(), std::size_t{301});
        QVERIFY(Click(dialog, id::kCompatible));
        QVERIFY(Click(dialog, id::kGenerate));
        QCOMPARE(Lines(dialog).size(), 3);
        QCOMPARE(RowsBytes(dialog).size(), std::size_t{69});
        QCOMPARE(MirrorDifference(dialog), QString());
    }

    void systemPress() {
        MainDialog dialog;
        QVERIFY(ShowAndActivate(dialog));
        QVERIFY(Click(dialog, id::kSystem));
        QVERIFY(Shown(dialog, kHalfCoverIds[2]));
        QVERIFY(Shown(dialog, kFullCoverIds[1]));
        QVERIFY(!Shown(dialog, RowCountId(10)));
        QVERIFY(!Shown(dialog, id::kCompatible));
        QVERIFY(Click(dialog, kHalfCoverIds[2]));
        QVERIFY(Click(dialog, kFullCoverIds[1]));
        QVERIFY(Marked(dialog, kFullCoverIds[1]));
        QVERIFY(!Marked(dialog, kFullCoverIds[0]));
        QVERIFY(Click(dialog, SureBoxId(5, 1)));
        QVERIFY(Click(dialog, id::kGenerate));

        QCOMPARE(Status(dialog)->text(), QStringLiteral("SYSTEM generering utförd."));
        const QStringList lines = Lines(dialog);
        QCOMPARE(lines.size(), 16);
        int half = 0;
        int full = 0;
        int single = 0;
        int match = 0;
        for (const QString& line : lines) {
            if (line == QStringLiteral(" ") + QString(23, u'-')) {
                continue;
            }
            ++match;
            const QString label = match <= 9 ? QStringLiteral(" Match %1:  ").arg(match)
                                             : QStringLiteral(" Match %1:").arg(match);
            QVERIFY2(line.startsWith(label), qPrintable(line));
            const QString cell = line.mid(label.size());
            if (match == 5) {
                QCOMPARE(cell, QStringLiteral(" X "));
            } else if (cell == QStringLiteral(" 1X ") || cell == QStringLiteral("   X2 ") ||
                       cell == QStringLiteral(" 1  2 ")) {
                ++half;
            } else if (cell == QStringLiteral(" 1X2 ")) {
                ++full;
            } else {
                QVERIFY2(cell == QStringLiteral(" 1 ") || cell == QStringLiteral(" X ") ||
                             cell == QStringLiteral(" 2 ") || cell == QStringLiteral("   X ") ||
                             cell == QStringLiteral("    2 "),
                         qPrintable(line));
                ++single;
            }
        }
        QCOMPARE(match, 13);
        QCOMPARE(half, 2);
        QCOMPARE(full, 1);
        QCOMPARE(single, 9);
        QCOMPARE(RowsBytes(dialog), dialog.Session().Model().Item(id::kRows)->text);
        QCOMPARE(MirrorDifference(dialog), QString());
    }

    void checkWindowChangesNothingInTheDialog() {
        using namespace rows::review_id;
        QTemporaryDir folder;
        const QString played = folder.filePath(QStringLiteral("spelade.txt"));
        QFile file(played);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Stryktipset\r\nE,1,1,1,1,1,1,1,1,1,1,1,1,X\r\ne,1,1,1,1,1,1,1,1,1,1,1,1,x");
        file.close();
        Prompts prompts = DefaultPrompts();
        prompts.chooseOpenPath = [&played](QWidget*) { return std::optional<QString>(played); };
        MainDialog dialog(prompts);
        QVERIFY(ShowAndActivate(dialog));
        QVERIFY(Click(dialog, id::kEnkelrader));
        QVERIFY(Click(dialog, RowCountId(5)));
        QVERIFY(Click(dialog, id::kCompatible));
        QVERIFY(Click(dialog, id::kAppend));
        QVERIFY(Click(dialog, id::kGenerate));
        // A hand edit not yet handed over: the check reads it as the model will.
        Rows(dialog)->moveCursor(QTextCursor::End);
        QTest::keyClick(Rows(dialog), Qt::Key_Return);
        Type(Rows(dialog), QStringLiteral("E,Y"));
        const std::string typed = RowsBytes(dialog);

        CheckWindow* check = OpenCheckWindow(dialog, id::kMenuCheckRows);
        QVERIFY(check != nullptr);
        QCOMPARE(dialog.Session().Model().Item(id::kRows)->text, typed);
        QVERIFY(Reports(check->Review().CheckReport(), "Enkelrader: 5"));
        QVERIFY(Reports(check->Review().CheckReport(), "Ogiltiga rader: 1"));
        QCOMPARE(QApplication::focusWidget(), check->Item(kCheckReport));
        QCOMPARE(ReviewMirrorDifference(*check), QString());
        const auto before = Revisions(dialog);

        // Every act of the window: a typed result, a sign box, a file, the
        // rows window again, Stäng.
        auto* result = qobject_cast<QLineEdit*>(check->Item(kTyped));
        result->setFocus();
        Type(result, QStringLiteral("1111111111111"));
        QCOMPARE(ReviewMirrorDifference(*check), QString());
        QTest::mouseClick(check->Item(rows::ReviewSignBoxId(13, 1)), Qt::LeftButton, Qt::NoModifier,
                          QPoint(6, 5));
        QCOMPARE(result->text(), QStringLiteral("111111111111X"));
        QTest::mouseClick(check->Item(kOpenFile), Qt::LeftButton);
        QVERIFY(Reports(check->Review().CheckReport(), "Kontroll av spelade.txt"));
        QVERIFY(Reports(check->Review().CheckReport(), "Upprepade enkelrader: 1"));
        QVERIFY(Reports(check->Review().GradeReport(), "13 rätt: 2 rader"));
        QCOMPARE(ReviewMirrorDifference(*check), QString());
        QTest::mouseClick(check->Item(kReadAgain), Qt::LeftButton);
        QVERIFY(Reports(check->Review().CheckReport(), "Kontroll av raderna i fönstret"));
        QTest::mouseClick(check->Item(kClose), Qt::LeftButton);
        QVERIFY(!check->isVisible());

        QVERIFY(Revisions(dialog) == before);
        QCOMPARE(RowsBytes(dialog), typed);
        QVERIFY(Marked(dialog, id::kAppend));
        QCOMPARE(MirrorDifference(dialog), QString());
    }

    void menuMarkIsAlwaysTheModels() {
        MainDialog dialog;
        QVERIFY(ShowAndActivate(dialog));
        const auto on = [&dialog] {
            return dialog.Session().Model().MenuState(id::kMenuDistinct)->checked;
        };
        // A choice, a program's setChecked, the model's own change.
        Choose(dialog, id::kMenuDistinct);
        QVERIFY(on() && DistinctMarkIsTheModels(dialog));
        dialog.MenuAction(id::kMenuDistinct)->setChecked(false);
        QCoreApplication::processEvents();
        QVERIFY(!on() && DistinctMarkIsTheModels(dialog));
        QCOMPARE(Status(dialog)->text(), QStringLiteral("Unika rader: av."));
        dialog.Session().Notify(id::kMenuDistinct, 1);
        dialog.Mirror();
        QVERIFY(on() && DistinctMarkIsTheModels(dialog));
        // Once the window is closed the model takes no choice, and the mark
        // Qt set is taken back.
        dialog.Session().Close();
        Choose(dialog, id::kMenuDistinct);
        QVERIFY(on() && DistinctMarkIsTheModels(dialog));
    }

    void instructionsReplaceTheRows() {
        MainDialog dialog;
        QVERIFY(ShowAndActivate(dialog));
        QVERIFY(Click(dialog, id::kInstructions));
        QVERIFY(Rows(dialog)->toPlainText().startsWith(
            QStringLiteral("Så har anvander du detta program:\n")));
        QCOMPARE(Status(dialog)->text(), QStringLiteral("Instruktioner visas i fönstret."));
        QCOMPARE(MirrorDifference(dialog), QString());
    }
};

QTEST_MAIN(FlowTest)
#include "flow_test.moc"
