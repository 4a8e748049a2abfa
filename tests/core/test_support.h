// Shared fixture and helpers for the core tests. The core keeps its state in
// globals, so every test starts from the program's start-up values.
#pragma once

#include "ansi_text.h"
#include "control_table.h"
#include "dialog_session.h"
#include "generation.h"
#include "random_mersenne.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

namespace kupongen::testing {

// Windows-1252 bytes of a UTF-8 literal, so expectations stay readable.
inline std::string A(std::u8string_view utf8) {
    return Utf8ToAnsi({reinterpret_cast<const char*>(utf8.data()), utf8.size()});
}

inline void ResetGenerationState() {
    Rader = 0;
    antal_enkelrader = 1;
    antal_halvgarderingar = 0;
    antal_helgarderingar = 0;
    antal_enkeltecken = 0;
    antalsakra = 0;
    sakra = 0;
    ir = 0;
    TestCopy("");
}

inline std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find("\r\n", start);
        lines.emplace_back(text.substr(start, end - start));
        if (end == std::string_view::npos) {
            return lines;
        }
        start = end + 2;
    }
}

inline int CountOf(std::string_view text, std::string_view piece) {
    int count = 0;
    for (std::size_t pos = text.find(piece); pos != std::string_view::npos;
         pos = text.find(piece, pos + piece.size())) {
        ++count;
    }
    return count;
}

// count successes of n trials with chance p lie within five standard
// deviations of the mean.
inline void ExpectBinomial(long count, long n, double p, const std::string& what) {
    const double mean = static_cast<double>(n) * p;
    const double spread = 5.0 * std::sqrt(static_cast<double>(n) * p * (1.0 - p));
    EXPECT_NEAR(static_cast<double>(count), mean, spread)
        << what << " (" << count << " of " << n << ", expected share " << p << ")";
}

// The sign of one draw of g by a method, from the thresholds of the statistics
// tables; the expected side of every sequence test.
inline char OracleSign(TRandomMersenne& g, DrawMethod method) {
    switch (method) {
    case DrawMethod::England: {
        const int v = g.IRandom(1, 195);
        return v <= 91 ? '1' : v <= 142 ? 'X' : '2';
    }
    case DrawMethod::Sverige: {
        const int v = g.IRandom(1, 169);
        return v <= 66 ? '1' : v <= 105 ? 'X' : '2';
    }
    case DrawMethod::Classic:
        break;
    }
    const int v = g.IRandom(1, 6);
    return v <= 3 ? '1' : v == 4 ? 'X' : '2';
}

inline constexpr char kSignChars[3] = {'1', 'X', '2'};

// Everything a handler may change: the controls and the generation globals.
struct Snapshot {
    std::vector<std::tuple<int, bool, bool, bool, std::string>> controls;
    std::vector<std::int32_t> globals;
    std::string testText;

    bool operator==(const Snapshot&) const = default;
};

inline Snapshot TakeSnapshot(const DialogModel& model) {
    Snapshot snapshot;
    for (const auto& c : model.Controls()) {
        snapshot.controls.emplace_back(c.id, c.visible, c.enabled, c.checked, c.text);
    }
    snapshot.globals = {Rader,
                        antal_enkelrader,
                        antal_halvgarderingar,
                        antal_helgarderingar,
                        antal_enkeltecken,
                        antalsakra,
                        sakra,
                        ir};
    snapshot.testText = std::string(TestText());
    return snapshot;
}

class SessionTest : public ::testing::Test {
protected:
    static constexpr std::int32_t kSeed = 20040411;

    void SetUp() override {
        ResetGenerationState();
        rg.RandomInit(kSeed);
        session = std::make_unique<DialogSession>();
    }

    DialogModel& Model() { return session->Model(); }
    ControlState& C(int controlId) { return *Model().Item(controlId); }
    bool Visible(int controlId) { return C(controlId).visible; }
    bool Checked(int controlId) { return C(controlId).checked; }
    std::string Text(int controlId) { return C(controlId).text; }
    std::string Status() { return Text(id::kStatus); }
    std::string Rows() { return Text(id::kRows); }
    void SetChecked(int controlId, bool checked) { Model().SetChecked(C(controlId), checked); }

    // A user's click; the control must be clickable.
    void Click(int controlId) { ASSERT_TRUE(session->Click(controlId)) << "id " << controlId; }

    void ChooseSingleRows(int rows, bool compatible) {
        Click(id::kEnkelrader);
        for (const auto& button : kRowCountButtons) {
            if (button.rows == rows) {
                Click(button.id);
            }
        }
        ASSERT_EQ(antal_enkelrader, rows);
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
        ASSERT_EQ(antal_halvgarderingar, halves);
        ASSERT_EQ(antal_helgarderingar, fulls);
    }

    void Generate() { Click(id::kGenerate); }

    std::unique_ptr<DialogSession> session;
};

} // namespace kupongen::testing
