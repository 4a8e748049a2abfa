#include "rows_review.h"

#include "ansi_text.h"
#include "rows_words.h"

namespace kupongen::rows {
namespace {

bool IsSign(SignSet sign) {
    return sign == 0 || sign == kOne || sign == kCross || sign == kTwo;
}

} // namespace

RowsReview::RowsReview() : sourceName_(words::Str(Ansi(u8"raderna i fönstret"))) {
    Load();
}

void RowsReview::Show(ReviewView view) {
    if (view != view_) {
        view_ = view;
        ++revision_;
    }
}

void RowsReview::ReadRowsWindow(std::string_view text) {
    SetSource(words::Str(Ansi(u8"raderna i fönstret")), text, ReadStatus::Read);
}

void RowsReview::OpenFile(std::string_view name, const BoundedRead& read) {
    SetSource(std::string(name), read.bytes, read.status);
}

void RowsReview::SetSource(std::string name, std::string_view bytes, ReadStatus status) {
    // A text over the limit is not kept: it reads as too large again at once.
    const bool kept = bytes.size() <= kMaxTextBytes;
    if (kept && name == sourceName_ && status == sourceStatus_ && bytes == sourceBytes_) {
        return;
    }
    sourceName_ = std::move(name);
    sourceStatus_ = status;
    sourceBytes_ = kept ? std::string(bytes) : std::string();
    Load(bytes);
}

void RowsReview::Load(std::string_view bytes) {
    text_ = sourceStatus_ == ReadStatus::Read ? ReadRows(bytes) : RowsText{};
    if (sourceStatus_ == ReadStatus::TooLarge) {
        text_.kind = TextKind::TooLarge;
    }
    check_ = CheckRows(text_);
    checkReport_ = sourceStatus_ == ReadStatus::Read ? rows::CheckReport(text_, check_, sourceName_)
                                                     : ReadFailureText(sourceStatus_, sourceName_);
    Regrade(grade_.result);
}

void RowsReview::Regrade(const Result& result) {
    grade_ = GradeRows(text_, result);
    gradeReport_ = sourceStatus_ == ReadStatus::Read ? rows::GradeReport(text_, grade_, sourceName_)
                                                     : checkReport_;
    ++revision_;
}

void RowsReview::SetResult(const Result& result) {
    if (!resultStatus_.empty()) {
        resultStatus_.clear();
        ++revision_;
    }
    if (result != grade_.result) {
        Regrade(result);
    }
}

SignSet RowsReview::Sign(int match) const {
    return match >= 1 && match <= kMatches ? grade_.result[static_cast<std::size_t>(match - 1)]
                                           : SignSet{0};
}

void RowsReview::SetSign(int match, SignSet sign) {
    if (match < 1 || match > kMatches || !IsSign(sign)) {
        return;
    }
    Result result = grade_.result;
    result[static_cast<std::size_t>(match - 1)] = sign;
    SetResult(result);
    SetTyped(result == kOpenResult ? std::string() : ResultText(result));
}

void RowsReview::SetTyped(std::string typed) {
    if (typed != typed_) {
        typed_ = std::move(typed);
        ++revision_;
    }
}

void RowsReview::ToggleSign(int match, SignSet sign) {
    SetSign(match, Sign(match) == sign ? SignSet{0} : sign);
}

bool RowsReview::TypeResult(std::string_view typed) {
    SetTyped(std::string(typed));
    if (typed.empty()) {
        SetResult(kOpenResult);
        return true;
    }
    ResultParse parse = ParseResult(typed);
    if (!parse.ok) {
        if (parse.refusal != resultStatus_) {
            resultStatus_ = std::move(parse.refusal);
            ++revision_;
        }
        return false;
    }
    SetResult(parse.result);
    return true;
}

void RowsReview::OpenAll() {
    SetResult(kOpenResult);
    SetTyped({});
}

} // namespace kupongen::rows
