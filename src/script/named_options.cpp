#include "named_options.h"

#include "ansi_text.h"
#include "menu_table.h"
#include "script_runner.h"
#include "system_upload.h"
#include "texts.h"

#include <array>
#include <charconv>
#include <climits>
#include <ostream>
#include <utility>

namespace kupongen::script {

namespace {

// Plain decimal digits from 0 to max, leading zeros allowed; no sign.
std::optional<int> Decimal(std::string_view text, int max) {
    unsigned value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc{} || stop != end || value > static_cast<unsigned>(max)) {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

using Reason = std::optional<std::string>;

Reason StoreRows(RowsRequest& request, std::string_view value) {
    const auto rows = Decimal(value, INT_MAX);
    for (const RowCountButton& button : kRowCountButtons) {
        if (rows == button.rows) {
            request.rows = rows;
            return std::nullopt;
        }
    }
    return "the row counts are 1 to 24, 36, 50, 60, 72, 144 and 256";
}

Reason StoreSystem(RowsRequest& request, std::string_view value) {
    const std::size_t comma = value.find(',');
    if (comma == std::string_view::npos) {
        return "expected H,F (half covers, full covers), as in 3,2";
    }
    const auto half = Decimal(value.substr(0, comma), INT_MAX);
    const auto full = Decimal(value.substr(comma + 1), INT_MAX);
    if (!half || !full) {
        return "expected H,F (half covers, full covers), as in 3,2";
    }
    if (*half > kMatchCount || *full > kMatchCount) {
        return "H and F are each 0 to 13";
    }
    if (*half + *full > kMatchCount) {
        return "H + F is at most 13, the number of matches";
    }
    request.system = Covers{*half, *full};
    return std::nullopt;
}

Reason StoreUpload(RowsRequest& request, std::string_view value) {
    if (value.empty() || value == "stryktipset") {
        request.upload = UploadHeader::kStryktipset;
    } else if (value == "italienska") {
        request.upload = UploadHeader::kItalienska;
    } else {
        return "the headers are stryktipset and italienska";
    }
    return std::nullopt;
}

Reason StoreAppend(RowsRequest& request, std::string_view value) {
    const auto presses = Decimal(value, INT_MAX);
    if (!presses || *presses < 1) {
        return "K is a number of presses, at least 1";
    }
    request.append = presses;
    return std::nullopt;
}

Reason StoreMethod(RowsRequest& request, std::string_view value) {
    constexpr std::array<std::string_view, kMethodBoxCount> kNames = {"klassiskt", "england",
                                                                      "sverige"};
    for (std::size_t box = 0; box < kMethodBoxCount; ++box) {
        if (value == kNames[box]) {
            request.method = static_cast<MethodBox>(box);
            return std::nullopt;
        }
    }
    return "the methods are klassiskt, england and sverige";
}

// M=S[,M=S...]; a match may be sure only once over every --sure.
Reason StoreSure(RowsRequest& request, std::string_view value) {
    constexpr std::string_view kSigns = "1X2";
    while (true) {
        const std::string_view item = value.substr(0, value.find(','));
        const std::size_t equals = item.find('=');
        const auto match = Decimal(item.substr(0, equals), INT_MAX);
        if (equals == std::string_view::npos || !match) {
            return '"' + Quoted(item) + "\" is not M=S, as in 4=X";
        }
        if (*match < 1 || *match > kMatchCount) {
            return "there is no match " + std::to_string(*match) + " (1 to 13)";
        }
        const std::string_view sign = item.substr(equals + 1);
        const std::size_t index = sign == "x"        ? 1
                                  : sign.size() == 1 ? kSigns.find(sign)
                                                     : kSigns.npos;
        if (index == kSigns.npos) {
            return '"' + Quoted(sign) + "\" is no sign (1, X or 2)";
        }
        for (const SureMatch& earlier : request.sure) {
            if (earlier.match == *match) {
                return "match " + std::to_string(*match) + " is given twice";
            }
        }
        request.sure.push_back({*match, static_cast<int>(index)});
        if (item.size() == value.size()) {
            return std::nullopt;
        }
        value.remove_prefix(item.size() + 1);
    }
}

Reason StoreRandomSure(RowsRequest& request, std::string_view value) {
    const auto presses = Decimal(value, kMatchCount);
    if (!presses) {
        return "K is 0 to 13 presses";
    }
    request.randomSure = *presses;
    return std::nullopt;
}

Reason StoreDistinct(RowsRequest& request, std::string_view) {
    request.distinct = true;
    return std::nullopt;
}

Reason StoreOutput(RowsRequest& request, std::string_view value) {
    if (value.empty()) {
        return "the file name is empty";
    }
    request.output = value;
    return std::nullopt;
}

constexpr std::array<NamedOption, 9> kNamedOptions = {{
    {"rows", 0, Takes::kValue, StoreRows},
    {"system", 0, Takes::kValue, StoreSystem},
    {"upload", 0, Takes::kOptionalValue, StoreUpload},
    {"append", 0, Takes::kValue, StoreAppend},
    {"method", 0, Takes::kValue, StoreMethod},
    {"sure", 0, Takes::kValue, StoreSure},
    {"random-sure", 0, Takes::kValue, StoreRandomSure},
    {"distinct", 0, Takes::kNothing, StoreDistinct},
    {"output", 'o', Takes::kValue, StoreOutput},
}};

// The options as a message names them.
std::string RowsText(const RowsRequest& request) {
    return "--rows " + std::to_string(*request.rows);
}
std::string SystemText(const RowsRequest& request) {
    return "--system " + std::to_string(request.system->half) + "," +
           std::to_string(request.system->full);
}

// What a press can give instead of rows: the status line of an Append press
// whose rows no longer fit, or the system row's warning in the rows window.
std::optional<std::string> PressWarning(ScriptTarget& target) {
    std::string status = target.Text(id::kStatus);
    if (status == text::kRowsDoNotFit.view()) {
        return status;
    }
    std::string rows = target.Text(id::kRows);
    if (rows == text::kTooManySure.view()) {
        return rows;
    }
    return std::nullopt;
}

} // namespace

std::span<const NamedOption> NamedOptions() {
    return kNamedOptions;
}

std::optional<std::string> CheckRowsRequest(const RowsRequest& request) {
    if (request.rows && request.system) {
        return RowsText(request) + " and " + SystemText(request) +
               ": single rows or a system row, not both";
    }
    if (!request.rows && !request.system) {
        return request.firstOption + ": needs --rows N or --system H,F";
    }
    if (request.system && request.append) {
        return "--append " + std::to_string(*request.append) + " and " + SystemText(request) +
               ": Append adds single rows";
    }
    if (request.system && request.distinct) {
        return "--distinct and " + SystemText(request) + ": distinct rows are single rows";
    }
    if (request.append && !request.upload) {
        return "--append " + std::to_string(*request.append) +
               ": needs --upload, as Append adds to the upload format";
    }
    return std::nullopt;
}

std::vector<int> SetupClicks(const RowsRequest& request) {
    // At start: one row, no covers, Stryktipset and stat England are marked.
    std::vector<int> clicks;
    if (request.system) {
        // The system's upload file is headed as the hidden format boxes say:
        // the Italian box is checked where a user can reach it, before SYSTEM.
        if (request.upload == UploadHeader::kItalienska) {
            clicks = {id::kEnkelrader, id::kCompatible, id::kItalian};
        }
        clicks.push_back(id::kSystem);
        if (request.system->half != 0) {
            clicks.push_back(kHalfCoverIds[static_cast<std::size_t>(request.system->half)]);
        }
        if (request.system->full != 0) {
            clicks.push_back(kFullCoverIds[static_cast<std::size_t>(request.system->full)]);
        }
    } else {
        clicks.push_back(id::kEnkelrader);
        if (*request.rows != 1) {
            clicks.push_back(RowCountId(*request.rows));
        }
        if (request.upload) {
            clicks.push_back(id::kCompatible);
            if (*request.upload == UploadHeader::kItalienska) {
                clicks.push_back(id::kItalian);
            }
            if (request.append) {
                clicks.push_back(id::kAppend);
            }
        }
    }
    if (request.method != kEnglandBox) {
        clicks.push_back(kMethodIds[request.method]);
    }
    for (const SureMatch& sure : request.sure) {
        clicks.push_back(SureBoxId(sure.match, sure.sign));
    }
    clicks.insert(clicks.end(), static_cast<std::size_t>(request.randomSure), id::kRandomSure);
    if (request.distinct) {
        clicks.push_back(id::kMenuDistinct);
    }
    return clicks;
}

int RunRowsRequest(const RowsRequest& request, const TargetFactory& makeTarget, std::ostream& out,
                   std::ostream& err) {
    constexpr std::string_view kProgram = "kupongen-headless: ";
    std::vector<std::string> boxes;
    const std::unique_ptr<ScriptTarget> target =
        makeTarget([&boxes](std::string_view text, std::string_view) { boxes.emplace_back(text); });
    for (const int controlId : SetupClicks(request)) {
        controlId >= kFirstMenuId ? target->Notify(controlId, 0) : target->Click(controlId);
    }
    // A refused press stays refused: the rows only grow.
    for (int press = 0; press < request.append.value_or(1); ++press) {
        target->Click(id::kGenerate);
        if (const auto warning = PressWarning(*target)) {
            err << kProgram << AnsiToUtf8(*warning) << '\n';
            return 1;
        }
        // A distinct press that ran out of rows keeps those it made and says so.
        const std::string status = target->Text(id::kStatus);
        if (request.distinct && status != text::kSingleRowsDone.view()) {
            err << kProgram << AnsiToUtf8(status) << '\n';
        }
    }
    // The system's upload file, as the menu command makes it from the rows
    // window, or its refusal, which comes before any path is asked for.
    const bool systemUpload = request.system && request.upload;
    std::string uploadBytes;
    if (systemUpload) {
        rows::SystemUpload upload = rows::MakeSystemUpload(
            target->Text(id::kRows), *request.upload == UploadHeader::kItalienska
                                         ? rows::Product::Italienska
                                         : rows::Product::Stryktipset);
        if (!upload.ok) {
            err << kProgram << AnsiToUtf8(upload.status) << '\n';
            return 1;
        }
        uploadBytes = std::move(upload.bytes);
    }
    if (!request.output) {
        out << (systemUpload ? uploadBytes : target->Text(id::kRows));
        out.flush();
        if (!out) {
            err << kProgram << "standard output could not be written\n";
            return 1;
        }
        return 0;
    }
    const SaveChoice choice = ChooseSave(*request.output);
    if (!choice.refusal.empty()) {
        err << kProgram << Quoted(*request.output) << ": " << choice.refusal << '\n';
        return 1;
    }
    systemUpload ? target->SaveSystemTo(choice.path) : target->SaveTo(choice.path);
    if (!boxes.empty()) {
        err << kProgram << Quoted(choice.path) << ": " << AnsiToUtf8(boxes.front()) << '\n';
        return 1;
    }
    return 0;
}

} // namespace kupongen::script
