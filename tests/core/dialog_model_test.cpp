// The dialog right after start-up, the control wrappers, and the dialog
// manager's rules for clicks as the model reproduces them.
#include "controls.h"
#include "dialog_template.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace kupongen {
namespace {

using testing::A;
using testing::SessionTest;
using testing::SplitLines;

using StartStateTest = SessionTest;

TEST_F(StartStateTest, EveryControlVisibleMarkedAndEnabledAsAtStart) {
    std::set<int> hidden = {1007, 1008, 1068, 1069, 1070, 1115};
    for (const int h : kHalfCoverIds) {
        hidden.insert(h);
    }
    for (const int f : kFullCoverIds) {
        hidden.insert(f);
    }
    for (const auto& button : kRowCountButtons) {
        hidden.insert(button.id);
    }
    const std::set<int> marked = {1038, 1037, 1069, 1040, 1073};
    EXPECT_EQ(hidden.size(), 64u);
    for (const auto& control : Model().Controls()) {
        EXPECT_EQ(control.visible, hidden.count(control.id) == 0) << "id " << control.id;
        EXPECT_EQ(control.checked, marked.count(control.id) == 1) << "id " << control.id;
        EXPECT_TRUE(control.enabled) << "id " << control.id;
    }
}

TEST_F(StartStateTest, TextsAndIcons) {
    EXPECT_EQ(Status(), A(u8"Här visas status och varningar!"));
    EXPECT_EQ(Rows(), A(u8"Här kommer dina rader visas!"));
    EXPECT_EQ(Model().bigIcon, 300);
    EXPECT_EQ(Model().smallIcon, 301);
    // Buttons and boxes keep their template captions.
    for (const auto& control : Model().Controls()) {
        if (control.kind != ControlKind::Edit) {
            EXPECT_EQ(control.text, FindDialogItem(control.id)->caption.view()) << control.id;
        }
    }
}

TEST_F(StartStateTest, GenerationGlobalsStartAtTheirStaticValues) {
    EXPECT_EQ(Rader, 0);
    EXPECT_EQ(antal_enkelrader, 1);
    EXPECT_EQ(antal_halvgarderingar, 0);
    EXPECT_EQ(antal_helgarderingar, 0);
}

TEST_F(StartStateTest, InfoTextInThePanelAndInTheRowsBuffer) {
    const std::string info = Text(id::kInfoPanel);
    EXPECT_EQ(info.size(), 320u);
    EXPECT_EQ(info.rfind("Slumpmetod info:\r\n", 0), 0u);
    EXPECT_TRUE(info.ends_with(A(u8"64 tvåor.\r\n")));
    const std::string hyphens(27, '-');
    EXPECT_EQ(info, A(u8"Slumpmetod info:\r\n") + hyphens + "\r\n\r\n" +
                        A(u8"KLASSISK statistik:\r\n50% ettor.\r\n17% kryss.\r\n33% tvåor.\r\n"
                          u8"\r\n") +
                        hyphens + "\r\n\r\n" +
                        A(u8"ENGELSK statistik:\r\n702 matcher totalt\r\n320 ettor.\r\n"
                          u8"176 kryss.\r\n206 tvåor.\r\n\r\n") +
                        hyphens + "\r\n\r\n" +
                        A(u8"SVENSK statistik:\r\n169 matcher totalt\r\n66 ettor.\r\n"
                          u8"39 kryss.\r\n64 tvåor.\r\n"));
    // 23 lines, each ended by CR LF: splitting leaves one empty piece at the end.
    const auto lines = SplitLines(info);
    EXPECT_EQ(lines.size(), 24u);
    EXPECT_EQ(lines.back(), "");
    EXPECT_EQ(TestText(), info);
}

TEST_F(SessionTest, ClickOnRowCountLeavesHiddenHalfCoverMarked) {
    Click(id::kEnkelrader);
    // Both marks of one radio group stand side by side after start-up.
    EXPECT_TRUE(Checked(1037));
    EXPECT_TRUE(Checked(1040));
    Click(1049); // "10"
    EXPECT_TRUE(Checked(1049));
    EXPECT_FALSE(Checked(1040));
    EXPECT_TRUE(Checked(1037)) << "a hidden half-cover button keeps its mark";
    int marked = 0;
    for (const auto& button : kRowCountButtons) {
        marked += Checked(button.id) ? 1 : 0;
    }
    EXPECT_EQ(marked, 1);
}

TEST_F(SessionTest, ClickOnHalfCoverLeavesHiddenRowCountMarked) {
    Click(id::kEnkelrader);
    Click(1113); // "256"
    Click(id::kSystem);
    Click(1016); // half cover 6
    EXPECT_TRUE(Checked(1016));
    EXPECT_FALSE(Checked(1037));
    EXPECT_TRUE(Checked(1113));
    EXPECT_EQ(antal_enkelrader, 256);
}

TEST_F(SessionTest, HiddenAndEditControlsCannotBeClicked) {
    EXPECT_FALSE(session->Click(1040));
    EXPECT_FALSE(session->Click(id::kGenerate));
    EXPECT_FALSE(session->Click(id::kStatus));
    EXPECT_FALSE(session->Click(1004));
    EXPECT_TRUE(Checked(1040));
}

TEST_F(SessionTest, CheckBoxWrapperReadsAndSetsTheMarkWithoutAnEvent) {
    CheckBox box(&Model(), SureBoxId(7, 2), 1);
    const std::string status = Status();
    EXPECT_FALSE(box.IsChecked());
    box.Check();
    EXPECT_TRUE(box.IsChecked());
    EXPECT_TRUE(Checked(SureBoxId(7, 2)));
    box.UnCheck();
    EXPECT_FALSE(box.IsChecked());
    EXPECT_EQ(Status(), status) << "marking by program runs no handler";
}

TEST_F(SessionTest, WrapperBuiltWithFlagZeroDisablesItsControl) {
    SimpleControl plain(&Model(), id::kRandomSure, 1);
    EXPECT_TRUE(C(id::kRandomSure).enabled);
    SimpleControl disabled(&Model(), id::kRandomSure, 0);
    EXPECT_FALSE(C(id::kRandomSure).enabled);
    EXPECT_FALSE(session->IsClickable(id::kRandomSure));
}

TEST_F(SessionTest, CloseLeavesEveryControlAsItWas) {
    Click(id::kEnkelrader);
    Click(1045);
    Click(SureBoxId(2, 1));
    const auto before = testing::TakeSnapshot(Model());
    session->Close();
    EXPECT_FALSE(session->IsOpen());
    EXPECT_EQ(testing::TakeSnapshot(Model()), before);
    session->Notify(id::kSystem, 0);
    session->Notify(id::kGenerate, 0);
    EXPECT_EQ(testing::TakeSnapshot(Model()), before) << "no command reaches a closed dialog";
}

} // namespace
} // namespace kupongen
