// Rows from named options: the choices a user makes in the window, given on
// the command line, turned into the same clicks on the same dialog a script
// drives. The rows are the window's own, byte for byte.
#pragma once

#include "control_table.h"
#include "script_target.h"

#include <iosfwd>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kupongen::script {

enum class UploadHeader { kStryktipset, kItalienska };

struct Covers {
    int half = 0;
    int full = 0;
};

struct SureMatch {
    int match = 0; // 1 to 13
    int sign = 0;  // 0 for 1, 1 for X, 2 for 2
};

// What the options ask for. Exactly one of rows and system is set once the
// request has passed CheckRowsRequest. With system, upload asks for the
// system's upload file (the menu's "Spara systemet för uppladdning…") instead
// of the table.
struct RowsRequest {
    std::optional<int> rows;
    std::optional<Covers> system;
    std::optional<UploadHeader> upload;
    std::optional<int> append; // presses of GENERERA with the Append box
    MethodBox method = kEnglandBox;
    std::vector<SureMatch> sure; // in the order given
    int randomSure = 0;
    bool distinct = false; // Verktyg > Unika rader before the first press
    std::optional<std::string> output;
    // The first of these options as given, for the messages that need one.
    std::string firstOption;
};

enum class Takes { kNothing, kValue, kOptionalValue };

// An option of the rows form. store reads its value (empty for an option
// given without one) into the request, or returns why the value is wrong.
struct NamedOption {
    std::string_view name; // the long name, without "--"
    char shortName = 0;    // 0 when it has none
    Takes takes = Takes::kNothing;
    std::optional<std::string> (*store)(RowsRequest& request, std::string_view value) = nullptr;
};

std::span<const NamedOption> NamedOptions();

// A usage error in the options taken together (one line, without the
// program's name), or nothing when they can run.
std::optional<std::string> CheckRowsRequest(const RowsRequest& request);

// The clicks before the first press of GENERERA, in the order a user makes
// them, and only those that change something; a menu id among them
// (kFirstMenuId to kLastMenuId) is a menu command, and comes last.
std::vector<int> SetupClicks(const RowsRequest& request);

// Makes the clicks, the presses and the save on a dialog made by makeTarget.
// The rows, or the system's upload file, go to request.output, or else
// unchanged to out; a warning of the program, a refused upload file or a
// failed save goes to err as one UTF-8 line, and so does the status line of a
// distinct press that made fewer rows than asked (which still writes them).
// Returns the exit status: 0 when the rows were written, 1 otherwise.
int RunRowsRequest(const RowsRequest& request, const TargetFactory& makeTarget, std::ostream& out,
                   std::ostream& err);

} // namespace kupongen::script
