#include "base/Interruption.h"

#include <atomic>

#include "base/RuntimeError.h"

namespace tarvex {

namespace {
// Lock-free, so that a signal handler may set it.
std::atomic<bool> interrupted{false};
static_assert(std::atomic<bool>::is_always_lock_free);
}  // namespace

void RequestInterruption() {
    interrupted.store(true, std::memory_order_relaxed);
}

bool InterruptionRequested() {
    return interrupted.load(std::memory_order_relaxed);
}

void ClearInterruption() {
    interrupted.store(false, std::memory_order_relaxed);
}

void StopIfInterrupted() {
    if (InterruptionRequested()) throw RuntimeError(ErrorNumber::UserInterrupt);
}

}  // namespace tarvex
