// The dialog right after start-up, the control wrappers, and the dialog
// manager's rules for clicks as the model reproduces them.
#include "controls.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace kupongen {
namespace {

using testing::A;
using testing::SessionTest;
using ModelTest = SessionTest;
using testing::SplitLines;
using testing::TakeSnapshot;

TEST_F(ModelTest, StartState) {
    std::set<int> hidden = {1007, 1008, 1068, 1069, 1070, 1115};
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
