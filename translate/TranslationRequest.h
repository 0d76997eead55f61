#pragma once
// One request of a run sent with its time-out and retries, and what the
// web endpoint's requests are made of: its URL and its header block.

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

#include "base/RuntimeError.h"
#include "translate/FitLines.h"
#include "translate/TranslationService.h"
#include "translate/services/Service.h"

namespace tarvex {

class HttpTransport;
class RateGate;

// The longest request URL sent. Servers refuse much longer ones, and no
// subtitle block comes near it.
constexpr size_t kMaxRequestUrlBytes = size_t{16} << 10;
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

// What a status alone says: 2xx read it; 429 and 503 retry after
// Retry-After (seconds) or the growing pause; anything else refused, each
// with the status's description.
ReplyVerdict VerdictByStatus(const HttpReply& reply);

// Sends `request` through `transport`, blocking the calling thread: a reply
// the verdict says to retry is retried 3 times after its pause, all within
// the service's time-out from the first attempt's sending; then, or for a
// refusal, RefusedReply. With a gate, each attempt waits for its turn there
// (the first for at most the time-out) and reports its outcome. Transport
// failures pass through.
HttpReply SendWithRetries(const HttpRequest& request, const std::function<ReplyVerdict(const HttpReply&)>& classify,
                          TranslationService& service, HttpTransport& transport, RateGate* gate);

// The header block sent with every request of a run, CR LF separated, with
// its empty first pair and final empty line.
std::string BuildHeaderBlock(const std::string& host);

// HOST/translate_a/t?client=t&text=...&hl=en&sl=..&tl=..&..., no scheme. The
// lines are percent-encoded and joined by "%0A".
std::string BuildRequestUrl(const std::string& host, const std::vector<std::string>& lines,
                            const std::string& sourceCode, const std::string& targetCode);

// The header block as the lines handed to the transport.
std::vector<std::string> HeaderLines(const std::string& headerBlock);

}  // namespace tarvex
