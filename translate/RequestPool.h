#pragma once
// The requests of a run sent by several workers at once, each with its own
// connection, and handed back strictly in block order.

#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "translate/BlockPlan.h"
#include "translate/RateGate.h"
#include "translate/TranslationRequest.h"

namespace tarvex {

class RequestPool {
public:
    // Starts sending the plan's requests from `first` on.
    RequestPool(const BlockPlan& plan, size_t first, const std::string& sourceCode, const std::string& targetCode,
                TranslationService& service);
    // Stops the workers, cancelling what they still have in flight on the
    // pool's own connections.
    ~RequestPool();
    RequestPool(const RequestPool&) = delete;
    RequestPool& operator=(const RequestPool&) = delete;

    // The translation of request `index`, taken in order, waiting for it
    // through the service's RunBlocking. Raises the request's failure, or 18
    // when an interruption is requested meanwhile.
    BlockTranslation Take(size_t index);

private:
    struct Slot {
        bool Done = false;
        BlockTranslation Translation;
        std::exception_ptr Failure;
    };

    void Work(HttpTransport& transport);
    BlockTranslation Fetch(size_t index, HttpTransport& transport);

    const BlockPlan& plan_;
    const std::string& source_;
    const std::string& target_;
    TranslationService& service_;
    const std::vector<std::string> headers_;
    RateGate gate_;
    std::vector<std::unique_ptr<HttpTransport>> ownTransports_;
    std::vector<HttpTransport*> transports_;
    std::vector<std::thread> workers_;

    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<Slot> slots_;
    size_t next_;      // the next request to start
    size_t taken_;     // requests before this one have been taken
    size_t failedAt_;  // no request after a failed one is started
    bool stopping_ = false;
};

}  // namespace tarvex
