#include <signal.h>

#include <atomic>

#include "base/Interruption.h"
#include "cli/InterruptGuard.h"

namespace tarvex::cli {

namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};
std::atomic<int> received{0};
struct sigaction previous[sizeof kSignals / sizeof kSignals[0]];

void OnSignal(int number) {
    received.store(number, std::memory_order_relaxed);
    RequestInterruption();
}

}  // namespace

InterruptGuard::InterruptGuard() {
    struct sigaction action = {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    for (size_t index = 0; index < sizeof kSignals / sizeof kSignals[0]; ++index)
        sigaction(kSignals[index], &action, &previous[index]);
}

InterruptGuard::~InterruptGuard() {
    for (size_t index = 0; index < sizeof kSignals / sizeof kSignals[0]; ++index)
        sigaction(kSignals[index], &previous[index], nullptr);
}

void InterruptGuard::EndIfInterrupted() {
    const int number = received.load(std::memory_order_relaxed);
    if (number == 0) return;
    struct sigaction standard = {};
    standard.sa_handler = SIG_DFL;
    sigemptyset(&standard.sa_mask);
    sigaction(number, &standard, nullptr);
    raise(number);
}

}  // namespace tarvex::cli
