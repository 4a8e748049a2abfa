// The option handlers: counters, exclusive marks, shown and hidden groups and
// the exact status messages, for a click (code 0) and for other codes.
#include "dialog_template.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kupongen {
namespace {

using testing::A;
using testing::SessionTest;
using testing::SplitLines;
using testing::TakeSnapshot;

class HandlerTest : public SessionTest {
protected:
    int FullId(int value) { return kFullCoverIds[static_cast<std::size_t>(value)]; }
    int HalfId(int value) { return kHalfCoverIds[static_cast<std::size_t>(value)]; }

    std::vector<int> VisibleFullValues() {
        std::vector<int> values;
        for (int v = 0; v < 14; ++v) {
            if (Visible(FullId(v))) {
                values.push_back(v);
            }
        }
        return values;
    }
    std::vector<int> VisibleHalfValues() {
        std::vector<int> values;
        for (int v = 0; v < 14; ++v) {
            if (Visible(HalfId(v))) {
                values.push_back(v);
            }
        }
        return values;
    }
    static std::vector<int> UpTo(int last) {
        std::vector<int> values;
        for (int v = 0; v <= last; ++v) {
            values.push_back(v);
        }
        return values;
    }
};

// ---- Mode boxes --------------------------------------------------------------

TEST_F(HandlerTest, EnkelraderClickShowsSingleRowChoices) {
    Rader = 5;
    Click(id::kEnkelrader);
    EXPECT_EQ(Status(), "Du har valt : Enkelrader");
    EXPECT_EQ(Rader, 0);
    EXPECT_TRUE(Visible(id::kGenerate));
    EXPECT_FALSE(Visible(id::kSave));
    EXPECT_TRUE(Visible(id::kCompatible));
    EXPECT_FALSE(Visible(id::kStryktipset));
    EXPECT_FALSE(Visible(id::kAppend));
    for (const auto& button : kRowCountButtons) {
        EXPECT_TRUE(Visible(button.id)) << button.id;
    }
    EXPECT_TRUE(VisibleHalfValues().empty());
    EXPECT_TRUE(VisibleFullValues().empty());
}

TEST_F(HandlerTest, SystemClickShowsAllCoversAndHidesSingleRowChoices) {
    Click(id::kEnkelrader);
    Click(id::kCompatible);
    Click(id::kAppend);
    Click(1050); // "11" rows
    Rader = 3;
    Click(id::kSystem);
    EXPECT_EQ(Status(), "Du har valt : System");
    EXPECT_EQ(Rader, 0);
    EXPECT_FALSE(Checked(id::kEnkelrader));
    EXPECT_EQ(VisibleHalfValues(), UpTo(13));
    EXPECT_EQ(VisibleFullValues(), UpTo(13));
    for (const auto& button : kRowCountButtons) {
        EXPECT_FALSE(Visible(button.id)) << button.id;
    }
    for (const int hiddenId : {id::kCompatible, id::kStryktipset, id::kItalian, id::kAppend}) {
        EXPECT_FALSE(Visible(hiddenId)) << hiddenId;
    }
    EXPECT_FALSE(Checked(id::kCompatible));
    EXPECT_TRUE(Checked(id::kStryktipset)) << "only the compatibility box is unchecked";
    EXPECT_TRUE(Checked(id::kAppend));
    EXPECT_EQ(antal_enkelrader, 11);
}

TEST_F(HandlerTest, ClearingEnkelraderStillActsAndUnchecksSystem) {
    Click(id::kEnkelrader);
    SetChecked(id::kSystem, true); // both marked, as no handler would leave them
    Rader = 4;
    Click(id::kEnkelrader);
    EXPECT_EQ(Status(), "Du har valt ");
    EXPECT_FALSE(Checked(id::kEnkelrader));
    EXPECT_FALSE(Checked(id::kSystem));
    EXPECT_EQ(Rader, 0);
    EXPECT_TRUE(Visible(1040));
    EXPECT_TRUE(Visible(id::kCompatible));
    EXPECT_TRUE(VisibleFullValues().empty());
}

TEST_F(HandlerTest, ClearingSystemWritesTheBareMessage) {
    Click(id::kSystem);
    Click(id::kSystem);
    EXPECT_EQ(Status(), "Du har valt ");
    EXPECT_EQ(VisibleHalfValues(), UpTo(13));
}

TEST_F(HandlerTest, ModeHandlersKeepCountersAndMarks) {
    ChooseSystem(3, 2);
    Click(SureBoxId(5, 1));
    Click(id::kSverige);
    const std::vector<int> marked = {HalfId(3), FullId(2), SureBoxId(5, 1), id::kSverige, 1040};
    Click(id::kEnkelrader);
    Click(id::kSystem);
    EXPECT_EQ(antal_halvgarderingar, 3);
    EXPECT_EQ(antal_helgarderingar, 2);
    EXPECT_EQ(antal_enkelrader, 1);
    for (const int m : marked) {
        EXPECT_TRUE(Checked(m)) << m;
    }
}

TEST_F(HandlerTest, ModeNotificationWithOtherCodeChangesNothing) {
    for (const int modeId : {id::kEnkelrader, id::kSystem}) {
        Rader = 7;
        SetChecked(modeId, true);
        const auto before = TakeSnapshot(Model());
        session->Notify(modeId, 1);
        session->Notify(modeId, 0x300);
        EXPECT_EQ(TakeSnapshot(Model()), before) << modeId;
    }
}

// ---- Half covers -------------------------------------------------------------

const char* const kHalfMessages[14] = {
    "0 halvgarderingar vald.",  "1 halvgardering vald.",    "2 halvgarderingar vald.",
    "3 halvgarderingar vald.",  "4 halvgarderingar vald.",  "5 halvgarderingar vald.",
    "6 halvgarderingar vald.",  "7 halvgarderingar vald.",  "8 halvgarderingar vald.",
    "9 halvgarderingar vald.",  "10 halvgarderingar vald.", "11 halvgarderingar vald.",
    "12 halvgarderingar vald.", "13 halvgarderingar vald."};

const char8_t* const kFullMessages[14] = {u8"0 helgarderingar vald.",
                                          u8"1 helgardering vald.",
                                          u8"2 helgarderingar vald.",
                                          u8"3 helgarderingar vald.",
                                          u8"4 helgarderingar vald.",
                                          u8"5 helgarderingar vald.",
                                          u8"6 helgarderingar vald.",
                                          u8"7 helgarderingar vald.",
                                          u8"8 helgarderingar vald.",
                                          u8"9 helgarderingar vald.",
                                          u8"10 helgarderingar vald.",
                                          u8"11 helgarderingar vald,hmm....",
                                          u8"12 helgarderingar vald, skojar du?",
                                          u8"13 helgarderingar!Hmm...jaha du är en nolla!"};

class CoverHandlerTest : public HandlerTest, public ::testing::WithParamInterface<int> {};

TEST_P(CoverHandlerTest, HalfCoverClick) {
    const int n = GetParam();
    Click(id::kSystem);
    SetChecked(FullId(13), true); // hidden by every n but 0, and kept marked
    antal_helgarderingar = 7;
    Click(HalfId(n));
    EXPECT_EQ(Status(), kHalfMessages[n]);
    EXPECT_EQ(antal_halvgarderingar, n);
    EXPECT_EQ(antal_helgarderingar, 7);
    EXPECT_EQ(VisibleFullValues(), UpTo(13 - n));
    EXPECT_TRUE(Checked(FullId(13)));
    EXPECT_TRUE(Checked(FullId(0)));
}

TEST_P(CoverHandlerTest, HalfCoverOtherCodeSkipsOnlyTheMessage) {
    const int n = GetParam();
    Click(id::kSystem);
    const std::string status = Status();
    session->Notify(HalfId(n), 1);
    EXPECT_EQ(Status(), status);
    EXPECT_EQ(antal_halvgarderingar, n);
    EXPECT_EQ(VisibleFullValues(), UpTo(13 - n));
}

TEST_P(CoverHandlerTest, FullCoverClick) {
    const int v = GetParam();
    Click(id::kSystem);
    for (int other = 0; other < 14; ++other) {
        SetChecked(FullId(other), true);
    }
    SetChecked(FullId(v), false); // the click below marks it
    Click(HalfId(13 - v));
    Click(FullId(v));
    EXPECT_EQ(Status(), A(kFullMessages[v]));
    EXPECT_EQ(antal_helgarderingar, v);
    EXPECT_EQ(antal_halvgarderingar, 13 - v);
    EXPECT_EQ(VisibleHalfValues(), UpTo(13 - v));
    for (int other = 0; other < 14; ++other) {
        EXPECT_EQ(Checked(FullId(other)), other == v) << "full cover " << other;
    }
}

TEST_P(CoverHandlerTest, FullCoverOtherCodeSkipsOnlyTheMessage) {
    const int v = GetParam();
    Click(id::kSystem);
    SetChecked(FullId(v), true);
    SetChecked(FullId(13 - v), true);
    const std::string status = Status();
    session->Notify(FullId(v), 1);
    EXPECT_EQ(Status(), status);
    EXPECT_EQ(antal_helgarderingar, v);
    EXPECT_EQ(VisibleHalfValues(), UpTo(13 - v));
    for (int other = 0; other < 14; ++other) {
        EXPECT_EQ(Checked(FullId(other)), other == v) << "full cover " << other;
    }
}

INSTANTIATE_TEST_SUITE_P(Values, CoverHandlerTest, ::testing::Range(0, 14));

TEST_F(HandlerTest, ClearingCheckedFullCoverStillSetsItsCount) {
    ChooseSystem(0, 3);
    Click(FullId(3));
    EXPECT_EQ(Status(), "3 helgarderingar vald.");
    EXPECT_EQ(antal_helgarderingar, 3);
    EXPECT_EQ(VisibleFullValues(), UpTo(13));
    for (int v = 0; v < 14; ++v) {
        EXPECT_FALSE(Checked(FullId(v))) << v;
    }
}

TEST_F(HandlerTest, CoverLimitHoldsOnlyThroughVisibility) {
    ChooseSystem(0, 12);
    EXPECT_EQ(VisibleHalfValues(), UpTo(1));
    Click(id::kSystem); // even the click that clears the box offers every half cover
    EXPECT_EQ(VisibleHalfValues(), UpTo(13));
    Click(HalfId(13));
    EXPECT_EQ(antal_halvgarderingar, 13);
    EXPECT_EQ(antal_helgarderingar, 12);
    EXPECT_TRUE(Checked(FullId(12)));
    EXPECT_FALSE(Visible(FullId(12)));
    EXPECT_EQ(VisibleFullValues(), UpTo(0));
}

// ---- Row counts --------------------------------------------------------------

struct RowCountCase {
    int id;
    int rows;
    const char* message;
};

class RowCountHandlerTest : public HandlerTest,
                            public ::testing::WithParamInterface<RowCountCase> {};

TEST_P(RowCountHandlerTest, SetsTheCountAndNothingElse) {
    const auto [buttonId, rows, message] = GetParam();
    Click(id::kEnkelrader);
    Click(id::kCompatible);
    Rader = 9;
    Click(buttonId);
    EXPECT_EQ(Status(), message);
    EXPECT_EQ(antal_enkelrader, rows);
    EXPECT_EQ(Rader, 9);

    // Another code: the same effect without the message, and no control changes.
    antal_enkelrader = 0;
    const auto before = TakeSnapshot(Model());
    session->Notify(buttonId, 2);
    EXPECT_EQ(antal_enkelrader, rows);
    antal_enkelrader = 0;
    EXPECT_EQ(TakeSnapshot(Model()), before);
}

INSTANTIATE_TEST_SUITE_P(
    AllThirty, RowCountHandlerTest,
    ::testing::Values(
        RowCountCase{1040, 1, "1 enkelrad vald."}, RowCountCase{1041, 2, "2 enkelrader vald."},
        RowCountCase{1042, 3, "3 enkelrader vald."}, RowCountCase{1043, 4, "4 enkelrader vald."},
        RowCountCase{1044, 5, "5 enkelrader vald."}, RowCountCase{1045, 6, "6 enkelrader vald."},
        RowCountCase{1046, 7, "7 enkelrader vald."}, RowCountCase{1047, 8, "8 enkelrader vald."},
        RowCountCase{1048, 9, "9 enkelrader vald."}, RowCountCase{1049, 10, "10 enkelrader vald."},
        RowCountCase{1050, 11, "11 enkelrader vald."},
        RowCountCase{1051, 12, "12 enkelrader vald."},
        RowCountCase{1052, 13, "13 enkelrader vald."},
        RowCountCase{1053, 14, "14 enkelrader vald."},
        RowCountCase{1054, 72, "72 enkelrader vald."}, RowCountCase{1055, 15, "15 enkelrad vald."},
        RowCountCase{1056, 16, "16 enkelrader vald."},
        RowCountCase{1057, 17, "17 enkelrader vald."},
        RowCountCase{1058, 18, "18 enkelrader vald."},
        RowCountCase{1059, 19, "19 enkelrader vald."},
        RowCountCase{1060, 20, "20 enkelrader vald."},
        RowCountCase{1061, 21, "21 enkelrader vald."},
        RowCountCase{1062, 22, "22 enkelrader vald."},
        RowCountCase{1063, 23, "23 enkelrader vald."},
        RowCountCase{1064, 24, "24 enkelrader vald."},
        RowCountCase{1065, 36, "36 enkelrader vald."},
        RowCountCase{1066, 50, "50 enkelrader vald."},
        RowCountCase{1067, 60, "60 enkelrader vald."},
        RowCountCase{1071, 144, "144 enkelrader vald."},
        RowCountCase{1113, 256, "256 enkelrader vald."}));

// ---- Method boxes ------------------------------------------------------------

struct MethodCase {
    int id;
    const char* message;
};

class MethodHandlerTest : public HandlerTest, public ::testing::WithParamInterface<MethodCase> {};

TEST_P(MethodHandlerTest, ClickUnchecksTheOtherTwo) {
    const auto [methodId, message] = GetParam();
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
    for (const int m : kMethodIds) {
        EXPECT_FALSE(Checked(m)) << m;
    }
    const std::string status = Status();
    for (const int m : kMethodIds) {
        SetChecked(m, true);
    }
    session->Notify(methodId, 1);
    EXPECT_EQ(Status(), status);
    for (const int m : kMethodIds) {
        EXPECT_EQ(Checked(m), m == methodId) << m;
    }
}

INSTANTIATE_TEST_SUITE_P(Three, MethodHandlerTest,
                         ::testing::Values(MethodCase{1072, "Klassisk generering vald."},
                                           MethodCase{1073, "Statistiskt England generering vald."},
                                           MethodCase{1116,
                                                      "Statistiskt Sverige generering vald."}));

// ---- Sure boxes --------------------------------------------------------------

class SureBoxHandlerTest : public HandlerTest, public ::testing::WithParamInterface<int> {};

TEST_P(SureBoxHandlerTest, MessageAndOneSignPerMatch) {
    const int box = GetParam();
    const int match = box / 3 + 1;
    const int sign = box % 3;
    const char8_t* endings[] = {u8" säker etta vald.", u8" säkert kryss vald.",
                                u8" säker tvåa vald."};
    for (int other = 1074; other <= 1112; ++other) {
        SetChecked(other, other != SureBoxId(match, sign));
    }
    Click(SureBoxId(match, sign));
    EXPECT_EQ(Status(), "Match " + std::to_string(match) + A(endings[sign]));
    for (int m = 1; m <= 13; ++m) {
        for (int s = 0; s < 3; ++s) {
            EXPECT_EQ(Checked(SureBoxId(m, s)), m != match || s == sign) << m << "/" << s;
        }
    }
    // Clearing it runs the same steps; another code skips the message.
    Click(SureBoxId(match, sign));
    EXPECT_EQ(Status(), "Match " + std::to_string(match) + A(endings[sign]));
    EXPECT_FALSE(Checked(SureBoxId(match, sign)));
    Click(id::kInstructions);
    SetChecked(SureBoxId(match, (sign + 1) % 3), true);
    session->Notify(SureBoxId(match, sign), 1);
    EXPECT_EQ(Status(), "Instruktioner visas i f\xF6nstret.");
    EXPECT_FALSE(Checked(SureBoxId(match, (sign + 1) % 3)));
    EXPECT_EQ(antalsakra, 0);
}

INSTANTIATE_TEST_SUITE_P(All39, SureBoxHandlerTest, ::testing::Range(0, 39));

TEST_F(HandlerTest, SureBoxMessagesOfTheEdgeCases) {
    Click(SureBoxId(4, 2));
    Click(SureBoxId(4, 2));
    EXPECT_EQ(Status(), A(u8"Match 4 säker tvåa vald."));
    Click(SureBoxId(13, 1));
    EXPECT_EQ(Status(), A(u8"Match 13 säkert kryss vald."));
}

// ---- Format boxes and Append -------------------------------------------------

TEST_F(HandlerTest, CompatibilityShowsHeaderAndAppendBoxesEvenWhenCleared) {
    Click(id::kEnkelrader);
    for (int pass = 0; pass < 2; ++pass) { // check, then clear
        Rader = 6;
        Click(id::kCompatible);
        EXPECT_EQ(Status(), "Svenska spel kompatibilitet.");
        EXPECT_EQ(Rader, 0);
        EXPECT_TRUE(Visible(id::kStryktipset));
        EXPECT_TRUE(Visible(id::kItalian));
        EXPECT_TRUE(Visible(id::kAppend));
    }
    EXPECT_FALSE(Checked(id::kCompatible));
    Rader = 6;
    session->Notify(id::kCompatible, 1);
    EXPECT_EQ(Rader, 0);
}

TEST_F(HandlerTest, HeaderBoxesExcludeEachOtherAndResetRader) {
    Click(id::kEnkelrader);
    Click(id::kCompatible);
    Rader = 2;
    Click(id::kItalian);
    EXPECT_EQ(Status(), "Italienska stryktipset.");
    EXPECT_TRUE(Checked(id::kItalian));
    EXPECT_FALSE(Checked(id::kStryktipset));
    EXPECT_EQ(Rader, 0);
    Rader = 2;
    Click(id::kStryktipset);
    EXPECT_EQ(Status(), "Stryktipset.");
    EXPECT_FALSE(Checked(id::kItalian));
    EXPECT_EQ(Rader, 0);
    Rader = 2;
    Click(id::kStryktipset); // clearing it leaves no header box checked
    EXPECT_FALSE(Checked(id::kStryktipset));
    EXPECT_FALSE(Checked(id::kItalian));
    EXPECT_EQ(Rader, 0);

    SetChecked(id::kStryktipset, true);
    const std::string status = Status();
    Rader = 2;
    session->Notify(id::kItalian, 1);
    EXPECT_EQ(Status(), status);
    EXPECT_FALSE(Checked(id::kStryktipset));
    EXPECT_EQ(Rader, 0);
}

TEST_F(HandlerTest, AppendOnlyWritesItsMessage) {
    Click(id::kEnkelrader);
    Click(id::kCompatible);
    for (int pass = 0; pass < 2; ++pass) {
        Rader = 3;
        Click(id::kAppend);
        EXPECT_EQ(Status(), A(u8"Nu läggs det till på slutet."));
        EXPECT_EQ(Rader, 3);
    }
    const auto before = TakeSnapshot(Model());
    session->Notify(id::kAppend, 1);
    EXPECT_EQ(TakeSnapshot(Model()), before);
}

// ---- Instructions and inert ids ----------------------------------------------

// Line 33 is followed by the author's address.
const char8_t* const kInstructionLines[34] = {
    u8"Så har anvander du detta program:",
    u8"Klicka först i om du vill ha enkelrader eller system ovan.",
    u8"Välj sedan slumpmetod:",
    u8"klassisk slumpning innebär att slumpningen är:",
    u8"på enkelrader: 50% ettor, 17% kryss, 33% tvåor.",
    u8"på system: 20% ettor, 7% kryss, 13% tvåor, 20% 1X, 13% X2, 13% 12 14% 1X2",
    u8"Statistisk slumpning tar hänsyn till det faktiska teckenutfallet på stryktipset,",
    u8"siffrorna för detta utgår ifrån vecka 1 2003 och framåt,",
    u8"(stat England är statistik efter engelska matcher på tipset,",
    u8"stat Sverige är statistik efter svenska matcher på tipset.)",
    u8"dessa siffror ska jag försöka uppdatera varje vecka,därför ",
    u8"är det rekommenderat att titta in varje vecka för att ha den senaste varianten.",
    u8"Default är det statistisk engelsk slumpning.",
    u8"Om du har tankt ladda upp filen till svenska spels 'egna rader' måste du:",
    u8"klicka i rutan 'kompatibel...' nar du valjer enkelrader.Detta för att få ratt format på "
    u8"filen.",
    u8"Om du kryssar i rutan Append, byggs dina rader på från slutet,",
    u8"DVS dina rader förstörs inte när du klickar på Generera",
    u8"utan för varje tryck på Generera knappen får du fler rader i din fil.",
    u8"Detta gäller bara enkelrader och är bra om du vill ha några rader med",
    u8"vissa säkra matcher och några fler rader med några andra säkra matcher.",
    u8"Istället för separata filer får du alla rader i en fil som du kan",
    u8" spara och ladda upp till svenska spel.",
    u8"Klicka i om du vill ha några säkra matcher(du kan slumpa fram dina säkra matcher,",
    u8" klicka bara på knappen 'slumpa säker match', för varje tryck slumpas EN säker match).",
    u8"Klicka i dina val angående rader/system och klicka sedan på knappen GENERERA.",
    u8"Varje tryck på knappen genererar nya rader",
    u8"(dvs om du inte genererar enkelrader och har kryssat i Append!).",
    u8"Raderna hamnar i ett text-editor fönster,",
    u8"så att manuellt andra enskilda tecken ar valdigt latt,",
    u8"klicka bara på raden och andra det tecken du vill andra på.",
    u8"Om du ar nöjd med genereringen kan du spara dina rader i en text fil,",
    u8"genom att trycka på knappen SPARA.",
    u8"Har du några frågor,synpunkter kan du titta in på: ",
    u8"Lycka till!",
};

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
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string address = i == 32 ? std::string(kAuthorAddress.view()) : "";
        EXPECT_EQ(lines[i], A(kInstructionLines[i]) + address) << "line " << i + 1;
    }
    EXPECT_EQ(std::string(kAuthorAddress.view()), "www.kupongen.example");
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].empty(), false) << "line " << i + 1;
        EXPECT_EQ(lines[i].front() == ' ', i == 21 || i == 23) << "line " << i + 1;
        EXPECT_EQ(lines[i].back() == ' ', i == 10) << "line " << i + 1;
    }
}

