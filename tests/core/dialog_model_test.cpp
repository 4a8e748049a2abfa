// The dialog right after start-up, the control wrappers, and the dialog
// manager's rules for clicks as the model reproduces them.
#include "controls.h"
#include "dialog_navigation.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace kupongen {
namespace {

using testing::A;
using testing::SessionTest;
using ModelTest = SessionTest;
using testing::SplitLines;
using testing::TakeSnapshot;

TEST_F(ModelTest, StartState) {
    std::set<int> hidden = {id::kGenerate,    id::kSave,    id::kCompatible,
                            id::kStryktipset, id::kItalian, id::kAppend};
    hidden.insert(kHalfCoverIds.begin(), kHalfCoverIds.end());
    hidden.insert(kFullCoverIds.begin(), kFullCoverIds.end());
    for (const auto& button : kRowCountButtons) {
        hidden.insert(button.id);
    }
    const std::set<int> marked = {1038, 1037, 1069, 1040, 1073};
    for (const auto& control : Model().Controls()) {
        EXPECT_EQ(control.visible, hidden.count(control.id) == 0) << control.id;
        EXPECT_EQ(control.checked, marked.count(control.id) == 1) << control.id;
        EXPECT_TRUE(control.enabled) << control.id;
    }
    EXPECT_EQ(Status(), A(u8"Här visas status och varningar!"));
    EXPECT_EQ(Rows(), A(u8"Här kommer dina rader visas!"));
    EXPECT_EQ(C(id::kRandomSure).text, A(u8"SLUMPA säker match"));
    EXPECT_EQ(Model().bigIcon, 300);
    EXPECT_EQ(Model().smallIcon, 301);
}

TEST_F(ModelTest, InfoTextInThePanelAndTheRowsBuffer) {
    const std::string info = C(id::kInfoPanel).text;
    const std::string rule = std::string(27, '-') + "\r\n\r\n";
    EXPECT_EQ(info,
              A(u8"Slumpmetod info:\r\n") + rule +
                  A(u8"KLASSISK statistik:\r\n50% ettor.\r\n17% kryss.\r\n33% tvåor.\r\n\r\n") +
                  rule +
                  A(u8"ENGELSK statistik:\r\n702 matcher totalt\r\n320 ettor.\r\n"
                    u8"176 kryss.\r\n206 tvåor.\r\n\r\n") +
                  rule +
                  A(u8"SVENSK statistik:\r\n169 matcher totalt\r\n66 ettor.\r\n"
                    u8"39 kryss.\r\n64 tvåor.\r\n"));
    EXPECT_EQ(info.size(), 320u);
    EXPECT_EQ(SplitLines(info).size(), 24u) << "23 lines, each ended by CR LF";
    EXPECT_EQ(TestText(), info);
}

TEST_F(ModelTest, RadioClickClearsOnlyVisibleButtonsOfTheGroup) {
    Click(id::kEnkelrader);
    Click(1049); // "10"
    EXPECT_TRUE(Checked(1049));
    EXPECT_FALSE(Checked(1040));
    EXPECT_TRUE(Checked(1037)) << "the hidden half-cover button keeps its mark";
    Click(id::kSystem);
    Click(1016); // half cover 6
    EXPECT_FALSE(Checked(1037));
    EXPECT_TRUE(Checked(1049)) << "the hidden row-count button keeps its mark";
    EXPECT_FALSE(session->Click(1040)) << "hidden controls take no clicks";
}

TEST_F(ModelTest, RadioGroupsFollowTheTemplateGroups) {
    Click(id::kEnkelrader);
    session->Notify(1024, 0); // full cover 1 shows half covers 0 to 12 beside the row counts
    ASSERT_TRUE(Visible(1037) && Visible(1040));
    Click(1049);
    EXPECT_TRUE(Checked(1037)) << "a row-count click leaves the half covers alone";
    Click(1013);
    EXPECT_TRUE(Checked(1049)) << "a half-cover click leaves the row counts alone";
    EXPECT_FALSE(Checked(1037));
}

// Where the keyboard moves the focus, over the model's current state.
class KeyboardFocusTest : public SessionTest {
protected:
    FocusState State() { return FocusStateOf(Model()); }
    // The ids Tab (or an arrow key) visits from a control, one per key press.
    std::vector<int> Walk(int fromId, int presses, bool arrows, bool backwards = false) {
        std::vector<int> visited;
        ItemIndex at = *ItemIndexOf(fromId);
        for (int press = 0; press < presses; ++press) {
            const auto next =
                arrows ? NextInGroup(at, backwards, State()) : NextTabStop(at, backwards, State());
            if (!next) {
                break;
            }
            at = *next;
            visited.push_back(kDialogItems[at].id);
        }
        return visited;
    }
};

TEST_F(KeyboardFocusTest, TabVisitsGroupsAndTabStopsInTemplateOrder) {
    EXPECT_EQ(Walk(id::kRows, 8, false),
              (std::vector<int>{id::kInstructions, id::kRandomSure, id::kStatus, id::kInfoPanel,
                                id::kSystem, id::kClassic, kFirstSureBoxId, id::kRows}));
    EXPECT_EQ(Walk(id::kRows, 3, false, true),
              (std::vector<int>{kFirstSureBoxId, id::kClassic, id::kSystem}));
    EXPECT_EQ(Walk(id::kEnkelrader, 1, false, true), (std::vector<int>{id::kInfoPanel}))
        << "leaves its own group";

    ChooseSingleRows(10, true);
    Click(id::kGenerate);
    EXPECT_EQ(Walk(id::kClassic, 9, false),
              (std::vector<int>{1049, id::kCompatible, kFirstSureBoxId, id::kRows, id::kGenerate,
                                id::kSave, id::kInstructions, id::kRandomSure, id::kStatus}))
        << "a radio group is entered at its marked button";
    EXPECT_EQ(Walk(1049, 1, false, true), (std::vector<int>{id::kClassic}));
}

TEST_F(KeyboardFocusTest, TabEntersAGroupWhoseMarkIsHiddenAtItsTabStop) {
    ChooseSystem(13, 0);
    Click(id::kSystem); // a SYSTEM click shows every cover control again
    Click(1024);        // full cover 1 hides the marked half cover 13
    ASSERT_TRUE(Checked(1023) && !Visible(1023));
    EXPECT_EQ(Walk(id::kSverige, 2, false), (std::vector<int>{1037, 1038}));
}

TEST_F(KeyboardFocusTest, ArrowsGoRoundTheShownControlsOfTheGroup) {
    EXPECT_EQ(Walk(id::kEnkelrader, 2, true), (std::vector<int>{id::kSystem, id::kEnkelrader}))
        << "no rest on a frame";
    EXPECT_EQ(Walk(id::kSverige, 1, true), (std::vector<int>{id::kClassic}));
    EXPECT_EQ(Walk(1112, 1, true), (std::vector<int>{kFirstSureBoxId}));
    EXPECT_EQ(Walk(kFirstSureBoxId, 1, true, true), (std::vector<int>{1112}));
    EXPECT_EQ(Walk(id::kInstructions, 2, true), (std::vector<int>{id::kRandomSure, id::kStatus}));

    ChooseSingleRows(1, true);
    EXPECT_EQ(Walk(1113, 2, true), (std::vector<int>{1040, 1041}));
    EXPECT_EQ(Walk(1040, 1, true, true), (std::vector<int>{1113}));
    EXPECT_EQ(Walk(id::kAppend, 1, true), (std::vector<int>{id::kCompatible}));

    ChooseSystem(1, 0); // full cover 13 hidden
    EXPECT_EQ(Walk(1038, 1, true, true), (std::vector<int>{1035}));
}

TEST_F(ModelTest, CheckBoxWrapperRaisesNoEvent) {
    CheckBox box(&Model(), SureBoxId(7, 2), 1);
    EXPECT_FALSE(box.IsChecked());
    box.Check();
    EXPECT_TRUE(box.IsChecked());
    EXPECT_TRUE(Checked(SureBoxId(7, 2)));
    box.UnCheck();
    EXPECT_FALSE(box.IsChecked());
    EXPECT_EQ(Status(), A(u8"Här visas status och varningar!")) << "no handler ran";
}

TEST_F(ModelTest, CloseLeavesEveryControlAsItWas) {
    ChooseSingleRows(6, true);
    Click(SureBoxId(2, 1));
    const auto before = TakeSnapshot(Model());
    session->Close();
    EXPECT_EQ(TakeSnapshot(Model()), before);
    session->Notify(id::kSystem, 0);
    session->Notify(id::kGenerate, 0);
    EXPECT_EQ(TakeSnapshot(Model()), before) << "no command reaches a closed dialog";
}

} // namespace
} // namespace kupongen
