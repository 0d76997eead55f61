#pragma once
// While a guard lives, Ctrl+C, a closed terminal or console and a request to
// terminate do not kill the process in the middle of a write: they ask the
// run under way to stop (see app/Interruption.h), which then leaves its files
// as they were.

namespace tarvex::cli {

class InterruptGuard {
public:
    InterruptGuard();
    ~InterruptGuard();
    InterruptGuard(const InterruptGuard&) = delete;
    InterruptGuard& operator=(const InterruptGuard&) = delete;

    // Once the work has stopped: if an interruption came, ends the process
    // as the interruption would have ended it (so a calling shell sees it);
    // otherwise returns.
    void EndIfInterrupted();
};

}  // namespace tarvex::cli
