#include "translate/TranslationRequest.h"

#include <thread>

#include "base/RuntimeError.h"
#include "translate/RateGate.h"
#include "translate/http/HttpTransport.h"

namespace tarvex {

namespace {

constexpr int kRetries = 3;

}  // namespace

HttpReply SendWithRetries(const HttpRequest& request, const std::function<ReplyVerdict(const HttpReply&)>& classify,
                          ConnectionSettings& service, HttpTransport& transport, RateGate* gate) {
    using Clock = std::chrono::steady_clock;
    // One deadline for the whole request from its first sending: every
    // attempt, every pause and the turns at the gate between them, so that
    // nothing the service says can hold a run past its time-out. The wait
    // for a first turn, behind the run's other requests, is not the
    // service's slowness; it has a bound of the same length of its own.
    Clock::time_point deadline = Clock::now() + service.Timeout;
    for (int attempt = 0;; ++attempt) {
        const uint64_t ticket = gate ? gate->Enter(deadline) : 0;
        if (attempt == 0) deadline = Clock::now() + service.Timeout;
        auto remaining = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        HttpReply reply;
        try {
            if (remaining.count() <= 0) throw RequestTimedOutError();
            reply = transport.Send(request, remaining);
        } catch (...) {
            if (gate) gate->Leave(ticket, false, {});
            throw;
        }
        const ReplyVerdict verdict = classify(reply);
        const bool rateLimited = verdict.What == ReplyVerdict::Kind::RetryLater;
        const std::chrono::milliseconds pause = !rateLimited    ? std::chrono::milliseconds(0)
                                                : verdict.Pause ? *verdict.Pause
                                                                : std::chrono::milliseconds(500) * (1 << attempt);
        if (gate) gate->Leave(ticket, rateLimited, pause);
        if (verdict.What == ReplyVerdict::Kind::Ok) return reply;
        if (!rateLimited || attempt >= kRetries) throw RefusedReply(reply.Status, verdict);
        // A pause that runs past the time-out only delays the same failure.
        if (Clock::now() + pause >= deadline) throw RefusedReply(reply.Status, verdict);
        if (gate) continue;  // the gate holds the next attempt back
        if (service.Pause) {
            service.Pause(pause);
        } else {
            std::this_thread::sleep_for(pause);
        }
    }
}

}  // namespace tarvex
