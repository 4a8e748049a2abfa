// The pace at which the rows window takes the growing text during a Generate
// press. Each update hands the window the whole text, and a window may need
// tens of milliseconds to lay out a large one, so an update between rows comes
// only once kInterval has passed since the press began or since the last
// update ended. A fast press thus updates the window once, at its end; a slow
// one still visibly grows.
#pragma once

#include <chrono>
#include <functional>
#include <utility>

namespace kupongen {

class UpdatePace {
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;
    static constexpr std::chrono::milliseconds kInterval{50};

    explicit UpdatePace(Clock clock) : clock_(std::move(clock)) {}

    // The press begins.
    void Start() { since_ = clock_(); }

    // An update between rows: runs update when its time has come.
    template <typename Update> void Between(Update update) {
        if (clock_() - since_ >= kInterval) {
            update();
            since_ = clock_();
        }
    }

private:
    Clock clock_;
    std::chrono::steady_clock::time_point since_;
};

} // namespace kupongen
