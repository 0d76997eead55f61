#pragma once
// How many requests may be in flight, shared by the workers of one run. A
// rate limit (429 or 503) halves the number, down to one, and holds every
// new attempt back until its Retry-After has passed; every 20 blocks without
// one let one more request go again, up to the number the run started with.
// No attempt is held past its request's deadline.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>

namespace tarvex {

class RateGate {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr int kCalmBlocksToGrow = 20;

    // `pause`, when given, is how a wait for Retry-After is spent (a seam for
    // tests); otherwise the wait ends early when the gate is stopped. `now`,
    // when given, stands in for the clock.
    RateGate(int most, std::function<void(std::chrono::milliseconds)> pause,
             std::function<Clock::time_point()> now = {});

    // Waits until an attempt may start; answers a ticket for Leave. Raises
    // 35761 (Request timed out) at once when the pause in force runs past
    // `deadline`, or when no turn comes before it; 18 once the gate is
    // stopped.
    uint64_t Enter(Clock::time_point deadline);
    // The attempt has ended; `rateLimited` with the pause its reply asked for.
    void Leave(uint64_t ticket, bool rateLimited, std::chrono::milliseconds pause);
    void BlockSucceeded();
    // Every waiting and later Enter raises 18.
    void Stop();
    int Limit() const;

private:
    Clock::time_point Now() const { return now_ ? now_() : Clock::now(); }

    const int most_;
    const std::function<void(std::chrono::milliseconds)> pause_;
    const std::function<Clock::time_point()> now_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    int limit_;
    int inFlight_ = 0;
    int calmBlocks_ = 0;
    // Bumped by each halving, so that one burst of refusals to requests that
    // were all under way together halves the number once, not once each.
    uint64_t generation_ = 0;
    Clock::time_point notBefore_{};
    bool stopped_ = false;
};

}  // namespace tarvex
