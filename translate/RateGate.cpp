#include "translate/RateGate.h"

#include <algorithm>

#include "base/RuntimeError.h"
#include "translate/http/HttpLimits.h"

namespace tarvex {

RateGate::RateGate(int most, std::function<void(std::chrono::milliseconds)> pause,
                   std::function<Clock::time_point()> now)
    : most_(std::max(1, most)), pause_(std::move(pause)), now_(std::move(now)), limit_(most_) {}

uint64_t RateGate::Enter(Clock::time_point deadline) {
    std::unique_lock<std::mutex> lock(mutex_);
    Clock::time_point pausedUntil{};
    for (;;) {
        if (stopped_) throw RuntimeError(ErrorNumber::UserInterrupt);
        const Clock::time_point now = Now();
        // Waiting would only delay the same failure, and keep a run that
        // cannot succeed from ending.
        if (now >= deadline || (now < notBefore_ && notBefore_ > deadline)) throw RequestTimedOutError();
        if (now < notBefore_ && pausedUntil != notBefore_) {
            pausedUntil = notBefore_;
            if (pause_) {
                auto wait = std::chrono::ceil<std::chrono::milliseconds>(notBefore_ - now);
                lock.unlock();
                pause_(wait);
                lock.lock();
            } else {
                changed_.wait_for(lock, notBefore_ - now, [&] { return stopped_; });
            }
            continue;
        }
        if (inFlight_ < limit_) {
            ++inFlight_;
            return generation_;
        }
        if (changed_.wait_for(lock, deadline - now) == std::cv_status::timeout) throw RequestTimedOutError();
    }
}

void RateGate::Leave(uint64_t ticket, bool rateLimited, std::chrono::milliseconds pause) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        --inFlight_;
        if (rateLimited) {
            if (ticket == generation_) {
                limit_ = std::max(1, limit_ / 2);
                ++generation_;
            }
            notBefore_ = std::max(notBefore_, Now() + pause);
            calmBlocks_ = 0;
        }
    }
    changed_.notify_all();
}

void RateGate::BlockSucceeded() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (++calmBlocks_ < kCalmBlocksToGrow) return;
        calmBlocks_ = 0;
        if (limit_ >= most_) return;
        ++limit_;
    }
    changed_.notify_all();
}

void RateGate::Stop() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopped_ = true;
    }
    changed_.notify_all();
}

int RateGate::Limit() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return limit_;
}

}  // namespace tarvex
