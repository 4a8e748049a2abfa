// The check window's template as a user meets it: what each frame holds, the
// keyboard's path through it, and the sign boxes and the typing line over
// one review.
#include "dialog_navigation.h"
#include "dialog_outline.h"
#include "review_window.h"
#include "rows_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kupongen::rows {
namespace {

using review_id::kCheckReport;
using review_id::kGradeReport;

FocusState AllAvailable() {
    return {[](ItemIndex) { return true; }, [](ItemIndex) { return false; }};
}

ItemIndex IndexOf(int itemId) {
    return static_cast<ItemIndex>(FindReviewItem(itemId) - kReviewItems.data());
}

std::string GroupCaption(int itemId) {
    const auto group = EnclosingGroupBox(kReviewItems, IndexOf(itemId));
    return group ? std::string(kReviewItems[*group].caption.view()) : "";
}

TEST(ReviewWindow, FramesHoldTheirItemsAndNothingOverlaps) {
    for (int match = 1; match <= kMatchCount; ++match) {
        for (int sign = 0; sign < kSignCount; ++sign) {
            EXPECT_EQ(GroupCaption(ReviewSignBoxId(match, sign)), "Resultat:");
        }
    }
    EXPECT_EQ(GroupCaption(review_id::kTyped), "Resultat:");
    EXPECT_EQ(GroupCaption(kCheckReport), "Kontroll:");
    EXPECT_EQ(GroupCaption(kGradeReport), "R\xE4ttning:");
    EXPECT_EQ(GroupCaption(review_id::kChart), "R\xE4ttning:");
    EXPECT_EQ(GroupCaption(review_id::kClose), "");
    for (std::size_t a = 0; a < kReviewItems.size(); ++a) {
        const DialogItem& one = kReviewItems[a];
        EXPECT_LE(one.x + one.width, kReviewWindow.width);
        EXPECT_LE(one.y + one.height, kReviewWindow.height);
        for (std::size_t b = a + 1; b < kReviewItems.size(); ++b) {
            const DialogItem& other = kReviewItems[b];
            if (one.kind == ItemKind::GroupBox || other.kind == ItemKind::GroupBox) {
                continue;
            }
            const bool apart = one.x + one.width <= other.x || other.x + other.width <= one.x ||
                               one.y + one.height <= other.y || other.y + other.height <= one.y;
            EXPECT_TRUE(apart) << one.caption.view() << " over " << other.caption.view();
        }
    }
}

TEST(ReviewWindow, TabVisitsEachPartOnceAndArrowsGoRoundTheSignBoxes) {
    std::vector<int> stops;
    ItemIndex at = IndexOf(review_id::kClose);
    do {
        at = *NextTabStop(kReviewItems, at, false, AllAvailable());
        stops.push_back(kReviewItems[at].id);
    } while (kReviewItems[at].id != review_id::kClose);
    EXPECT_EQ(stops, (std::vector<int>{review_id::kReadAgain, review_id::kOpenFile,
                                       ReviewSignBoxId(1, 0), review_id::kTyped, kCheckReport,
                                       kGradeReport, review_id::kChart, review_id::kClose}));

    ItemIndex box = IndexOf(ReviewSignBoxId(1, 0));
    for (int step = 1; step <= 39; ++step) {
        box = *NextInGroup(kReviewItems, box, false, AllAvailable());
    }
    EXPECT_EQ(kReviewItems[box].id, ReviewSignBoxId(1, 0));
    box = *NextInGroup(kReviewItems, box, true, AllAvailable());
    EXPECT_EQ(kReviewItems[box].id, ReviewSignBoxId(13, 2));
}

TEST(ReviewWindow, SignBoxesAndTypingShowOneResult) {
    RowsReview review;
    review.ReadRowsWindow(testing::SingleRows(3, 4, true));
    EXPECT_EQ(ReviewItemText(review, review_id::kSource), "K\xE4lla: raderna i f\xF6nstret");
    EXPECT_EQ(ReviewItemText(review, review_id::kTyped), "");

    EXPECT_TRUE(ReviewClick(review, ReviewSignBoxId(2, 1)));
    EXPECT_TRUE(ReviewItemChecked(review, ReviewSignBoxId(2, 1)));
    EXPECT_EQ(ReviewItemText(review, review_id::kTyped), "?X???????????");
    EXPECT_TRUE(ReviewClick(review, ReviewSignBoxId(2, 2))); // the other sign of the match
    EXPECT_FALSE(ReviewItemChecked(review, ReviewSignBoxId(2, 1)));
    EXPECT_TRUE(ReviewClick(review, ReviewSignBoxId(2, 2))); // a second click opens it
    EXPECT_EQ(ReviewItemText(review, review_id::kTyped), "");
    EXPECT_FALSE(ReviewClick(review, review_id::kClose));

    EXPECT_FALSE(review.TypeResult("1x2"));
    EXPECT_EQ(ReviewItemText(review, review_id::kTyped), "1x2");
    EXPECT_EQ(ReviewItemText(review, review_id::kResultStatus), review.ResultStatus());
    EXPECT_TRUE(review.TypeResult("1,x,2,1,x,2,1,x,2,1,x,2,-"));
    EXPECT_TRUE(ReviewItemChecked(review, ReviewSignBoxId(13 - 11, 1)));
    EXPECT_FALSE(ReviewItemChecked(review, ReviewSignBoxId(13, 0)));
    EXPECT_EQ(ReviewItemText(review, review_id::kGradeReport), review.GradeReport());
    EXPECT_NE(ReviewItemText(review, review_id::kChart).find("\r\n0 r\xE4tt: "), std::string::npos);
    EXPECT_TRUE(review.TypeResult(""));
    EXPECT_EQ(review.CurrentResult(), kOpenResult);

    EXPECT_EQ(ReviewFocusId(ReviewView::Check), kCheckReport);
    EXPECT_EQ(*ReviewScreenReaderName(ReviewSignBoxId(10, 2)), "Match 10: 2");
}

TEST(ReviewWindow, AReportIsAnnouncedByItsFirstLineAndWhatCounts) {
    RowsReview review;
    review.ReadRowsWindow(testing::SingleRows(3, 4, true));
    EXPECT_EQ(ReviewAnnouncement(review, kCheckReport),
              "Kontroll av raderna i f\xF6nstret\r\nFilen kan laddas upp.");
    review.TypeResult("1111111111111");
    const std::string grade = ReviewAnnouncement(review, kGradeReport);
    const std::size_t summary = grade.find("\r\nRader: 4\r\n13 r\xE4tt: ");
    EXPECT_EQ(grade.substr(0, summary), "R\xE4ttning av raderna i f\xF6nstret");
    EXPECT_EQ(grade.rfind("\r\n10 r\xE4tt: "), grade.find("\r\n10 r\xE4tt: "));
    EXPECT_NE(review.GradeReport().find(grade.substr(summary) + "\r\nF\xF6rdelning:"),
              std::string::npos);
    review.OpenFile("stor.txt", {ReadStatus::TooLarge, {}});
    EXPECT_EQ(ReviewAnnouncement(review, kGradeReport), review.CheckReport());
    EXPECT_EQ(ReviewAnnouncement(review, review_id::kChart), "");
}

} // namespace
} // namespace kupongen::rows
