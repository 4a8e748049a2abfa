// The 113 controls the program drives, in the order the Controller holds them,
// and the id tables of each group. Everything that addresses a control by
// value, match or sign goes through these tables.
#pragma once

#include <array>
#include <cstddef>
#include <stdexcept>

namespace kupongen {

enum class ControlKind { Edit, PushButton, CheckBox, RadioButton };

inline constexpr std::size_t kControlCount = 113;

// Single controls.
namespace id {
inline constexpr int kInfoPanel = 1117;
inline constexpr int kStatus = 1000;
inline constexpr int kRows = 1039;
inline constexpr int kEnkelrader = 1001;
inline constexpr int kSystem = 1002;
inline constexpr int kAppend = 1115;
inline constexpr int kCompatible = 1068;
inline constexpr int kStryktipset = 1069;
inline constexpr int kItalian = 1070;
inline constexpr int kGenerate = 1007;
inline constexpr int kSave = 1008;
inline constexpr int kInstructions = 1009;
inline constexpr int kRandomSure = 1114;
inline constexpr int kClassic = 1072;
inline constexpr int kEngland = 1073;
inline constexpr int kSverige = 1116;
} // namespace id

inline constexpr int kMatchCount = 13;
inline constexpr int kCoverValues = 14; // 0 to 13

// Half-cover buttons, indexed by their value 0 to 13.
inline constexpr std::array<int, kCoverValues> kHalfCoverIds = {
    1037, 1003, 1012, 1013, 1014, 1015, 1016, 1017, 1018, 1019, 1020, 1021, 1022, 1023};

// Full-cover boxes, indexed by their value 0 to 13.
inline constexpr std::array<int, kCoverValues> kFullCoverIds = {
    1038, 1024, 1025, 1026, 1027, 1028, 1029, 1030, 1031, 1032, 1033, 1034, 1035, 1036};

// Row-count buttons in control-table order: "72" (id 1054) stands between
// "14" and "15".
struct RowCountButton {
    int id;
    int rows;
};
inline constexpr std::array<RowCountButton, 30> kRowCountButtons = {{
    {1040, 1},  {1041, 2},  {1042, 3},  {1043, 4},  {1044, 5},   {1045, 6},
    {1046, 7},  {1047, 8},  {1048, 9},  {1049, 10}, {1050, 11},  {1051, 12},
    {1052, 13}, {1053, 14}, {1054, 72}, {1055, 15}, {1056, 16},  {1057, 17},
    {1058, 18}, {1059, 19}, {1060, 20}, {1061, 21}, {1062, 22},  {1063, 23},
    {1064, 24}, {1065, 36}, {1066, 50}, {1067, 60}, {1071, 144}, {1113, 256},
}};

// The row-count button that gives a number of rows.
constexpr int RowCountId(int rows) {
    for (const auto& button : kRowCountButtons) {
        if (button.rows == rows) {
            return button.id;
        }
    }
    throw std::invalid_argument("no row-count button gives this many rows");
}

// Position of a row-count button in control-table order, by its row count.
consteval std::size_t RowCountPosition(int rows) {
    std::size_t position = 0;
    while (kRowCountButtons[position].rows != rows) {
        ++position;
    }
    return position;
}

// Method boxes in control-table order, named by their positions.
enum MethodBox : std::size_t { kClassicBox, kEnglandBox, kSverigeBox, kMethodBoxCount };
inline constexpr std::array<int, kMethodBoxCount> kMethodIds = {id::kClassic, id::kEngland,
                                                                id::kSverige};

enum class Sign { One, Cross, Two };
inline constexpr int kSignCount = 3;

// The 39 sure boxes have consecutive ids, match by match.
inline constexpr int kFirstSureBoxId = 1074;
inline constexpr int kSureBoxCount = kMatchCount * kSignCount;

// Sure box of match m (1 to 13) and sign s (0 for 1, 1 for X, 2 for 2).
constexpr int SureBoxId(int match, int sign) {
    return kFirstSureBoxId + kSignCount * (match - 1) + sign;
}

struct ControlEntry {
    int id;
    ControlKind kind;
};

namespace detail {
consteval std::array<ControlEntry, kControlCount> BuildControlTable() {
    std::array<ControlEntry, kControlCount> table{};
    std::size_t n = 0;
    auto add = [&](int controlId, ControlKind kind) { table[n++] = {controlId, kind}; };
    add(id::kInfoPanel, ControlKind::Edit);
    add(id::kStatus, ControlKind::Edit);
    add(id::kRows, ControlKind::Edit);
    add(id::kEnkelrader, ControlKind::CheckBox);
    add(id::kSystem, ControlKind::CheckBox);
    for (const int halfId : kHalfCoverIds) {
        add(halfId, ControlKind::RadioButton);
    }
    for (const auto& button : kRowCountButtons) {
        add(button.id, ControlKind::RadioButton);
    }
    add(id::kAppend, ControlKind::CheckBox);
    add(id::kCompatible, ControlKind::CheckBox);
    add(id::kStryktipset, ControlKind::CheckBox);
    add(id::kItalian, ControlKind::CheckBox);
    add(id::kGenerate, ControlKind::PushButton);
    add(id::kSave, ControlKind::PushButton);
    add(id::kInstructions, ControlKind::PushButton);
    add(id::kRandomSure, ControlKind::PushButton);
    for (int value = 1; value < kCoverValues; ++value) {
        add(kFullCoverIds[static_cast<std::size_t>(value)], ControlKind::CheckBox);
    }
    add(kFullCoverIds[0], ControlKind::CheckBox);
    for (const int methodId : kMethodIds) {
        add(methodId, ControlKind::CheckBox);
    }
    for (int i = 0; i < kSureBoxCount; ++i) {
        add(kFirstSureBoxId + i, ControlKind::CheckBox);
    }
    if (n != kControlCount) {
        throw "control table must hold 113 controls";
    }
    return table;
}
} // namespace detail

inline constexpr std::array<ControlEntry, kControlCount> kControlTable =
    detail::BuildControlTable();

namespace detail {
consteval int ExtremeControlId(bool highest) {
    int extreme = kControlTable[0].id;
    for (const ControlEntry& entry : kControlTable) {
        if (highest ? entry.id > extreme : entry.id < extreme) {
            extreme = entry.id;
        }
    }
    return extreme;
}
} // namespace detail

// The range every control id lies in, for tables indexed by id.
inline constexpr int kLowestControlId = detail::ExtremeControlId(false);
inline constexpr int kHighestControlId = detail::ExtremeControlId(true);
inline constexpr std::size_t kControlIdSpan =
    static_cast<std::size_t>(kHighestControlId - kLowestControlId + 1);

// Position in the control table of a dialog id, or -1 for an id no control has.
constexpr int ControlPosition(int controlId) {
    for (std::size_t i = 0; i < kControlTable.size(); ++i) {
        if (kControlTable[i].id == controlId) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

} // namespace kupongen
