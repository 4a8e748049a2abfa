// The option handlers and the menu: counters, exclusive marks, shown and hidden
// groups and the exact status messages, for a click (code 0) and other codes.
#include "dialog_template.h"
#include "menu_table.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>
#include <vector>

namespace kupongen {
namespace {

using testing::A;
using testing::SessionTest;
using testing::SplitLines;
using testing::TakeSnapshot;

std::vector<int> UpTo(int last) {
    std::vector<int> values;
    for (int v = 0; v <= last; ++v) {
        values.push_back(v);
    }
    return values;
}

class HandlerTest : public SessionTest {
protected:
    std::vector<int> VisibleValues(const std::array<int, kCoverValues>& ids) {
        std::vector<int> values;
        for (int v = 0; v < 14; ++v) {
            if (Visible(ids[static_cast<std::size_t>(v)])) {
                values.push_back(v);
            }
        }
        return values;
    }
    // Hidden first, so the handler under test must show each value itself.
    void HideAll(const std::array<int, kCoverValues>& ids) {
        for (const int controlId : ids) {
            Model().SetVisible(C(controlId), false);
        }
    }
    // A status no handler writes, so a message written by mistake shows.
    void ScribbleStatus() { Model().SetText(C(id::kStatus), "-"); }
};

// ---- Mode boxes --------------------------------------------------------------

TEST_F(HandlerTest, EnkelraderClickWhetherItChecksOrClears) {
    for (const char* message : {"Du har valt : Enkelrader", "Du har valt "}) {
        SetChecked(id::kSystem, true);
        Rader = 5;
        Click(id::kEnkelrader);
        EXPECT_EQ(Status(), message);
        EXPECT_EQ(Rader, 0);
        EXPECT_FALSE(Checked(id::kSystem));
        EXPECT_TRUE(Visible(id::kGenerate) && Visible(id::kCompatible));
        EXPECT_FALSE(Visible(id::kSave) || Visible(id::kStryktipset) || Visible(id::kAppend));
        for (const auto& [buttonId, rows] : kRowCountButtons) {
            EXPECT_TRUE(Visible(buttonId)) << rows;
        }
        EXPECT_TRUE(VisibleValues(kHalfCoverIds).empty() && VisibleValues(kFullCoverIds).empty());
    }
}

TEST_F(HandlerTest, SystemClickShowsCoversHidesSingleRowChoicesKeepsMarks) {
    ChooseSingleRows(11, true);
    Click(id::kAppend);
    Click(SureBoxId(5, 1));
    Click(id::kSverige);
    antal_halvgarderingar = 3;
    antal_helgarderingar = 2;
    Rader = 3;
    Click(id::kSystem);
    EXPECT_EQ(Status(), "Du har valt : System");
    EXPECT_EQ(Rader, 0);
    EXPECT_FALSE(Checked(id::kEnkelrader));
    EXPECT_EQ(VisibleValues(kHalfCoverIds), UpTo(13));
    EXPECT_EQ(VisibleValues(kFullCoverIds), UpTo(13));
    for (const auto& [buttonId, rows] : kRowCountButtons) {
        EXPECT_FALSE(Visible(buttonId)) << rows;
    }
    for (const int hidden : {id::kCompatible, id::kStryktipset, id::kItalian, id::kAppend}) {
        EXPECT_FALSE(Visible(hidden)) << hidden;
    }
    EXPECT_FALSE(Checked(id::kCompatible)) << "only the compatibility box is unchecked";
    for (const int marked : {id::kStryktipset, id::kAppend, SureBoxId(5, 1), id::kSverige, 1050}) {
        EXPECT_TRUE(Checked(marked)) << marked;
    }
    EXPECT_EQ(antal_enkelrader, 11);
    EXPECT_EQ(antal_halvgarderingar, 3);
    EXPECT_EQ(antal_helgarderingar, 2);
    Click(id::kSystem);
    EXPECT_EQ(Status(), "Du har valt ");
}

// ---- Covers ------------------------------------------------------------------

std::string HalfMessage(int n) {
    return std::to_string(n) + (n == 1 ? " halvgardering vald." : " halvgarderingar vald.");
}

std::string FullMessage(int v) {
    if (v >= 11) {
        const char8_t* odd[] = {u8"11 helgarderingar vald,hmm....",
                                u8"12 helgarderingar vald, skojar du?",
                                u8"13 helgarderingar!Hmm...jaha du är en nolla!"};
        return A(odd[v - 11]);
    }
    return std::to_string(v) + (v == 1 ? " helgardering vald." : " helgarderingar vald.");
}

class CoverHandlerTest : public HandlerTest, public ::testing::WithParamInterface<int> {};

TEST_P(CoverHandlerTest, HalfCover) {
    const int n = GetParam();
    Click(id::kSystem);
    SetChecked(kFullCoverIds[13], true); // hidden by every n but 0, and kept marked
    antal_helgarderingar = 7;
    for (const int code : {0, 1}) {
        HideAll(kFullCoverIds);
        ScribbleStatus();
        antal_halvgarderingar = -1;
        session->Notify(kHalfCoverIds[static_cast<std::size_t>(n)], code);
        EXPECT_EQ(Status(), code == 0 ? HalfMessage(n) : "-");
        EXPECT_EQ(antal_halvgarderingar, n);
        EXPECT_EQ(antal_helgarderingar, 7);
        EXPECT_EQ(VisibleValues(kFullCoverIds), UpTo(13 - n));
        EXPECT_TRUE(Checked(kFullCoverIds[13]) && Checked(kFullCoverIds[0]));
    }
}

TEST_P(CoverHandlerTest, FullCover) {
    const int v = GetParam();
    const int boxId = kFullCoverIds[static_cast<std::size_t>(v)];
    Click(id::kSystem);
    Click(kHalfCoverIds[static_cast<std::size_t>(13 - v)]);
    for (const int code : {0, 1}) {
        for (const int other : kFullCoverIds) {
            SetChecked(other, other != boxId);
        }
        HideAll(kHalfCoverIds);
        ScribbleStatus();
        if (code == 0) {
            Click(boxId); // marks it
        } else {
            SetChecked(boxId, true);
            session->Notify(boxId, code);
        }
        EXPECT_EQ(Status(), code == 0 ? FullMessage(v) : "-");
        EXPECT_EQ(antal_helgarderingar, v);
        EXPECT_EQ(antal_halvgarderingar, 13 - v);
        EXPECT_EQ(VisibleValues(kHalfCoverIds), UpTo(13 - v));
        for (int other = 0; other < 14; ++other) {
            EXPECT_EQ(Checked(kFullCoverIds[static_cast<std::size_t>(other)]), other == v) << other;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Values, CoverHandlerTest, ::testing::Range(0, 14));

TEST_F(HandlerTest, ClearingTheCheckedFullCoverStillSetsItsCount) {
    ChooseSystem(0, 3);
    Click(kFullCoverIds[3]);
    EXPECT_EQ(Status(), "3 helgarderingar vald.");
    EXPECT_EQ(antal_helgarderingar, 3);
    for (const int boxId : kFullCoverIds) {
        EXPECT_FALSE(Checked(boxId)) << boxId;
    }
}

TEST_F(HandlerTest, CoverLimitHoldsOnlyThroughVisibility) {
    ChooseSystem(0, 12);
    EXPECT_EQ(VisibleValues(kHalfCoverIds), UpTo(1));
    Click(id::kSystem); // even the click that clears the box offers every half cover
    EXPECT_EQ(VisibleValues(kHalfCoverIds), UpTo(13));
    Click(kHalfCoverIds[13]);
    EXPECT_EQ(antal_halvgarderingar, 13);
    EXPECT_EQ(antal_helgarderingar, 12);
    EXPECT_TRUE(Checked(kFullCoverIds[12]));
    EXPECT_EQ(VisibleValues(kFullCoverIds), UpTo(0));
}

// ---- Row counts, methods, sure boxes -----------------------------------------

std::vector<std::pair<int, int>> RowCountButtons() { // id, rows
    std::vector<std::pair<int, int>> buttons;
    for (int rows = 1; rows <= 24; ++rows) {
        buttons.emplace_back(1040 + (rows <= 14 ? rows - 1 : rows), rows); // 1054 is 72
    }
    for (const auto& extra :
         {std::pair{1065, 36}, {1066, 50}, {1067, 60}, {1054, 72}, {1071, 144}, {1113, 256}}) {
        buttons.push_back(extra);
    }
    return buttons;
}

class RowCountHandlerTest : public HandlerTest,
                            public ::testing::WithParamInterface<std::pair<int, int>> {};

TEST_P(RowCountHandlerTest, SetsTheCountAndNothingElse) {
    const auto [buttonId, rows] = GetParam();
    ChooseSingleRows(256, true);
    Rader = 9;
    Click(buttonId);
    const bool singular = rows == 1 || rows == 15;
    EXPECT_EQ(Status(),
              std::to_string(rows) + (singular ? " enkelrad vald." : " enkelrader vald."));
    EXPECT_EQ(antal_enkelrader, rows);
    EXPECT_EQ(Rader, 9);
    antal_enkelrader = 0;
    ScribbleStatus();
    const auto before = TakeSnapshot(Model());
    session->Notify(buttonId, 2);
    EXPECT_EQ(antal_enkelrader, rows);
    antal_enkelrader = 0;
    EXPECT_EQ(TakeSnapshot(Model()), before) << "another code: no message, no other change";
}

INSTANTIATE_TEST_SUITE_P(AllThirty, RowCountHandlerTest, ::testing::ValuesIn(RowCountButtons()));

TEST_F(HandlerTest, MethodBoxesExcludeEachOther) {
    const std::pair<int, const char*> methods[] = {
        {id::kClassic, "Klassisk generering vald."},
        {id::kEngland, "Statistiskt England generering vald."},
        {id::kSverige, "Statistiskt Sverige generering vald."}};
    for (const auto& [methodId, message] : methods) {
        for (const int m : kMethodIds) {
            SetChecked(m, m != methodId);
        }
        Click(methodId);
        EXPECT_EQ(Status(), message);
        for (const int m : kMethodIds) {
            EXPECT_EQ(Checked(m), m == methodId) << m;
        }
        Click(methodId); // clearing the checked box leaves none checked
        EXPECT_EQ(Status(), message);
        EXPECT_FALSE(Checked(id::kClassic) || Checked(id::kEngland) || Checked(id::kSverige));
        SetChecked(id::kClassic, true);
        SetChecked(id::kEngland, true);
        SetChecked(id::kSverige, true);
        ScribbleStatus();
        session->Notify(methodId, 1);
        EXPECT_EQ(Status(), "-");
        for (const int m : kMethodIds) {
            EXPECT_EQ(Checked(m), m == methodId) << m;
        }
    }
}

class SureBoxHandlerTest : public HandlerTest, public ::testing::WithParamInterface<int> {};

TEST_P(SureBoxHandlerTest, OneSignPerMatch) {
    const int match = GetParam() / 3 + 1;
    const int sign = GetParam() % 3;
    const int boxId = kFirstSureBoxId + GetParam();
    const char8_t* endings[] = {u8" säker etta vald.", u8" säkert kryss vald.",
                                u8" säker tvåa vald."};
    const std::string message = "Match " + std::to_string(match) + A(endings[sign]);
    for (int other = kFirstSureBoxId; other < kFirstSureBoxId + kSureBoxCount; ++other) {
        SetChecked(other, other != boxId);
    }
    Click(boxId);
    EXPECT_EQ(Status(), message);
    for (int other = kFirstSureBoxId; other < kFirstSureBoxId + kSureBoxCount; ++other) {
        const bool sameMatch = (other - kFirstSureBoxId) / 3 == match - 1;
        EXPECT_EQ(Checked(other), !sameMatch || other == boxId) << other;
    }
    Click(boxId); // clearing it runs the same steps
    EXPECT_EQ(Status(), message);
    EXPECT_FALSE(Checked(boxId));
    SetChecked(SureBoxId(match, (sign + 1) % 3), true);
    ScribbleStatus();
    session->Notify(boxId, 1);
    EXPECT_EQ(Status(), "-");
    EXPECT_FALSE(Checked(SureBoxId(match, (sign + 1) % 3)));
    EXPECT_EQ(antalsakra, 0);
}

INSTANTIATE_TEST_SUITE_P(All39, SureBoxHandlerTest, ::testing::Range(0, 39));

// ---- Format boxes and Append -------------------------------------------------

TEST_F(HandlerTest, CompatibilityShowsHeaderAndAppendBoxesEvenWhenCleared) {
    Click(id::kEnkelrader);
    for (const int code : {0, 0, 1}) { // check, clear, then another code
        Rader = 6;
        ScribbleStatus();
        if (code == 0) {
            Click(id::kCompatible);
        } else {
            session->Notify(id::kCompatible, code);
        }
        EXPECT_EQ(Status(), code == 0 ? "Svenska spel kompatibilitet." : "-");
        EXPECT_EQ(Rader, 0);
        EXPECT_TRUE(Visible(id::kStryktipset) && Visible(id::kItalian) && Visible(id::kAppend));
    }
}

TEST_F(HandlerTest, HeaderBoxesExcludeEachOtherAndResetRader) {
    ChooseSingleRows(1, true);
    Rader = 2;
    Click(id::kItalian);
    EXPECT_EQ(Status(), "Italienska stryktipset.");
    EXPECT_TRUE(Checked(id::kItalian) && !Checked(id::kStryktipset));
    EXPECT_EQ(Rader, 0);
    Rader = 2;
    Click(id::kStryktipset);
    EXPECT_EQ(Status(), "Stryktipset.");
    EXPECT_TRUE(Checked(id::kStryktipset) && !Checked(id::kItalian));
    EXPECT_EQ(Rader, 0);
    Rader = 2;
    ScribbleStatus();
    session->Notify(id::kItalian, 1);
    EXPECT_EQ(Status(), "-");
    EXPECT_FALSE(Checked(id::kStryktipset));
    EXPECT_EQ(Rader, 0);
}

TEST_F(HandlerTest, AppendOnlyWritesItsMessage) {
    ChooseSingleRows(1, true);
    for (int pass = 0; pass < 2; ++pass) { // check, then clear
        Rader = 3;
        Click(id::kAppend);
        EXPECT_EQ(Status(), A(u8"Nu läggs det till på slutet."));
        EXPECT_EQ(Rader, 3);
    }
    ScribbleStatus();
    const auto before = TakeSnapshot(Model());
    session->Notify(id::kAppend, 1);
    EXPECT_EQ(TakeSnapshot(Model()), before);
}

// ---- Instructions and inert ids ----------------------------------------------

TEST_F(HandlerTest, InstructionsReplaceTheRowsWindowOnly) {
    Rader = 4;
    TestCopy("rows");
    session->TypeRowsText("hand edit");
    Click(id::kInstructions);
    EXPECT_EQ(Status(), A(u8"Instruktioner visas i fönstret."));
    EXPECT_EQ(Rader, 4);
    EXPECT_EQ(TestText(), "rows");
    const std::string text = Rows();
    const auto lines = SplitLines(text);
    ASSERT_EQ(lines.size(), 34u);
    EXPECT_FALSE(text.ends_with("\r\n"));
    EXPECT_EQ(lines[0], A(u8"Så har anvander du detta program:"));
    EXPECT_EQ(lines[10], A(u8"dessa siffror ska jag försöka uppdatera varje vecka,därför "));
    EXPECT_EQ(lines[21], " spara och ladda upp till svenska spel.");
    EXPECT_EQ(lines[23], A(u8" klicka bara på knappen 'slumpa säker match', för varje tryck "
                           u8"slumpas EN säker match)."));
    EXPECT_EQ(lines[32],
              A(u8"Har du några frågor,synpunkter kan du titta in på: ") + "www.kupongen.example");
    EXPECT_EQ(lines[33], "Lycka till!");
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].front() == ' ', i == 21 || i == 23) << "line " << i + 1;
        EXPECT_EQ(lines[i].back() == ' ', i == 10) << "line " << i + 1;
    }
    session->TypeRowsText("");
    ScribbleStatus();
    session->Notify(id::kInstructions, 1);
    EXPECT_EQ(Status(), "-");
    EXPECT_EQ(Rows(), text) << "another code still shows the text";
}

// The menu: the toggle's mark and message, and the check window's two kinds.
TEST_F(HandlerTest, MenuCommands) {
    std::vector<RowsReviewKind> reviews;
    DialogHooks hooks;
    hooks.showRowsReview = [&](RowsReviewKind kind) { reviews.push_back(kind); };
    session = std::make_unique<DialogSession>(std::move(hooks));
    const MenuItemState& mark = *Model().MenuState(id::kMenuDistinct);
    EXPECT_FALSE(mark.checked) << "off at start";
    session->Notify(id::kMenuDistinct, 0);
    EXPECT_TRUE(mark.checked);
    EXPECT_EQ(Status(), A(u8"Unika rader: på."));
    const std::uint64_t revision = mark.revision;
    platform::SetMenuCheck(&Model(), id::kMenuDistinct, true);
    EXPECT_EQ(mark.revision, revision) << "no change, no new revision";
    ScribbleStatus();
    session->Notify(id::kMenuDistinct, 1);
    EXPECT_FALSE(mark.checked);
    EXPECT_GT(mark.revision, revision);
    EXPECT_EQ(Status(), "-") << "another code: no message";
    session->Notify(id::kMenuDistinct, 0);
    session->Notify(id::kMenuDistinct, 0);
    EXPECT_EQ(Status(), A(u8"Unika rader: av."));
    session->Notify(id::kMenuCheckRows, 0);
    session->Notify(id::kMenuGradeRows, 1);
    EXPECT_EQ(reviews, (std::vector{RowsReviewKind::Check, RowsReviewKind::Grade}));
}

TEST_F(HandlerTest, IdsWithoutHandlerAndOtherCodesOfClickOnlyHandlersDoNothing) {
    ChooseSingleRows(10, true);
    Click(SureBoxId(3, 0));
    SetChecked(id::kSystem, true);
    Rader = 7;
    ScribbleStatus();
    const auto before = TakeSnapshot(Model());
    for (const int controlId : {1004, 1005, 1006, 1010, 1011, id::kStatus, id::kRows,
                                id::kInfoPanel, 1, 2, 1118, 40000, 40005}) {
        session->Notify(controlId, 0);
        session->Notify(controlId, 1);
    }
    for (const int controlId : {id::kEnkelrader, id::kSystem, id::kGenerate, id::kSave}) {
        session->Notify(controlId, 1);
        session->Notify(controlId, 0x300);
    }
    EXPECT_EQ(TakeSnapshot(Model()), before);

    session->Notify(id::kRandomSure, 1);
    EXPECT_EQ(Status(), "-") << "no opening message";
    int sure = 0;
    for (int box = kFirstSureBoxId; box < kFirstSureBoxId + kSureBoxCount; ++box) {
        sure += Checked(box) ? 1 : 0;
    }
    EXPECT_EQ(sure, 2) << "but still one more sure match";
}

} // namespace
} // namespace kupongen
