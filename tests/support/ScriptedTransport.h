#pragma once
// An in-memory translation service: answers each GET like the real one
// (upper-cased lines between the reply's marks) unless a scripted reply or
// failure is queued, and records every URL it was asked for.

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/RuntimeError.h"
#include "translate/http/HttpTransport.h"

namespace tarvex::test {

// Decodes %XX escapes; the rest passes as it is.
std::string PercentDecode(const std::string& text);

// The decoded lines of the "text" parameter of a request URL.
std::vector<std::string> SentLines(const std::string& url);

// The reply the service gives for these lines.
std::string ServiceReply(const std::vector<std::string>& lines);

// Connections that all lead to `transport`, for a run whose requests a test
// scripts and reads back in one place. Cancelling one leaves `transport` as
// it is.
std::function<std::unique_ptr<HttpTransport>()> ConnectionsTo(HttpTransport& transport);

class ScriptedTransport : public HttpTransport {
public:
    struct Step {
        HttpReply Reply;
        int32_t FailWith = 0;  // a RuntimeError number to throw instead
    };

    HttpReply Get(const std::string& url, const HttpHeaders& headers, std::chrono::milliseconds timeout) override;

    std::deque<Step> Script;  // consumed first, one step per request
    std::vector<std::string> Urls;
    std::vector<std::vector<std::string>> Headers;
    std::vector<std::chrono::milliseconds> Timeouts;
    // Called before answering normally, e.g. to fail the n-th request.
    std::function<void(size_t requestNumber)> BeforeAnswer;
};

}  // namespace tarvex::test
