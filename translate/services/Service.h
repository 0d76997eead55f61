#pragma once
// A translation service, data in and data out: it turns a batch of blocks
// (their cleaned lines) into one request, and the reply back into lines per
// block. It never touches files, connections or the window; the run's pool
// sends what it builds, with the retries, the rate gate and the time-outs
// that every service shares.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/RuntimeError.h"
#include "translate/http/HttpRequest.h"
#include "translate/http/HttpTransport.h"

namespace tarvex {

// The cleaned text lines of one block, as they are sent.
using BlockLines = std::vector<std::string>;

struct ServiceLimits {
    size_t MostBlocks = 1;                // blocks in one request
    size_t MostBytes = size_t{16} << 10;  // text bytes of one request, as the service counts them
    // Asked even for a block without text (the web endpoint always was);
    // other services never see one.
    bool SendsEmptyBlocks = false;
    // Blocks before and after a batch that the service wants as context
    // (BatchContext); 0 for services that translate every block alone.
    size_t ContextBlocks = 0;
    // The longest a reply may take: a model server writes its answer word
    // by word, much slower than a translation service.
    std::chrono::milliseconds Timeout{30000};
    // A model server answers one request at a time: more in flight only
    // queue there, each eating its time-out. Sent one at a time unless the
    // user asks for more.
    bool OneAtATime = false;
};

// Blocks around a batch, for services that translate better with context
// (a model server). Never translated themselves.
struct BatchContext {
    std::vector<BlockLines> Before;
    std::vector<BlockLines> After;
};

// What a reply means before it is read.
struct ReplyVerdict {
    enum class Kind {
        Ok,          // read it
        RetryLater,  // a rate limit: try again after Pause (none given: the growing pause)
        Refused,     // fail the run with Message
    };
    Kind What = Kind::Ok;
    std::optional<std::chrono::milliseconds> Pause;
    std::string Message;  // names the service and the cause; never holds a key
    // The error a refusal ends the run with: ServiceRefused, or KeyRefused
    // and QuotaUsedUp, which a front end may want to tell apart.
    int32_t Number = ErrorNumber::ServiceRefused;
};

class Service {
public:
    virtual ~Service() = default;
    // "google", "google-api", "libretranslate", "deepl", "openai".
    virtual std::string Name() const = 0;
    virtual ServiceLimits Limits() const = 0;
    // One request for the batch (at least one block, none of them empty).
    // Raises BlockTooLong when even one block cannot fit.
    virtual HttpRequest Build(const std::vector<BlockLines>& batch, const BatchContext& context) const = 0;
    // Default: 2xx read, 429 and 503 retried after Retry-After, anything else
    // refused as "<Name>: HTTP <status> <reason>".
    virtual ReplyVerdict Classify(const HttpReply& reply) const;
    // The lines of every block of the batch, in order. Raises a numbered
    // RuntimeError for a reply that is not the service's documented JSON,
    // and BatchMismatch when it holds more or fewer blocks than were sent
    // (the pool then splits the batch and asks again).
    virtual std::vector<BlockLines> Read(const HttpReply& reply, size_t blocks) const = 0;
    // The service to turn to, once, when this one refuses the run's first
    // request with `status`; none by default.
    virtual std::shared_ptr<const Service> Fallback(int status) const;
};

}  // namespace tarvex
