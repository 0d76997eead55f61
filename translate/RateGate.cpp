#include "translate/RateGate.h"

#include <algorithm>

#include "base/RuntimeError.h"

namespace tarvex {

RateGate::RateGate(int most, std::function<void(std::chrono::milliseconds)> pause)
    : most_(std::max(1, most)), pause_(std::move(pause)), limit_(most_) {}

uint64_t RateGate::Enter() {
    std::unique_lock<std::mutex> lock(mutex_);
    Clock::time_point pausedUntil{};
    for (;;) {
        if (stopped_) throw RuntimeError(ErrorNumber::UserInterrupt);
        const Clock::time_point now = Clock::now();
        if (now < notBefore_ && pausedUntil != notBefore_) {
            pausedUntil = notBefore_;
            if (pause_) {
                auto wait = std::chrono::ceil<std::chrono::milliseconds>(notBefore_ - now);
                lock.unlock();
                pause_(wait);
                lock.lock();
            } else {
                changed_.wait_until(lock, notBefore_, [&] { return stopped_; });
            }
            continue;
        }
        if (inFlight_ < limit_) {
            ++inFlight_;
            return generation_;
        }
        changed_.wait(lock);
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
            notBefore_ = std::max(notBefore_, Clock::now() + pause);
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
