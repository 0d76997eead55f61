#pragma once
// One request of a run sent with its time-out and retries, and the refusal
// it may end in.

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

#include "base/RuntimeError.h"
#include "translate/ConnectionSettings.h"
#include "translate/FitLines.h"
#include "translate/services/Service.h"

namespace tarvex {

class HttpTransport;
class RateGate;

// The end of a BlockTooLong message, after the block it names.
constexpr const char* kTooLongForOneRequest = "too long for one request (over 16 KiB once encoded)";

// A refusal by the service, numbered and worded as its verdict says, with
// the HTTP status it came with.
class RefusedReply : public RuntimeError {
public:
    RefusedReply(int status, const ReplyVerdict& verdict)
        : RuntimeError(verdict.Number, verdict.Message), status_(status) {}
    int Status() const { return status_; }

private:
    int status_;
};

// Sends `request` through `transport`, blocking the calling thread: a reply
// the verdict says to retry is retried 3 times after its pause, all within
// the service's time-out from the first attempt's sending; then, or for a
// refusal, RefusedReply. With a gate, each attempt waits for its turn there
// (the first for at most the time-out) and reports its outcome. Transport
// failures pass through.
HttpReply SendWithRetries(const HttpRequest& request, const std::function<ReplyVerdict(const HttpReply&)>& classify,
                          ConnectionSettings& service, HttpTransport& transport, RateGate* gate);

}  // namespace tarvex
