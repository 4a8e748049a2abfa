// The dialog's keyboard: Tab order, Space and Enter on push buttons, Escape
// and Enter elsewhere, and closing.
#include "window_test_support.h"

#include "control_table.h"

#include <QPushButton>

#include <array>
#include <cstdint>

using namespace kupongen;
using namespace kupongen::qt;
using namespace kupongen::qt::test;

namespace {

std::array<std::uint64_t, kControlCount> Revisions(MainDialog& dialog) {
    std::array<std::uint64_t, kControlCount> revisions{};
    const auto& controls = dialog.Session().Model().Controls();
    for (std::size_t i = 0; i < controls.size(); ++i) {
        revisions[i] = controls[i].revision;
    }
    return revisions;
}

QString FocusName() {
    return QApplication::focusWidget() != nullptr ? QApplication::focusWidget()->objectName()
                                                  : QString();
}

QString Name(int controlId) {
    return QStringLiteral("control%1").arg(controlId);
}

int CheckedSureBoxes(MainDialog& dialog) {
    int count = 0;
    for (int i = 0; i < kSureBoxCount; ++i) {
        count += dialog.Session().Model().Item(kFirstSureBoxId + i)->checked ? 1 : 0;
    }
    return count;
}

} // namespace

class KeyboardTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { SetUpApplicationOnce(); }

    void tabVisitsTheShownTabStopsInOrder() {
        MainDialog dialog;
        QVERIFY(ShowAndActivate(dialog));
        QCOMPARE(FocusName(), Name(id::kRows));
        // Generate and Save are hidden at start, so Tab passes them by.
        const QList<int> order = {id::kInstructions, id::kRandomSure, id::kStatus, id::kInfoPanel,
                                  id::kRows};
        for (const int next : order) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(FocusName(), Name(next));
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(FocusName(), Name(id::kInfoPanel));
    }

    void tabOrderWithAllFourButtons() {
        MainDialog dialog;
        QVERIFY(ShowAndActivate(dialog));
        QVERIFY(Click(dialog, id::kEnkelrader));
        QVERIFY(Click(dialog, id::kGenerate)); // shows Save
        Rows(dialog)->setFocus();
        const QList<int> order = {id::kGenerate, id::kSave,      id::kInstructions, id::kRandomSure,
                                  id::kStatus,   id::kInfoPanel, id::kRows};
        for (const int next : order) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(FocusName(), Name(next));
        }
    }

    void spaceAndEnterPressAFocusedButton() {
        MainDialog dialog;
        QVERIFY(ShowAndActivate(dialog));
        dialog.Control(id::kInstructions)->setFocus();
        QTest::keyClick(dialog.Control(id::kInstructions), Qt::Key_Space);
        QVERIFY(Rows(dialog)->toPlainText().startsWith(QStringLiteral("Så har anvander du")));

        dialog.Control(id::kRandomSure)->setFocus();
        QTest::keyClick(dialog.Control(id::kRandomSure), Qt::Key_Return);
        QCOMPARE(CheckedSureBoxes(dialog), 1);
        QTest::keyClick(dialog.Control(id::kRandomSure), Qt::Key_Enter);
        QCOMPARE(CheckedSureBoxes(dialog), 2);
        QCOMPARE(MirrorDifference(dialog), QString());
        // No button is the default once the focus has left it.
        Rows(dialog)->setFocus();
        for (const int button : {id::kGenerate, id::kSave, id::kInstructions, id::kRandomSure}) {
            QVERIFY(!qobject_cast<QPushButton*>(dialog.Control(button))->isDefault());
        }
    }

    void escapeNeverCloses() {
        MainDialog dialog;
        QVERIFY(ShowAndActivate(dialog));
        const auto before = Revisions(dialog);
        for (const int controlId : {id::kRows, id::kStatus, id::kInfoPanel, id::kInstructions}) {
            dialog.Control(controlId)->setFocus();
            QTest::keyClick(dialog.Control(controlId), Qt::Key_Escape);
            QVERIFY(dialog.isVisible());
        }
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(dialog.isVisible());
        QVERIFY(dialog.Session().IsOpen());
        QVERIFY(Revisions(dialog) == before);
    }

    void enterDoesNothingInStatusAndInfo() {
        MainDialog dialog;
        QVERIFY(ShowAndActivate(dialog));
        const auto before = Revisions(dialog);
        const QString info = Info(dialog)->toPlainText();
        for (const int controlId : {id::kStatus, id::kInfoPanel}) {
            dialog.Control(controlId)->setFocus();
            QTest::keyClick(dialog.Control(controlId), Qt::Key_Return);
            QTest::keyClick(dialog.Control(controlId), Qt::Key_Enter);
        }
        QCOMPARE(Status(dialog)->text(), QStringLiteral("Här visas status och varningar!"));
        QCOMPARE(Info(dialog)->toPlainText(), info);
        QVERIFY(dialog.isVisible());
        QVERIFY(Revisions(dialog) == before);
        QCOMPARE(MirrorDifference(dialog), QString());
    }

    void enterStartsANewLineInTheRowsWindow() {
        MainDialog dialog;
        QVERIFY(ShowAndActivate(dialog));
        QPlainTextEdit* rows = Rows(dialog);
        rows->setFocus();
        QTest::keyClick(rows, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClick(rows, Qt::Key_Return);
        Type(rows, QStringLiteral("ny"));
        QCOMPARE(rows->toPlainText(), QStringLiteral("Här kommer dina rader visas!\nny"));
        QCOMPARE(RowsBytes(dialog), Ansi("Här kommer dina rader visas!\r\nny"));
        QVERIFY(dialog.isVisible());
    }

    void closingEndsTheLoopWithZeroAndNoQuestion() {
        bool questioned = false;
        QTimer watch;
        connect(&watch, &QTimer::timeout, this, [&questioned] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                questioned = true;
                modal->close();
            }
        });
        watch.start(20);
        // The program's own loop: close its window once it is up, after rows
        // were generated and edited.
        QTimer::singleShot(0, this, [] {
            for (QWidget* window : QApplication::topLevelWidgets()) {
                if (auto* dialog = qobject_cast<MainDialog*>(window)) {
                    Click(*dialog, id::kEnkelrader);
                    Click(*dialog, id::kGenerate);
                    Type(Rows(*dialog), QStringLiteral("edit"));
                    dialog->close();
                }
            }
        });
        const int code = RunDialog();
        QCOMPARE(code, 0);
        QVERIFY(!questioned);
    }
};

QTEST_MAIN(KeyboardTest)
#include "keyboard_test.moc"
