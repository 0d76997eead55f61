#pragma once
// When a display that is slow to redraw shows a run's progress: it takes
// every step but redraws at most once per interval, always for the first
// and the last step, and draws a skipped step when the run ends. The
// interval grows with what a drawing costs, so that drawing between the
// first and the last step takes at most a hundredth of the run.

#include <algorithm>
#include <chrono>

namespace tarvex {

class RedrawPace {
public:
    using Clock = std::chrono::steady_clock;

    explicit RedrawPace(Clock::duration shortest) : shortest_(shortest), interval_(shortest) {}

    // A new step arrived at `now`; answers whether to draw it now.
    bool Due(bool last, Clock::time_point now) {
        if (!last && drawn_ && now - lastDraw_ < interval_) {
            pending_ = true;
            return false;
        }
        drawn_ = true;
        lastDraw_ = now;
        pending_ = false;
        return true;
    }

    // How long the drawing that Due asked for took.
    void Drew(Clock::duration took) { interval_ = std::max(shortest_, took * 100); }

    // Whether a skipped step still waits to be drawn; answers it once. The
    // next run then starts with a drawing.
    bool TakePending() {
        bool pending = pending_;
        pending_ = false;
        drawn_ = false;
        return pending;
    }

private:
    Clock::duration shortest_;
    Clock::duration interval_;
    Clock::time_point lastDraw_{};
    bool drawn_ = false;
    bool pending_ = false;
};

}  // namespace tarvex
