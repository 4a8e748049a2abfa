// The Controller owns the wrappers of the 113 controls and turns every command
// notification of the dialog into the program's behaviour.
#pragma once

#include "control_table.h"
#include "controls.h"
#include "distinct_rows.h"
#include "generation.h"
#include "menu_table.h"
#include "update_pace.h"

#include <array>
#include <chrono>
#include <cstddef>
#include <string_view>
#include <vector>

namespace kupongen {

class Controller {
public:
    // Wraps the controls, sets the icons, hides the mode-dependent controls,
    // marks the defaults and writes the info text. The clock paces the rows
    // window's updates during a press.
    explicit Controller(platform::Window window,
                        UpdatePace::Clock clock = std::chrono::steady_clock::now);

    Controller(const Controller&) = delete;
    Controller& operator=(const Controller&) = delete;

    // The event entry: control or menu id and notification code (0 for a
    // click or a menu choice).
    void Command(platform::Window window, int controlId, int code);

private:
    using Handler = void (Controller::*)(platform::Window window, int argument, int code);
    struct Route {
        Handler handler = nullptr;
        int argument = 0;
    };
    // One route for every id in the control table's range; the edits have none.
    static std::array<Route, kControlIdSpan> BuildRoutes();
    static std::array<Route, kMenuCommandCount> BuildMenuRoutes();

    enum Mode { kModeEnkelrader, kModeSystem };

    void OnMode(platform::Window, int mode, int code);
    void OnHalfCover(platform::Window, int value, int code);
    void OnFullCover(platform::Window, int value, int code);
    void OnRowCount(platform::Window, int button, int code);
    void OnMethod(platform::Window, int method, int code);
    void OnSureBox(platform::Window, int box, int code);
    void OnCompatible(platform::Window, int, int code);
    void OnStryktipset(platform::Window, int, int code);
    void OnItalian(platform::Window, int, int code);
    void OnAppend(platform::Window, int, int code);
    void OnInstructions(platform::Window, int, int code);
    void OnGenerate(platform::Window, int, int code);
    void OnSave(platform::Window window, int, int code);
    void OnRandomSure(platform::Window, int, int code);
    void OnDistinct(platform::Window window, int, int code);
    void OnSaveSystem(platform::Window window, int, int code);
    void OnRowsReview(platform::Window window, int kind, int code);

    void SetStatus(std::string_view message) { status_.SetString(message); }
    void ShowRowsText() { rows_.SetString(test, TestLength()); }
    // The rows window while a press fills it: the last row always shows, the
    // rows before it at the pace the window can take.
    void ShowGrowingRows(bool lastRow) {
        if (lastRow) {
            ShowRowsText();
        } else {
            pace_.Between([this] { ShowRowsText(); });
        }
    }

    // Single rows.
    bool AnyMethodChecked() const;
    DrawMethod SelectedMethod() const;
    SurePattern SureSigns() const;
    // The press's rows, drawn row by row (the upload format) or match by
    // match (the table).
    void DrawRows(std::size_t rows, bool rowByRow, const SurePattern& sure, DrawMethod method);
    // Distinct rows: the drawn rows made distinct from each other and from
    // the rows of the text the press keeps; returns how many are kept.
    std::size_t KeepDistinct(const SurePattern& sure, DrawMethod method, std::string_view kept);
    void ReportDropped(std::size_t made, std::size_t asked);
    void GenerateCompatible(bool distinct);
    void GenerateTable(bool distinct);

    // System row.
    int CountSureBoxes() const;
    void GenerateSystem();

    CheckBox& SureBox(int match, int sign) {
        return sure_[static_cast<std::size_t>(3 * (match - 1) + sign)];
    }
    const CheckBox& SureBox(int match, int sign) const {
        return sure_[static_cast<std::size_t>(3 * (match - 1) + sign)];
    }
    // The checked sure sign of a match, first of 1, X, 2; or -1.
    int SureSign(int match) const;

    CheckBox& Method(MethodBox box) { return method_[box]; }
    const CheckBox& Method(MethodBox box) const { return method_[box]; }
    RadioButton& HalfCover(int value) { return halfCover_[static_cast<std::size_t>(value)]; }
    CheckBox& FullCover(int value) {
        return fullCover_[static_cast<std::size_t>(value == 0 ? kCoverValues - 1 : value - 1)];
    }

    // Declared, and so built, in the order of the control table.
    Edit info_;
    Edit status_;
    Edit rows_;
    CheckBox enkelrader_;
    CheckBox system_;
    std::array<RadioButton, kCoverValues> halfCover_; // by value
    std::array<RadioButton, kRowCountButtons.size()> rowCount_;
    CheckBox append_;
    CheckBox compatible_;
    CheckBox stryktipset_;
    CheckBox italian_;
    Button generate_;
    Button save_;
    Button instructions_;
    Button randomSure_;
    std::array<CheckBox, kCoverValues> fullCover_; // values 1 to 13, then 0
    std::array<CheckBox, kMethodBoxCount> method_;
    std::array<CheckBox, kSureBoxCount> sure_;

    UpdatePace pace_;
    std::vector<Row> pressRows_;
    DistinctRows distinct_;
};

} // namespace kupongen
