#include "controller.h"

#include "dialog_template.h"
#include "file_save.h"
#include "random_mersenne.h"
#include "system_upload.h"
#include "texts.h"

#include <string>
#include <utility>

namespace kupongen {

namespace {

template <typename Control, std::size_t N, typename IdOf>
std::array<Control, N> MakeControls(platform::Window window, IdOf idOf) {
    return [&]<std::size_t... I>(std::index_sequence<I...>) {
        return std::array<Control, N>{Control(window, idOf(I), 1)...};
    }
    (std::make_index_sequence<N>{});
}

// Full-cover boxes in control-table order: values 1 to 13, then 0.
int FullCoverIdAt(std::size_t position) {
    return kFullCoverIds[position + 1 == kCoverValues ? 0 : position + 1];
}

// Match labels, shared by the single-row table and the system row: the first
// line has no line break before it; matches 10 to 13 have no blank after the
// colon.
constexpr std::array<std::string_view, kMatchCount> kMatchLabels = {
    " Match 1:  ",     "\r\n Match 2:  ", "\r\n Match 3:  ", "\r\n Match 4:  ", "\r\n Match 5:  ",
    "\r\n Match 6:  ", "\r\n Match 7:  ", "\r\n Match 8:  ", "\r\n Match 9:  ", "\r\n Match 10:",
    "\r\n Match 11:",  "\r\n Match 12:",  "\r\n Match 13:"};

constexpr std::string_view MatchLabel(int match) {
    return kMatchLabels[static_cast<std::size_t>(match - 1)];
}

constexpr bool SeparatorFollows(int match) {
    return match == 3 || match == 6 || match == 9;
}

constexpr std::array<std::string_view, kSignCount> kCompatibleSigns = {",1", ",X", ",2"};
constexpr std::array<std::string_view, kSignCount> kCellSigns = {" 1 ", " X ", " 2 "};
constexpr std::string_view kTableSeparator = "\r\n -----------";
constexpr std::string_view kTableSeparatorCell = "---";
constexpr std::string_view kSystemSeparator = "\r\n -----------------------";
constexpr std::string_view kRowStart = "\r\nE";
constexpr std::size_t kCompatibleRowLength = 29;

// System cells. A classic single sign keeps its place in the 1 X 2 columns.
constexpr std::array<std::string_view, kSignCount> kClassicSigns = {" 1 ", "   X ", "    2 "};
constexpr std::string_view kHalfOneCross = " 1X ";
constexpr std::string_view kHalfCrossTwo = "   X2 ";
constexpr std::string_view kHalfOneTwo = " 1  2 ";
constexpr std::string_view kFull = " 1X2 ";
// One system draw d: up to kLastSingleDraw a single sign, up to
// kLastHalfDraw a half cover (7 to 9 1X, 10 and 11 X2, 12 and 13 12), above
// that a full cover.
constexpr int kSystemDrawRange = 15;
constexpr int kLastSingleDraw = 6;
constexpr int kLastHalfDraw = 13;

constexpr std::size_t SignIndex(Sign sign) {
    return static_cast<std::size_t>(sign);
}

} // namespace

Controller::Controller(platform::Window window, UpdatePace::Clock clock)
    : info_(window, id::kInfoPanel, 1), status_(window, id::kStatus, 1),
      rows_(window, id::kRows, 1), enkelrader_(window, id::kEnkelrader, 1),
      system_(window, id::kSystem, 1), halfCover_(MakeControls<RadioButton, kCoverValues>(
                                           window, [](std::size_t i) { return kHalfCoverIds[i]; })),
      rowCount_(MakeControls<RadioButton, kRowCountButtons.size()>(
          window, [](std::size_t i) { return kRowCountButtons[i].id; })),
      append_(window, id::kAppend, 1), compatible_(window, id::kCompatible, 1),
      stryktipset_(window, id::kStryktipset, 1), italian_(window, id::kItalian, 1),
      generate_(window, id::kGenerate, 1), save_(window, id::kSave, 1),
      instructions_(window, id::kInstructions, 1), randomSure_(window, id::kRandomSure, 1),
      fullCover_(MakeControls<CheckBox, kCoverValues>(window, FullCoverIdAt)),
      method_(MakeControls<CheckBox, kMethodBoxCount>(window,
                                                      [](std::size_t i) { return kMethodIds[i]; })),
      sure_(MakeControls<CheckBox, kSureBoxCount>(
          window, [](std::size_t i) { return kFirstSureBoxId + static_cast<int>(i); })),
      pace_(std::move(clock)) {
    platform::SetIcons(window, kDialogWindow.bigIconId, kDialogWindow.smallIconId);

    generate_.Hide();
    save_.Hide();
    for (auto& button : halfCover_) {
        button.Hide();
    }
    FullCover(0).Hide();
    for (int value = 1; value < kCoverValues; ++value) {
        FullCover(value).Hide();
    }
    for (std::size_t i = 0; i < RowCountPosition(144); ++i) { // "1" to "60"
        rowCount_[i].Hide();
    }
    compatible_.Hide();
    stryktipset_.Hide();
    italian_.Hide();
    rowCount_[RowCountPosition(144)].Hide();
    rowCount_[RowCountPosition(256)].Hide();
    append_.Hide();

    FullCover(0).Check();
    HalfCover(0).Select();
    stryktipset_.Check();
    rowCount_[RowCountPosition(1)].Select();
    Method(kEnglandBox).Check();

    TestCopy(text::kInfo);
    info_.SetString(test, TestLength());
}

std::array<Controller::Route, kControlIdSpan> Controller::BuildRoutes() {
    std::array<Route, kControlIdSpan> routes{};
    auto route = [&](int controlId, Handler handler, int argument = 0) {
        routes[static_cast<std::size_t>(controlId - kLowestControlId)] = {handler, argument};
    };
    route(id::kEnkelrader, &Controller::OnMode, kModeEnkelrader);
    route(id::kSystem, &Controller::OnMode, kModeSystem);
    for (int value = 0; value < kCoverValues; ++value) {
        route(kHalfCoverIds[static_cast<std::size_t>(value)], &Controller::OnHalfCover, value);
        route(kFullCoverIds[static_cast<std::size_t>(value)], &Controller::OnFullCover, value);
    }
    for (std::size_t i = 0; i < kRowCountButtons.size(); ++i) {
        route(kRowCountButtons[i].id, &Controller::OnRowCount, static_cast<int>(i));
    }
    for (std::size_t box = 0; box < kMethodBoxCount; ++box) {
        route(kMethodIds[box], &Controller::OnMethod, static_cast<int>(box));
    }
    for (int box = 0; box < kSureBoxCount; ++box) {
        route(kFirstSureBoxId + box, &Controller::OnSureBox, box);
    }
    route(id::kCompatible, &Controller::OnCompatible);
    route(id::kStryktipset, &Controller::OnStryktipset);
    route(id::kItalian, &Controller::OnItalian);
    route(id::kAppend, &Controller::OnAppend);
    route(id::kInstructions, &Controller::OnInstructions);
    route(id::kGenerate, &Controller::OnGenerate);
    route(id::kSave, &Controller::OnSave);
    route(id::kRandomSure, &Controller::OnRandomSure);
    return routes;
}

std::array<Controller::Route, kMenuCommandCount> Controller::BuildMenuRoutes() {
    std::array<Route, kMenuCommandCount> routes{};
    auto route = [&](int menuId, Handler handler, int argument = 0) {
        routes[static_cast<std::size_t>(menuId - kFirstMenuId)] = {handler, argument};
    };
    route(id::kMenuDistinct, &Controller::OnDistinct);
    route(id::kMenuSaveSystem, &Controller::OnSaveSystem);
    route(id::kMenuCheckRows, &Controller::OnRowsReview, static_cast<int>(RowsReviewKind::Check));
    route(id::kMenuGradeRows, &Controller::OnRowsReview, static_cast<int>(RowsReviewKind::Grade));
    return routes;
}

void Controller::Command(platform::Window window, int controlId, int code) {
    static const std::array<Route, kControlIdSpan> routes = BuildRoutes();
    static const std::array<Route, kMenuCommandCount> menuRoutes = BuildMenuRoutes();
    const Route* route = nullptr;
    if (controlId >= kLowestControlId && controlId <= kHighestControlId) {
        route = &routes[static_cast<std::size_t>(controlId - kLowestControlId)];
    } else if (controlId >= kFirstMenuId && controlId <= kLastMenuId) {
        route = &menuRoutes[static_cast<std::size_t>(controlId - kFirstMenuId)];
    }
    if (route != nullptr && route->handler != nullptr) {
        (this->*route->handler)(window, route->argument, code);
    }
}

// ---- Option handlers --------------------------------------------------------

void Controller::OnMode(platform::Window, int mode, int code) {
    if (code != 0) {
        return;
    }
    CheckBox& clicked = mode == kModeEnkelrader ? enkelrader_ : system_;
    CheckBox& other = mode == kModeEnkelrader ? system_ : enkelrader_;

    char message[64];
    std::size_t length = 0;
    auto append = [&](std::string_view piece) {
        for (const char c : piece) {
            message[length++] = c;
        }
        message[length] = '\0';
    };
    append(text::kYouChose);
    if (clicked.IsChecked()) {
        append(mode == kModeEnkelrader ? text::kChoseEnkelrader.view() : text::kChoseSystem.view());
    }

    generate_.Show();
    Rader = 0;
    const bool system = mode == kModeSystem;
    for (auto& button : halfCover_) {
        system ? button.Show() : button.Hide();
    }
    for (auto& box : fullCover_) {
        system ? box.Show() : box.Hide();
    }
    for (auto& button : rowCount_) {
        system ? button.Hide() : button.Show();
    }
    if (system) {
        compatible_.Hide();
        compatible_.UnCheck();
        stryktipset_.Hide();
        italian_.Hide();
        append_.Hide();
    } else {
        compatible_.Show();
    }
    status_.SetString(message, length);
    if (other.IsChecked()) {
        other.UnCheck();
    }
}

void Controller::OnHalfCover(platform::Window, int value, int code) {
    if (code == 0) {
        SetStatus(text::kHalfCoverMessages[static_cast<std::size_t>(value)]);
    }
    antal_halvgarderingar = value;
    for (int v = kCoverValues - value; v < kCoverValues; ++v) {
        FullCover(v).Hide();
    }
    for (int v = 0; v <= kCoverValues - 1 - value; ++v) {
        FullCover(v).Show();
    }
}

void Controller::OnFullCover(platform::Window, int value, int code) {
    if (code == 0) {
        SetStatus(text::kFullCoverMessages[static_cast<std::size_t>(value)]);
    }
    antal_helgarderingar = value;
    for (int v = 0; v <= kCoverValues - 1 - value; ++v) {
        HalfCover(v).Show();
    }
    for (int v = kCoverValues - value; v < kCoverValues; ++v) {
        HalfCover(v).Hide();
    }
    CheckBox& clicked = FullCover(value);
    for (auto& box : fullCover_) {
        if (&box != &clicked) {
            box.UnCheck();
        }
    }
}

void Controller::OnRowCount(platform::Window, int button, int code) {
    const auto index = static_cast<std::size_t>(button);
    if (code == 0) {
        SetStatus(text::kRowCountMessages[index]);
    }
    antal_enkelrader = kRowCountButtons[index].rows;
}

void Controller::OnMethod(platform::Window, int box, int code) {
    if (code == 0) {
        SetStatus(text::kMethodMessages[static_cast<std::size_t>(box)]);
    }
    for (std::size_t other = 0; other < kMethodBoxCount; ++other) {
        if (static_cast<int>(other) != box) {
            method_[other].UnCheck();
        }
    }
}

void Controller::OnSureBox(platform::Window, int box, int code) {
    const int match = box / kSignCount + 1;
    const int sign = box % kSignCount;
    if (code == 0) {
        std::string message(text::kMatchWord.view());
        message += std::to_string(match);
        message += text::kSureEndings[static_cast<std::size_t>(sign)].view();
        status_.SetString(message.c_str(), message.size());
    }
    for (int other = 0; other < kSignCount; ++other) {
        if (other != sign) {
            SureBox(match, other).UnCheck();
        }
    }
}

void Controller::OnCompatible(platform::Window, int, int code) {
    if (code == 0) {
        SetStatus(text::kCompatible);
    }
    stryktipset_.Show();
    italian_.Show();
    append_.Show();
    Rader = 0;
}

void Controller::OnStryktipset(platform::Window, int, int code) {
    if (code == 0) {
        SetStatus(text::kStryktipset);
    }
    italian_.UnCheck();
    Rader = 0;
}

void Controller::OnItalian(platform::Window, int, int code) {
    if (code == 0) {
        SetStatus(text::kItalian);
    }
    stryktipset_.UnCheck();
    Rader = 0;
}

void Controller::OnAppend(platform::Window, int, int code) {
    if (code == 0) {
        SetStatus(text::kAppend);
    }
}

void Controller::OnInstructions(platform::Window, int, int code) {
    if (code == 0) {
        SetStatus(text::kInstructionsShown);
    }
    rows_.SetString(text::kInstructions);
}

void Controller::OnSave(platform::Window window, int, int code) {
    if (code == 0) {
        DoFileOpenSave(window);
    }
}

// ---- Menu -------------------------------------------------------------------

void Controller::OnDistinct(platform::Window window, int, int code) {
    const bool on = !platform::IsMenuChecked(window, id::kMenuDistinct);
    if (code == 0) {
        SetStatus(on ? text::kDistinctOn.view() : text::kDistinctOff.view());
    }
    platform::SetMenuCheck(window, id::kMenuDistinct, on);
}

// The rows window's text, hand edits included, as the upload of one system,
// headed as the hidden format boxes name it. A text that is no system, or one
// over the operator's limit, is refused in the status field before anything
// is asked.
void Controller::OnSaveSystem(platform::Window window, int, int code) {
    const rows::SystemUpload upload = rows::MakeSystemUpload(
        rows_.GetString(),
        italian_.IsChecked() ? rows::Product::Italienska : rows::Product::Stryktipset);
    if (upload.ok && SaveAs(window, upload.bytes) != SaveOutcome::kSaved) {
        return;
    }
    if (code == 0) {
        SetStatus(upload.status);
    }
}

void Controller::OnRowsReview(platform::Window window, int kind, int) {
    platform::ShowRowsReview(window, static_cast<RowsReviewKind>(kind));
}

// ---- Generate ---------------------------------------------------------------

void Controller::OnGenerate(platform::Window window, int, int code) {
    if (code != 0) {
        return;
    }
    pace_.Start();
    save_.Show();
    bool ran = false;
    if (enkelrader_.IsChecked()) {
        SetStatus(text::kSingleRowsDone);
        if (!AnyMethodChecked()) {
            SetStatus(text::kChooseMethod);
            return;
        }
        const bool distinct = platform::IsMenuChecked(window, id::kMenuDistinct);
        compatible_.IsChecked() ? GenerateCompatible(distinct) : GenerateTable(distinct);
        ran = true;
    } else {
        antalsakra = CountSureBoxes();
    }
    if (system_.IsChecked()) {
        GenerateSystem();
        ran = true;
    }
    if (!ran) {
        SetStatus(text::kChooseMode);
    }
}

bool Controller::AnyMethodChecked() const {
    return Method(kEnglandBox).IsChecked() || Method(kSverigeBox).IsChecked() ||
           Method(kClassicBox).IsChecked();
}

DrawMethod Controller::SelectedMethod() const {
    if (Method(kEnglandBox).IsChecked()) {
        return DrawMethod::England;
    }
    if (Method(kSverigeBox).IsChecked()) {
        return DrawMethod::Sverige;
    }
    return DrawMethod::Classic;
}

int Controller::SureSign(int match) const {
    for (int sign = 0; sign < kSignCount; ++sign) {
        if (SureBox(match, sign).IsChecked()) {
            return sign;
        }
    }
    return -1;
}

SurePattern Controller::SureSigns() const {
    SurePattern sure{};
    for (int match = 1; match <= kMatchCount; ++match) {
        sure[static_cast<std::size_t>(match - 1)] = SureSign(match);
    }
    return sure;
}

void Controller::DrawRows(std::size_t rows, bool rowByRow, const SurePattern& sure,
                          DrawMethod method) {
    pressRows_.resize(rows);
    auto draw = [&](std::size_t row, std::size_t match) {
        const int sign = sure[match];
        pressRows_[row][match] = sign >= 0 ? static_cast<Sign>(sign) : DrawSign(method);
    };
    for (std::size_t outer = 0; outer < (rowByRow ? rows : sure.size()); ++outer) {
        for (std::size_t inner = 0; inner < (rowByRow ? sure.size() : rows); ++inner) {
            rowByRow ? draw(outer, inner) : draw(inner, outer);
        }
    }
}

std::size_t Controller::KeepDistinct(const SurePattern& sure, DrawMethod method,
                                     std::string_view kept) {
    distinct_.Start(sure);
    distinct_.TakeRowLines(kept);
    return distinct_.MakeDistinct(pressRows_, method);
}

void Controller::ReportDropped(std::size_t made, std::size_t asked) {
    if (made < asked) {
        const std::string message = text::DistinctRowsMade(made, asked);
        status_.SetString(message.c_str(), message.size());
    }
}

void Controller::GenerateCompatible(bool distinct) {
    const bool continues = append_.IsChecked() && Rader > 0;
    std::string_view header;
    if (!continues) {
        if (stryktipset_.IsChecked()) {
            header = "Stryktipset";
        }
        if (italian_.IsChecked()) {
            header = "Italienska Stryktipset";
        }
    }
    // Refuse a press whose rows would not fit, before anything changes.
    const std::size_t start = header.empty() ? TestLength() : header.size();
    const auto asked = static_cast<std::size_t>(antal_enkelrader);
    if (!TestFits(start + kCompatibleRowLength * asked)) {
        SetStatus(text::kRowsDoNotFit);
        return;
    }
    // The method and sure boxes cannot change during a press.
    const DrawMethod method = SelectedMethod();
    const SurePattern sure = SureSigns();
    DrawRows(asked, true, sure, method);
    // Without a header the rows go below the text, and must differ from its rows.
    const std::size_t rows =
        distinct ? KeepDistinct(sure, method, header.empty() ? TestText() : "") : asked;
    if (!header.empty()) {
        TestCopy(header);
    }
    // Wraps past 2^31 - 1 as a 32-bit int does, without signed overflow.
    Rader = static_cast<std::int32_t>(static_cast<std::uint32_t>(Rader) +
                                      static_cast<std::uint32_t>(rows));
    for (std::size_t row = 0; row < rows; ++row) {
        TestAppend(kRowStart);
        for (const Sign sign : pressRows_[row]) {
            TestAppend(kCompatibleSigns[SignIndex(sign)]);
        }
        ShowGrowingRows(row + 1 == rows);
    }
    if (rows == 0) {
        ShowRowsText();
    }
    ReportDropped(rows, asked);
}

void Controller::GenerateTable(bool distinct) {
    const DrawMethod method = SelectedMethod();
    const SurePattern sure = SureSigns();
    const auto asked = static_cast<std::size_t>(antal_enkelrader);
    DrawRows(asked, false, sure, method);
    const std::size_t rows = distinct ? KeepDistinct(sure, method, "") : asked;
    TestCopy(MatchLabel(1));
    for (int match = 1; match <= kMatchCount; ++match) {
        if (match >= 2) {
            TestAppend(MatchLabel(match));
        }
        for (std::size_t row = 0; row < rows; ++row) {
            TestAppend(kCellSigns[SignIndex(pressRows_[row][static_cast<std::size_t>(match - 1)])]);
            if (match == kMatchCount) {
                ShowGrowingRows(row + 1 == rows);
            }
        }
        if (SeparatorFollows(match)) {
            TestAppend(kTableSeparator);
            for (std::size_t row = 0; row < rows; ++row) {
                TestAppend(kTableSeparatorCell);
            }
        }
    }
    ReportDropped(rows, asked);
}

// ---- System row ------------------------------------------------------------

int Controller::CountSureBoxes() const {
    int count = 0;
    for (const auto& box : sure_) {
        count += box.IsChecked() ? 1 : 0;
    }
    return count;
}

void Controller::GenerateSystem() {
    SetStatus(text::kSystemDone);
    TestCopy(MatchLabel(1));
    sakra = 0;
    antal_enkeltecken = kMatchCount - antal_halvgarderingar - antal_helgarderingar;
    sakra = antal_enkeltecken - antalsakra;
    antal_enkeltecken = sakra;

    int singlesPlaced = 0;
    int halvesPlaced = 0;
    int fullsPlaced = 0;
    if (sakra < 0) {
        TestCopy(text::kTooManySure);
        ShowRowsText();
        return;
    }
    // A single sign follows the English statistics or else the classic table:
    // the system row never asks for "stat Sverige", so with that box checked
    // its single signs are classic ones, as they always were.
    const bool england = Method(kEnglandBox).IsChecked();
    for (int match = 1; match <= kMatchCount; ++match) {
        if (match >= 2) {
            TestAppend(MatchLabel(match));
        }
        const int sure = SureSign(match);
        if (sure >= 0) {
            TestAppend(kCellSigns[static_cast<std::size_t>(sure)]);
        } else {
            // The quotas add up to the matches without a sure sign, so some
            // class is open. Should they not (two sure boxes of one match set
            // by other means), the match takes a single sign rather than
            // drawing forever.
            const bool anyOpen = singlesPlaced < antal_enkeltecken ||
                                 halvesPlaced < antal_halvgarderingar ||
                                 fullsPlaced < antal_helgarderingar;
            bool placed = false;
            while (!placed) {
                const int d = DrawValue(anyOpen ? kSystemDrawRange : kLastSingleDraw);
                if (d <= kLastSingleDraw && (singlesPlaced < antal_enkeltecken || !anyOpen)) {
                    if (england) {
                        TestAppend(kCellSigns[SignIndex(DrawSign(DrawMethod::England))]);
                    } else {
                        TestAppend(kClassicSigns[SignIndex(SignOfDraw(DrawMethod::Classic, d))]);
                    }
                    ++singlesPlaced;
                    placed = true;
                } else if (halvesPlaced < antal_halvgarderingar && d > kLastSingleDraw &&
                           d <= kLastHalfDraw) {
                    TestAppend(d <= 9 ? kHalfOneCross : d <= 11 ? kHalfCrossTwo : kHalfOneTwo);
                    ++halvesPlaced;
                    placed = true;
                } else if (fullsPlaced < antal_helgarderingar && d > kLastHalfDraw) {
                    TestAppend(kFull);
                    ++fullsPlaced;
                    placed = true;
                }
            }
        }
        if (SeparatorFollows(match)) {
            TestAppend(kSystemSeparator);
        }
    }
    ShowRowsText();
}

// ---- Random sure match -----------------------------------------------------

void Controller::OnRandomSure(platform::Window, int, int code) {
    if (code == 0) {
        SetStatus(text::kSureDrawn);
    }
    while (true) {
        antalsakra = CountSureBoxes();
        if (antalsakra == kMatchCount) {
            SetStatus(text::kAllSure);
            return;
        }
        const int match = DrawValue(kMatchCount);
        if (SureSign(match) >= 0) {
            continue;
        }
        const Sign sign = DrawSign(SelectedMethod());
        SureBox(match, static_cast<int>(SignIndex(sign))).Check();
        return;
    }
}

} // namespace kupongen
