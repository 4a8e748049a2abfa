#include "review_window.h"

#include "rows_words.h"
#include "template_builder.h"

namespace kupongen::rows {

namespace {

using words::Str;

// The sure grid's rows, moved up to the window's top: blocks of three
// matches, 10 apart, 15 between blocks.
constexpr std::array<int, kMatchCount> kMatchY = {36,  46,  56,  71,  81,  91, 106,
                                                  116, 126, 141, 151, 161, 171};
constexpr std::array<int, kSignCount> kSignBoxX = {45, 65, 85};

constexpr std::uint32_t kReport = kMultiLine | kReadOnly | kVerticalScrollBar |
                                  kHorizontalScrollBar | kBorder | kOptionGroupStart;

consteval std::array<DialogItem, kReviewItemCount> BuildReviewItems() {
    TemplateBuilder<kReviewItemCount> builder;

    builder.Add(review_id::kSource, ItemKind::Label, Caption(u8"Källa:"), 7, 8, 200, 10,
                kGroupMark);
    builder.Add(review_id::kReadAgain, ItemKind::PushButton, Caption(u8"Läs raderna igen"), 214, 5,
                86, 15, kOptionGroupStart);
    builder.Add(review_id::kOpenFile, ItemKind::PushButton, Caption(u8"Öppna fil…"), 305, 5, 88, 15,
                kOptionGroupStart);

    // Down beside "Stäng", so the longest refusal under the typing line has
    // four lines.
    builder.Add(kNoId, ItemKind::GroupBox, Caption(u8"Resultat:"), 5, 24, 120, 222);
    for (int match = 1; match <= kMatchCount; ++match) {
        for (int sign = 0; sign < kSignCount; ++sign) {
            const auto s = static_cast<std::size_t>(sign);
            builder.Add(ReviewSignBoxId(match, sign), ItemKind::CheckBox, SignCaption(sign),
                        kSignBoxX[s], kMatchY[static_cast<std::size_t>(match - 1)], 15, 10,
                        match == 1 && sign == 0 ? kOptionGroupStart : 0);
        }
    }
    for (int match = 1; match <= kMatchCount; ++match) {
        builder.Add(kNoId, ItemKind::Label, NumberCaption(match, "Match ", ":"), 10,
                    kMatchY[static_cast<std::size_t>(match - 1)], match <= 9 ? 30 : 32, 10,
                    kGroupMark);
    }
    builder.Add(kNoId, ItemKind::Label, Caption(u8"Skriv resultatet:"), 10, 187, 110, 10,
                kGroupMark);
    builder.Add(review_id::kTyped, ItemKind::Edit, Caption(u8""), 10, 197, 110, 13,
                kAutoHorizontalScroll | kBorder | kOptionGroupStart);
    builder.Add(review_id::kResultStatus, ItemKind::Label, Caption(u8""), 10, 212, 110, 32,
                kGroupMark);

    builder.Add(kNoId, ItemKind::GroupBox, Caption(u8"Kontroll:"), 130, 24, 265, 96);
    builder.Add(review_id::kCheckReport, ItemKind::Edit, Caption(u8""), 135, 35, 255, 80, kReport);
    builder.Add(kNoId, ItemKind::GroupBox, Caption(u8"Rättning:"), 130, 122, 265, 108);
    builder.Add(review_id::kGradeReport, ItemKind::Edit, Caption(u8""), 135, 133, 175, 92, kReport);
    builder.Add(review_id::kChart, ItemKind::Label, Caption(u8""), 315, 133, 75, 92,
                kOptionGroupStart);

    builder.Add(review_id::kClose, ItemKind::PushButton, Caption(u8"Stäng"), 343, 233, 50, 14,
                kOptionGroupStart);

    return builder.Items();
}

constexpr std::array<SignSet, kSignCount> kSignSets = {kOne, kCross, kTwo};

// "13 rätt: 2 rader", one line a count, most rights first.
std::string ChartText(const RowsReview& review) {
    std::string text = Str(Ansi(u8"Rader efter antal rätt:"));
    for (int rights = kMatches; rights >= 0; --rights) {
        text += words::kLineEnd;
        text += std::to_string(rights) + Str(Ansi(u8" rätt: ")) +
                words::Rows(review.Rights()[static_cast<std::size_t>(rights)]);
    }
    return text;
}

} // namespace

constinit const std::array<DialogItem, kReviewItemCount> kReviewItems = BuildReviewItems();

const DialogItem* FindReviewItem(int itemId) {
    return FindItem(kReviewItems, itemId);
}

std::optional<MatchSign> ReviewSignBoxOf(int itemId) {
    const int box = itemId - review_id::kFirstSignBox;
    if (box < 0 || box >= kMatchCount * kSignCount) {
        return std::nullopt;
    }
    return MatchSign{box / kSignCount + 1, box % kSignCount};
}

std::optional<std::string> ReviewScreenReaderName(int itemId) {
    if (const auto box = ReviewSignBoxOf(itemId)) {
        return Str(NumberCaption(box->match, "Match ", ":")) + ' ' +
               kSignLetters[static_cast<std::size_t>(box->sign)];
    }
    switch (itemId) {
    case review_id::kTyped:
        return Str(Ansi(u8"Resultat"));
    case review_id::kCheckReport:
        return Str(Ansi(u8"Kontroll"));
    case review_id::kGradeReport:
        return Str(Ansi(u8"Rättning"));
    case review_id::kChart:
        return Str(Ansi(u8"Rader efter antal rätt"));
    default:
        return std::nullopt;
    }
}

std::string ReviewItemText(const RowsReview& review, int itemId) {
    switch (itemId) {
    case review_id::kSource:
        return Str(Ansi(u8"Källa: ")) + review.SourceName();
    case review_id::kTyped:
        return review.TypedResult();
    case review_id::kResultStatus:
        return review.ResultStatus().empty()
                   ? Str(Ansi(u8"13 tecken: 1, X, 2, eller ? för en match som inte är klar."))
                   : review.ResultStatus();
    case review_id::kCheckReport:
        return review.CheckReport();
    case review_id::kGradeReport:
        return review.GradeReport();
    case review_id::kChart:
        return ChartText(review);
    default:
        const DialogItem* item = FindReviewItem(itemId);
        return item == nullptr ? std::string() : std::string(item->caption.view());
    }
}

std::string ReviewAnnouncement(const RowsReview& review, int itemId) {
    const bool check = itemId == review_id::kCheckReport;
    if (!check && itemId != review_id::kGradeReport) {
        return {};
    }
    const std::string& report = check ? review.CheckReport() : review.GradeReport();
    const std::size_t end = report.find(words::kLineEnd);
    if (end == std::string::npos) {
        return report;
    }
    return report.substr(0, end) + std::string(words::kLineEnd) +
           (check ? Verdict(review.Text(), review.CheckResult())
                  : GradeSummary(review.GradeResult()));
}

bool ReviewItemChecked(const RowsReview& review, int itemId) {
    const auto box = ReviewSignBoxOf(itemId);
    return box && review.Sign(box->match) == kSignSets[static_cast<std::size_t>(box->sign)];
}

bool ReviewClick(RowsReview& review, int itemId) {
    const auto box = ReviewSignBoxOf(itemId);
    if (!box) {
        return false;
    }
    review.ToggleSign(box->match, kSignSets[static_cast<std::size_t>(box->sign)]);
    return true;
}

int ReviewFocusId(ReviewView view) {
    return view == ReviewView::Check ? review_id::kCheckReport : ReviewSignBoxId(1, 0);
}

} // namespace kupongen::rows
