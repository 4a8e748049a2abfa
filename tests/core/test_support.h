// Shared fixture and helpers for the core tests. The core keeps its state in
// globals, so every test starts from the program's start-up values.
#pragma once

#include "ansi_text.h"
#include "control_table.h"
#include "dialog_session.h"
#include "generation.h"
#include "random_mersenne.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

namespace kupongen::testing {

// Windows-1252 bytes of a UTF-8 literal, so expectations stay readable.
inline std::string A(std::u8string_view utf8) {
    return Utf8ToAnsi({reinterpret_cast<const char*>(utf8.data()), utf8.size()});
}

// The sure sign of each match (0 for 1, 1 for X, 2 for 2), or -1 for none.
using SureSigns = std::array<int, kMatchCount>;
inline constexpr SureSigns kNoSure = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};

inline std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find("\r\n", start);
        lines.emplace_back(text.substr(start, end - start));
        if (end == std::string_view::npos) {
            return lines;
        }
        start = end + 2;
    }
}

// count successes of n trials with chance p lie within five standard deviations.
inline void ExpectBinomial(long count, long n, double p, const std::string& what) {
    const double nd = static_cast<double>(n);
    EXPECT_NEAR(static_cast<double>(count), nd * p, 5.0 * std::sqrt(nd * p * (1.0 - p)))
        << what << ": " << count << " of " << n;
}

// The sign of one draw of g by a method, from the thresholds of the statistics tables.
inline char OracleSign(TRandomMersenne& g, DrawMethod method) {
    if (method == DrawMethod::England) {
        const int v = g.IRandom(1, 195);
        return v <= 91 ? '1' : v <= 142 ? 'X' : '2';
    }
    if (method == DrawMethod::Sverige) {
        const int v = g.IRandom(1, 169);
        return v <= 66 ? '1' : v <= 105 ? 'X' : '2';
    }
    const int v = g.IRandom(1, 6);
    return v <= 3 ? '1' : v == 4 ? 'X' : '2';
}

// True when g and rg will give the same next values: a press drew what was expected.
inline bool SameState(TRandomMersenne g) {
    TRandomMersenne current = rg;
    return g.BRandom() == current.BRandom() && g.BRandom() == current.BRandom();
}

// Everything a handler may change: the controls, the generation globals, the rows buffer.
using Snapshot = std::tuple<std::vector<std::tuple<bool, bool, bool, std::string>>,
                            std::vector<int>, std::string>;

inline Snapshot TakeSnapshot(const DialogModel& model) {
    Snapshot s;
    for (const auto& c : model.Controls()) {
        std::get<0>(s).emplace_back(c.visible, c.enabled, c.checked, c.text);
    }
    std::get<1>(s) = {Rader,
                      antal_enkelrader,
                      antal_halvgarderingar,
                      antal_helgarderingar,
                      antal_enkeltecken,
                      antalsakra,
                      sakra,
                      ir};
    std::get<2>(s) = std::string(TestText());
    return s;
}

class SessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        Rader = antal_halvgarderingar = antal_helgarderingar = 0;
        antal_enkeltecken = antalsakra = sakra = ir = 0;
        antal_enkelrader = 1;
        TestCopy("");
        rg.RandomInit(20040411);
        session = std::make_unique<DialogSession>();
    }

    DialogModel& Model() { return session->Model(); }
    ControlState& C(int controlId) { return *Model().Item(controlId); }
    bool Visible(int controlId) { return C(controlId).visible; }
    bool Checked(int controlId) { return C(controlId).checked; }
    std::string Status() { return C(id::kStatus).text; }
    std::string Rows() { return C(id::kRows).text; }
    void SetChecked(int controlId, bool on) { Model().SetChecked(C(controlId), on); }
    void Click(int controlId) { EXPECT_TRUE(session->Click(controlId)) << "id " << controlId; }

    void ChooseSingleRows(int rows, bool compatible) {
        Click(id::kEnkelrader);
        Click(RowCountId(rows));
        if (compatible) {
            Click(id::kCompatible);
        }
    }
    void ChooseMethod(int methodId) {
        if (!Checked(methodId)) {
            Click(methodId);
        }
    }
    void ChooseSystem(int halves, int fulls) {
        Click(id::kSystem);
        Click(kHalfCoverIds[static_cast<std::size_t>(halves)]);
        Click(kFullCoverIds[static_cast<std::size_t>(fulls)]);
    }

    std::unique_ptr<DialogSession> session;
};

} // namespace kupongen::testing
