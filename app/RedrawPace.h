#pragma once
// When a display that is slow to redraw shows a run's progress: it takes
// every step but redraws at most once per interval, always for the first
// and the last step. A skipped step is drawn once its interval is over
// (the window sets a timer for PendingDelay), not only when a later step
// comes, which may be many seconds later. The interval grows with what a
// drawing costs, so that drawing takes at most a hundredth of the run, but
// never past kLongest: the user must see each block arrive.

#include <algorithm>
#include <chrono>
#include <optional>

namespace tarvex {

class RedrawPace {
public:
    using Clock = std::chrono::steady_clock;

    static constexpr Clock::duration kLongest = std::chrono::milliseconds(250);

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
    void Drew(Clock::duration took) { interval_ = std::clamp(took * 100, shortest_, std::max(shortest_, kLongest)); }

    // How long until a skipped step is due; none when nothing waits.
    std::optional<Clock::duration> PendingDelay(Clock::time_point now) const {
        if (!pending_) return std::nullopt;
        return std::max(Clock::duration::zero(), lastDraw_ + interval_ - now);
    }

    // Whether a skipped step is due at `now`; when it is, it counts as drawn.
    bool PendingDue(Clock::time_point now) {
        if (!pending_ || now - lastDraw_ < interval_) return false;
        lastDraw_ = now;
        pending_ = false;
        return true;
    }

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