TEST_F(HandlerTest, InstructionsWithOtherCodeStillShowTheText) {
    const std::string status = Status();
    session->Notify(id::kInstructions, 1);
    EXPECT_EQ(Status(), status);
    EXPECT_EQ(SplitLines(Rows()).size(), 34u);
}

class InertIdTest : public HandlerTest, public ::testing::WithParamInterface<int> {};

TEST_P(InertIdTest, DoesNothingWhateverTheCode) {
    ChooseSingleRows(10, true);
    Click(SureBoxId(3, 0));
    const auto before = TakeSnapshot(Model());
    for (const int code : {0, 1, 0x100, 0x300}) {
        session->Notify(GetParam(), code);
    }
    EXPECT_EQ(TakeSnapshot(Model()), before);
}

INSTANTIATE_TEST_SUITE_P(Ids, InertIdTest,
                         ::testing::Values(1004, 1005, 1006, 1010, 1011, 1000, 1039, 1117, 1, 2, 0,
                                           1118, 65535, -1));

TEST_F(HandlerTest, GenerateSaveAndRandomSureIgnoreOtherCodesAsSpecified) {
    Click(id::kEnkelrader);
    const auto before = TakeSnapshot(Model());
    session->Notify(id::kGenerate, 1);
    session->Notify(id::kSave, 1);
    EXPECT_EQ(TakeSnapshot(Model()), before);
    EXPECT_FALSE(Visible(id::kSave));

    session->Notify(id::kRandomSure, 1);
    EXPECT_EQ(Status(), std::get<4>(before.controls[1])) << "no opening message";
    EXPECT_EQ(antalsakra, 0);
    int checkedSure = 0;
    for (int box = 1074; box <= 1112; ++box) {
        checkedSure += Checked(box) ? 1 : 0;
    }
    EXPECT_EQ(checkedSure, 1) << "but still a sure match";
}

} // namespace
} // namespace kupongen
