// The program's own texts, byte for byte, as Windows-1252.
#pragma once

#include "ansi_text.h"
#include "control_table.h"
#include "dialog_template.h"

#include <array>
#include <cstddef>
#include <string>

namespace kupongen::text {

using Message = AnsiText<64>;

inline constexpr auto kInfo = Ansi(u8"Slumpmetod info:\r\n"
                                   u8"---------------------------\r\n\r\n"
                                   u8"KLASSISK statistik:\r\n"
                                   u8"50% ettor.\r\n"
                                   u8"17% kryss.\r\n"
                                   u8"33% tvåor.\r\n"
                                   u8"\r\n"
                                   u8"---------------------------\r\n"
                                   u8"\r\n"
                                   u8"ENGELSK statistik:\r\n"
                                   u8"702 matcher totalt\r\n"
                                   u8"320 ettor.\r\n"
                                   u8"176 kryss.\r\n"
                                   u8"206 tvåor.\r\n"
                                   u8"\r\n"
                                   u8"---------------------------\r\n"
                                   u8"\r\n"
                                   u8"SVENSK statistik:\r\n"
                                   u8"169 matcher totalt\r\n"
                                   u8"66 ettor.\r\n"
                                   u8"39 kryss.\r\n"
                                   u8"64 tvåor.\r\n");

inline constexpr auto kInstructions =
    Ansi(u8"Så har anvander du detta program:\r\n"
         u8"Klicka först i om du vill ha enkelrader eller system ovan.\r\n"
         u8"Välj sedan slumpmetod:\r\n"
         u8"klassisk slumpning innebär att slumpningen är:\r\n"
         u8"på enkelrader: 50% ettor, 17% kryss, 33% tvåor.\r\n"
         u8"på system: 20% ettor, 7% kryss, 13% tvåor, 20% 1X, 13% X2, 13% 12 14% 1X2\r\n"
         u8"Statistisk slumpning tar hänsyn till det faktiska teckenutfallet på stryktipset,\r\n"
         u8"siffrorna för detta utgår ifrån vecka 1 2003 och framåt,\r\n"
         u8"(stat England är statistik efter engelska matcher på tipset,\r\n"
         u8"stat Sverige är statistik efter svenska matcher på tipset.)\r\n"
         u8"dessa siffror ska jag försöka uppdatera varje vecka,därför \r\n"
         u8"är det rekommenderat att titta in varje vecka för att ha den senaste varianten.\r\n"
         u8"Default är det statistisk engelsk slumpning.\r\n"
         u8"Om du har tankt ladda upp filen till svenska spels 'egna rader' måste du:\r\n"
         u8"klicka i rutan 'kompatibel...' nar du valjer enkelrader.Detta för att få ratt format "
         u8"på filen.\r\n"
         u8"Om du kryssar i rutan Append, byggs dina rader på från slutet,\r\n"
         u8"DVS dina rader förstörs inte när du klickar på Generera\r\n"
         u8"utan för varje tryck på Generera knappen får du fler rader i din fil.\r\n"
         u8"Detta gäller bara enkelrader och är bra om du vill ha några rader med\r\n"
         u8"vissa säkra matcher och några fler rader med några andra säkra matcher.\r\n"
         u8"Istället för separata filer får du alla rader i en fil som du kan\r\n"
         u8" spara och ladda upp till svenska spel.\r\n"
         u8"Klicka i om du vill ha några säkra matcher(du kan slumpa fram dina säkra matcher,\r\n"
         u8" klicka bara på knappen 'slumpa säker match', för varje tryck slumpas EN säker "
         u8"match).\r\n"
         u8"Klicka i dina val angående rader/system och klicka sedan på knappen GENERERA.\r\n"
         u8"Varje tryck på knappen genererar nya rader\r\n"
         u8"(dvs om du inte genererar enkelrader och har kryssat i Append!).\r\n"
         u8"Raderna hamnar i ett text-editor fönster,\r\n"
         u8"så att manuellt andra enskilda tecken ar valdigt latt,\r\n"
         u8"klicka bara på raden och andra det tecken du vill andra på.\r\n"
         u8"Om du ar nöjd med genereringen kan du spara dina rader i en text fil,\r\n"
         u8"genom att trycka på knappen SPARA.\r\n"
         u8"Har du några frågor,synpunkter kan du titta in på: ") +
    kAuthorAddress + Ansi(u8"\r\nLycka till!");

// Status field.
inline constexpr auto kInitialStatus = Ansi(u8"Här visas status och varningar!");
inline constexpr auto kInitialRows = Ansi(u8"Här kommer dina rader visas!");
inline constexpr auto kYouChose = Ansi(u8"Du har valt ");
inline constexpr auto kChoseEnkelrader = Ansi(u8": Enkelrader");
inline constexpr auto kChoseSystem = Ansi(u8": System");
inline constexpr auto kCompatible = Ansi(u8"Svenska spel kompatibilitet.");
inline constexpr auto kStryktipset = Ansi(u8"Stryktipset.");
inline constexpr auto kItalian = Ansi(u8"Italienska stryktipset.");
inline constexpr auto kAppend = Ansi(u8"Nu läggs det till på slutet.");
inline constexpr auto kInstructionsShown = Ansi(u8"Instruktioner visas i fönstret.");
inline constexpr auto kSingleRowsDone = Ansi(u8"ENKELRADS generering utförd.");
inline constexpr auto kChooseMethod = Ansi(u8"VÄLJ slumpmetod!!!!!");
inline constexpr auto kChooseMode = Ansi(u8"Kryssa i ett val!!!! SYSTEM eller ENKELRADER?????");
inline constexpr auto kRowsDoNotFit = Ansi(u8"Raderna får inte plats! Spara och börja om.");
inline constexpr auto kSystemDone = Ansi(u8"SYSTEM generering utförd.");
inline constexpr auto kTooManySure =
    Ansi(u8"Du har valt för många sakra matcher för ditt önskade system!");
inline constexpr auto kSureDrawn = Ansi(u8"Säker match slumpad.");
inline constexpr auto kAllSure = Ansi(u8"13 matcher redan säkra.");
inline constexpr auto kDistinctOn = Ansi(u8"Unika rader: på.");
inline constexpr auto kDistinctOff = Ansi(u8"Unika rader: av.");

// A distinct press that had to drop rows: "Unika rader: 27 av 256 gjordes,
// fler finns inte."
inline std::string DistinctRowsMade(std::size_t made, std::size_t asked) {
    return "Unika rader: " + std::to_string(made) + " av " + std::to_string(asked) +
           " gjordes, fler finns inte.";
}

// Sure boxes: "Match m" and the sign's ending, m in decimal.
inline constexpr auto kMatchWord = Ansi(u8"Match ");
inline constexpr std::array<Message, kSignCount> kSureEndings = {Ansi<64>(u8" säker etta vald."),
                                                                 Ansi<64>(u8" säkert kryss vald."),
                                                                 Ansi<64>(u8" säker tvåa vald.")};

// Half covers, by value.
inline constexpr std::array<Message, kCoverValues> kHalfCoverMessages = {
    Ansi<64>(u8"0 halvgarderingar vald."),  Ansi<64>(u8"1 halvgardering vald."),
    Ansi<64>(u8"2 halvgarderingar vald."),  Ansi<64>(u8"3 halvgarderingar vald."),
    Ansi<64>(u8"4 halvgarderingar vald."),  Ansi<64>(u8"5 halvgarderingar vald."),
    Ansi<64>(u8"6 halvgarderingar vald."),  Ansi<64>(u8"7 halvgarderingar vald."),
    Ansi<64>(u8"8 halvgarderingar vald."),  Ansi<64>(u8"9 halvgarderingar vald."),
    Ansi<64>(u8"10 halvgarderingar vald."), Ansi<64>(u8"11 halvgarderingar vald."),
    Ansi<64>(u8"12 halvgarderingar vald."), Ansi<64>(u8"13 halvgarderingar vald.")};

// Full covers, by value.
inline constexpr std::array<Message, kCoverValues> kFullCoverMessages = {
    Ansi<64>(u8"0 helgarderingar vald."),
    Ansi<64>(u8"1 helgardering vald."),
    Ansi<64>(u8"2 helgarderingar vald."),
    Ansi<64>(u8"3 helgarderingar vald."),
    Ansi<64>(u8"4 helgarderingar vald."),
    Ansi<64>(u8"5 helgarderingar vald."),
    Ansi<64>(u8"6 helgarderingar vald."),
    Ansi<64>(u8"7 helgarderingar vald."),
    Ansi<64>(u8"8 helgarderingar vald."),
    Ansi<64>(u8"9 helgarderingar vald."),
    Ansi<64>(u8"10 helgarderingar vald."),
    Ansi<64>(u8"11 helgarderingar vald,hmm...."),
    Ansi<64>(u8"12 helgarderingar vald, skojar du?"),
    Ansi<64>(u8"13 helgarderingar!Hmm...jaha du är en nolla!")};

// Row-count buttons, in the order of kRowCountButtons ("15 enkelrad" is singular).
inline constexpr std::array<Message, kRowCountButtons.size()> kRowCountMessages = {
    Ansi<64>(u8"1 enkelrad vald."),     Ansi<64>(u8"2 enkelrader vald."),
    Ansi<64>(u8"3 enkelrader vald."),   Ansi<64>(u8"4 enkelrader vald."),
    Ansi<64>(u8"5 enkelrader vald."),   Ansi<64>(u8"6 enkelrader vald."),
    Ansi<64>(u8"7 enkelrader vald."),   Ansi<64>(u8"8 enkelrader vald."),
    Ansi<64>(u8"9 enkelrader vald."),   Ansi<64>(u8"10 enkelrader vald."),
    Ansi<64>(u8"11 enkelrader vald."),  Ansi<64>(u8"12 enkelrader vald."),
    Ansi<64>(u8"13 enkelrader vald."),  Ansi<64>(u8"14 enkelrader vald."),
    Ansi<64>(u8"72 enkelrader vald."),  Ansi<64>(u8"15 enkelrad vald."),
    Ansi<64>(u8"16 enkelrader vald."),  Ansi<64>(u8"17 enkelrader vald."),
    Ansi<64>(u8"18 enkelrader vald."),  Ansi<64>(u8"19 enkelrader vald."),
    Ansi<64>(u8"20 enkelrader vald."),  Ansi<64>(u8"21 enkelrader vald."),
    Ansi<64>(u8"22 enkelrader vald."),  Ansi<64>(u8"23 enkelrader vald."),
    Ansi<64>(u8"24 enkelrader vald."),  Ansi<64>(u8"36 enkelrader vald."),
    Ansi<64>(u8"50 enkelrader vald."),  Ansi<64>(u8"60 enkelrader vald."),
    Ansi<64>(u8"144 enkelrader vald."), Ansi<64>(u8"256 enkelrader vald.")};

// Method boxes, in the order of kMethodIds.
inline constexpr std::array<Message, 3> kMethodMessages = {
    Ansi<64>(u8"Klassisk generering vald."), Ansi<64>(u8"Statistiskt England generering vald."),
    Ansi<64>(u8"Statistiskt Sverige generering vald.")};

// What a screen reader calls the controls whose captions do not name them:
// the three edits by these names, each sure box by its match's label and its
// sign ("Match 4: X").
struct ControlName {
    int controlId;
    Message name;
};
inline constexpr std::array<ControlName, 3> kEditNames = {
    {{id::kRows, Ansi<64>(u8"Rader")},
     {id::kStatus, Ansi<64>(u8"Status")},
     {id::kInfoPanel, Ansi<64>(u8"Slumpmetod info")}}};

inline std::string SureBoxName(int match, int sign) {
    return std::string(MatchLabelItem(match).caption.view()) + ' ' +
           std::string(FindDialogItem(SureBoxId(match, sign))->caption.view());
}

// Message boxes.
inline constexpr auto kSaveFailed = Ansi(u8"Save file failed.");
inline constexpr auto kErrorTitle = Ansi(u8"Error");
inline constexpr auto kUnknown = Ansi(u8"Unknown");
inline constexpr auto kExceptionTitle = Ansi(u8"Exception");

} // namespace kupongen::text
