// The dialog's keyboard: Tab from group to group, the arrow keys inside a
// group, Space and Enter on push buttons, Escape and Enter elsewhere, a whole
// session without the mouse, the menu and the check window, and closing.
#include "window_test_support.h"

#include "control_table.h"
#include "generation.h"
#include "random_mersenne.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>

using namespace kupongen;
using namespace kupongen::qt;
using namespace kupongen::qt::test;

namespace {

QString FocusName() {
    return QApplication::focusWidget() != nullptr ? QApplication::focusWidget()->objectName()
                                                  : QString();
}

QString Name(int controlId) {
    return QStringLiteral("control%1").arg(controlId);
}

// Presses a key on the focused widget again and again; the ids the focus
// moves to, one per press.
QList<int> Keys(Qt::Key key, qsizetype presses) {
    QList<int> visited;
    for (qsizetype press = 0; press < presses; ++press) {
        QTest::keyClick(QApplication::focusWidget(), key);
        QString name = FocusName();
        visited.append(name.remove(QStringLiteral("control")).toInt());
    }
    return visited;
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

    TestSettings settings_;

private slots:
    void initTestCase() {
        SetUpApplicationOnce();
        QVERIFY(settings_.Install());
    }

    void tabVisitsTheShownTabStopsInOrder() {
        MainDialog dialog;
        QVERIFY(ShowAndActivate(dialog));
        QCOMPARE(FocusName(), Name(id::kRows));
        // Generate and Save are hidden at start, and so are the cover,
        // row-count and format groups, so Tab passes them by.
        const QList<int> order = {id::kInstructions, id::kRandomSure, id::kStatus,
                                  id::kInfoPanel,    id::kSystem,     id::kClassic,
                                  kFirstSureBoxId,   id::kRows};
        QCOMPARE(Keys(Qt::Key_Tab, order.size()), order);
        QCOMPARE(Keys(Qt::Key_Backtab, 2), QList<int>({kFirstSureBoxId, id::kClassic}));
    }

    void tabOrderWithAllFourButtons() {
        MainDialog dialog;
        QVERIFY(ShowAndActivate(dialog));
        QVERIFY(Click(dialog, id::kEnkelrader));
        QVERIFY(Click(dialog, 1049));          // "10"
        QVERIFY(Click(dialog, id::kGenerate)); // shows Save
        Rows(dialog)->setFocus();
        // A group of radio buttons is entered at its marked button.
        const QList<int> order = {id::kGenerate,   id::kSave,       id::kInstructions,
                                  id::kRandomSure, id::kStatus,     id::kInfoPanel,
                                  id::kSystem,     id::kClassic,    1049,
                                  id::kCompatible, kFirstSureBoxId, id::kRows};
        QCOMPARE(Keys(Qt::Key_Tab, order.size()), order);
    }

    void arrowsGoRoundTheGroupAndClickRadioButtons() {
        MainDialog dialog;
        QVERIFY(ShowAndActivate(dialog));
        dialog.Control(id::kSystem)->setFocus();
        // Check boxes only take the focus; the frame after them is passed by.
        QCOMPARE(Keys(Qt::Key_Right, 2), QList<int>({id::kEnkelrader, id::kSystem}));
        QVERIFY(!Marked(dialog, id::kEnkelrader) && !Marked(dialog, id::kSystem));
        QCOMPARE(Keys(Qt::Key_Left, 1), QList<int>({id::kEnkelrader}));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QVERIFY(Marked(dialog, id::kEnkelrader));
        QCOMPARE(Status(dialog)->text(), QStringLiteral("Du har valt : Enkelrader"));

        // A radio button reached by an arrow key is clicked: handler and message.
        dialog.Control(1040)->setFocus();
        QCOMPARE(Keys(Qt::Key_Down, 2), QList<int>({1041, 1042}));
        QVERIFY(Marked(dialog, 1042) && !Marked(dialog, 1040) && !Marked(dialog, 1041));
        QCOMPARE(Status(dialog)->text(), QStringLiteral("3 enkelrader vald."));
        QCOMPARE(kupongen::antal_enkelrader, 3);
        // Round the group.
        QCOMPARE(Keys(Qt::Key_Up, 3), QList<int>({1041, 1040, 1113}));
        QCOMPARE(Status(dialog)->text(), QStringLiteral("256 enkelrader vald."));
        QVERIFY2(Marked(dialog, kHalfCoverIds[0]), "the hidden group keeps its mark");
        QCOMPARE(MirrorDifference(dialog), QString());
    }

    void keyboardOnlyFromStartUp() {
        // Single rows, 10 of them, in the compatible format, saved, with keys
        // alone from the moment the window opens.
        kupongen::rg.RandomInit(1);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("rader"));
        MainDialog dialog;
        QVERIFY(ShowAndActivate(dialog));
        QCOMPARE(FocusName(), Name(id::kRows));
        Keys(Qt::Key_Tab, 4);   // Instruktioner, SLUMPA, status, info
        Keys(Qt::Key_Tab, 1);   // SYSTEM
        Keys(Qt::Key_Right, 1); // ENKELRADER
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(Keys(Qt::Key_Tab, 2), QList<int>({id::kClassic, 1040}));
        Keys(Qt::Key_Right, 9); // "2" to "10"
        QCOMPARE(FocusName(), Name(1049));
        QCOMPARE(Keys(Qt::Key_Tab, 1), QList<int>({id::kCompatible}));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(Keys(Qt::Key_Tab, 3), QList<int>({kFirstSureBoxId, id::kRows, id::kGenerate}));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(Status(dialog)->text(), QStringLiteral("ENKELRADS generering utförd."));
        QCOMPARE(Keys(Qt::Key_Tab, 1), QList<int>({id::kSave}));

        // The save dialog opens in the current folder; a bare name keeps Qt's
        // completer closed.
        const QString started = QDir::currentPath();
        QDir::setCurrent(folder.path());
        bool typed = false;
        WhenModalOpens<QFileDialog>([&](QFileDialog* save) {
            // The name field has the focus once the dialog takes the keyboard.
            QApplication::setActiveWindow(save);
            QVERIFY(QTest::qWaitForWindowActive(save));
            QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("fileNameEdit"));
            QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("rader"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            typed = true;
        });
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QDir::setCurrent(started);
        QVERIFY(typed);
        QCOMPARE(SavedTenRowsDifference(dialog, path + QStringLiteral(".txt")), QString());
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

    void menuByAltVAndF10() {
        MainDialog dialog;
        // Alt+V opens Verktyg at its first item, F10 at its title; Return
        // and the access key choose.
        const QList<QList<Qt::Key>> ways = {
            {Qt::Key_Return}, {Qt::Key_U}, {Qt::Key_Down, Qt::Key_Return}};
        for (qsizetype way = 0; way < ways.size(); ++way) {
            // The offscreen platform has no desktop to give the window the
            // keyboard back once a menu has closed.
            QVERIFY(ShowAndActivate(dialog));
            const bool on = !dialog.Session().Model().MenuState(id::kMenuDistinct)->checked;
            if (way < 2) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::AltModifier);
            } else {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_F10);
            }
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu != nullptr);
            QCOMPARE(menu->title(), QStringLiteral("&Verktyg"));
            for (const Qt::Key key : ways[way]) {
                QTest::keyClick(menu, key);
            }
            QTRY_COMPARE(dialog.Session().Model().MenuState(id::kMenuDistinct)->checked, on);
            QVERIFY(DistinctMarkIsTheModels(dialog));
            QVERIFY(QApplication::activePopupWidget() == nullptr);
        }
        QVERIFY(ShowAndActivate(dialog));
        QCOMPARE(FocusName(), Name(id::kRows));
    }

    void checkWindowByKeysAlone() {
        MainDialog dialog;
        QVERIFY(ShowAndActivate(dialog));
        CheckWindow* check = OpenCheckWindow(dialog, id::kMenuGradeRows);
        QVERIFY(check != nullptr);
        QCOMPARE(FocusName(), Name(rows::ReviewSignBoxId(1, 0)));
        // The arrows go through all 39 sign boxes and round, as in the sure
        // grid; Space sets a sign and opens the match again.
        QList<int> boxes;
        for (int box = 1; box <= 3 * 13; ++box) {
            boxes.append(rows::review_id::kFirstSignBox + box % 39);
        }
        QCOMPARE(Keys(Qt::Key_Down, 39), boxes);
        QCOMPARE(Keys(Qt::Key_Up, 1), QList<int>({rows::ReviewSignBoxId(13, 2)}));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(check->Review().Sign(13), rows::kTwo);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(check->Review().Sign(13), rows::SignSet{0});
        // Tab leaves the group for the result line, then the reports, the
        // chart, the buttons and back.
        using namespace rows::review_id;
        QCOMPARE(Keys(Qt::Key_Tab, 8), QList<int>({kTyped, kCheckReport, kGradeReport, kChart,
                                                   kClose, kReadAgain, kOpenFile, kFirstSignBox}));
        QCOMPARE(Keys(Qt::Key_Backtab, 1), QList<int>({kOpenFile}));
        // The result typed whole: every box shows its sign.
        check->Item(kTyped)->setFocus();
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("1x21X21X21X21"));
        QCOMPARE(check->Review().Sign(2), rows::kCross);
        QCOMPARE(ReviewMirrorDifference(*check), QString());

        // Escape closes the window from every kind of item, and the keyboard
        // goes back to the main window.
        for (const int item : {kTyped, kGradeReport, kChart, rows::ReviewSignBoxId(5, 1), kClose}) {
            QCOMPARE(OpenCheckWindow(dialog, id::kMenuCheckRows), check);
            check->Item(item)->setFocus();
            QTest::keyClick(check->Item(item), Qt::Key_Escape);
            QVERIFY(!check->isVisible());
            QTRY_VERIFY(dialog.isActiveWindow());
        }
        QCOMPARE(check->Review().Sign(2), rows::kCross);
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
        QCOMPARE(RowsBytes(dialog), A(u8"Här kommer dina rader visas!\r\nny"));
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
