// The radio groups, through real clicks: a click clears the other shown
// buttons of its group and leaves hidden ones marked; and no way of changing a
// mark passes the model by.
#include "window_test_support.h"

#include "control_table.h"
#include "generation.h"

using namespace kupongen;
using namespace kupongen::qt;
using namespace kupongen::qt::test;

class RadioTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { SetUpApplicationOnce(); }

    void bothGroupsStartMarkedWhileHidden() {
        MainDialog dialog;
        QVERIFY(ShowAndActivate(dialog));
        QVERIFY(Marked(dialog, kHalfCoverIds[0]));
        QVERIFY(Marked(dialog, RowCountId(1)));
        QVERIFY(!Shown(dialog, kHalfCoverIds[0]));
        QVERIFY(!Shown(dialog, RowCountId(1)));
    }

    void rowCountClickLeavesHiddenHalfCoverMarked() {
        MainDialog dialog;
        QVERIFY(ShowAndActivate(dialog));
        QVERIFY(Click(dialog, id::kEnkelrader));
        QVERIFY(Click(dialog, RowCountId(36)));
        QVERIFY(Marked(dialog, RowCountId(36)));
        for (const auto& button : kRowCountButtons) {
            QCOMPARE(Marked(dialog, button.id), button.rows == 36);
        }
        QVERIFY(Marked(dialog, kHalfCoverIds[0]));
        QCOMPARE(MirrorDifference(dialog), QString());
    }

    void halfCoverClickLeavesHiddenRowCountMarked() {
        MainDialog dialog;
        QVERIFY(ShowAndActivate(dialog));
        QVERIFY(Click(dialog, id::kEnkelrader));
        QVERIFY(Click(dialog, RowCountId(256)));
        QVERIFY(Click(dialog, id::kSystem));
        QVERIFY(!Shown(dialog, RowCountId(256)));
        QVERIFY(Click(dialog, kHalfCoverIds[7]));
        for (int value = 0; value < kCoverValues; ++value) {
            QCOMPARE(Marked(dialog, kHalfCoverIds[static_cast<std::size_t>(value)]), value == 7);
        }
        QVERIFY(Marked(dialog, RowCountId(256)));

        // Back to single rows: the row count kept its mark while hidden.
        QVERIFY(Click(dialog, id::kEnkelrader));
        QVERIFY(Shown(dialog, RowCountId(256)));
        QVERIFY(Marked(dialog, RowCountId(256)));
        QVERIFY(Marked(dialog, kHalfCoverIds[7]));
        QCOMPARE(MirrorDifference(dialog), QString());
    }

    void markedButtonClickedAgainStaysMarked() {
        // Qt would clear a non-exclusive radio button on a second click; the
        // model keeps it marked and the widget follows.
        MainDialog dialog;
        QVERIFY(ShowAndActivate(dialog));
        QVERIFY(Click(dialog, id::kEnkelrader));
        QVERIFY(Click(dialog, RowCountId(12)));
        QVERIFY(Click(dialog, RowCountId(12)));
        QVERIFY(Marked(dialog, RowCountId(12)));
        QVERIFY(dialog.Session().Model().Item(RowCountId(12))->checked);
        QCOMPARE(Status(dialog)->text().isEmpty(), false);
        QCOMPARE(MirrorDifference(dialog), QString());
    }

    void everyWayToChangeAMarkIsAClick() {
        // A screen reader's toggle action calls toggle(); programs call
        // setChecked. Both reach the model as a click, and the window then
        // shows the model, never a mark the model did not set.
        MainDialog dialog;
        QVERIFY(ShowAndActivate(dialog));
        Widget<QAbstractButton>(dialog, id::kEnkelrader)->toggle();
        QVERIFY(dialog.Session().Model().Item(id::kEnkelrader)->checked);
        QVERIFY(Shown(dialog, RowCountId(10)));
        QCOMPARE(Status(dialog)->text(), QStringLiteral("Du har valt : Enkelrader"));
        QVERIFY(Click(dialog, id::kSystem));
        QVERIFY(!Marked(dialog, id::kEnkelrader));
        QCOMPARE(MirrorDifference(dialog), QString());

        // A hidden box takes no click, so its mark stays the model's.
        Widget<QAbstractButton>(dialog, id::kCompatible)->setChecked(true);
        QVERIFY(!Marked(dialog, id::kCompatible));
        // Clearing the marked radio button is a click on it: it stays marked.
        Widget<QAbstractButton>(dialog, kHalfCoverIds[0])->setChecked(false);
        QVERIFY(Marked(dialog, kHalfCoverIds[0]));
        QCOMPARE(Status(dialog)->text(), QStringLiteral("0 halvgarderingar vald."));
        Widget<QAbstractButton>(dialog, kHalfCoverIds[4])->setChecked(true);
        QVERIFY(!Marked(dialog, kHalfCoverIds[0]));
        QCOMPARE(kupongen::antal_halvgarderingar, 4);
        QCOMPARE(MirrorDifference(dialog), QString());
    }

    void checkBoxRulesComeFromTheHandlers() {
        MainDialog dialog;
        QVERIFY(ShowAndActivate(dialog));
        QVERIFY(Click(dialog, id::kClassic));
        QVERIFY(Marked(dialog, id::kClassic));
        QVERIFY(!Marked(dialog, id::kEngland));
        QVERIFY(Click(dialog, SureBoxId(2, 0)));
        QVERIFY(Click(dialog, SureBoxId(2, 2)));
        QVERIFY(!Marked(dialog, SureBoxId(2, 0)));
        QVERIFY(Marked(dialog, SureBoxId(2, 2)));
        QCOMPARE(Status(dialog)->text(), QStringLiteral("Match 2 säker tvåa vald."));
        QVERIFY(Click(dialog, SureBoxId(2, 2)));
        QVERIFY(!Marked(dialog, SureBoxId(2, 2)));
        QCOMPARE(MirrorDifference(dialog), QString());
    }
};

QTEST_MAIN(RadioTest)
#include "radio_test.moc"
