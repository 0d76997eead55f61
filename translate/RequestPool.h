#pragma once
// The requests of a run sent by several workers at once, each with its own
// connection, a batch of blocks at a time as the service allows, and handed
// back strictly in block order.

#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "translate/BatchFetch.h"
#include "translate/BatchPlan.h"
#include "translate/BlockPlan.h"
#include "translate/RateGate.h"
#include "translate/TranslationRequest.h"

namespace tarvex {

class RequestPool {
public:
    // Starts sending the plan's requests from `first` on, each worker on a
    // connection made for it. Whatever it raises, no worker is left running.
    RequestPool(const BlockPlan& plan, size_t first, ServiceInUse& services, ConnectionSettings& service);
    // Cancels every connection, so that nothing in flight is waited for,
    // then joins the workers.
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

    void Work(HttpTransport& transport) noexcept;
    void WorkOn(HttpTransport& transport);
    void Stop();

    const BlockPlan& plan_;
    ServiceInUse& services_;
    ConnectionSettings& service_;
    const std::vector<RequestBatch> batches_;
    RateGate gate_;
    std::vector<std::unique_ptr<HttpTransport>> transports_;
    std::vector<std::thread> workers_;

    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<Slot> slots_;
    size_t next_ = 0;  // the next batch to start
    size_t taken_;     // requests before this one have been taken
    size_t failedAt_;  // no batch after a failed request is started
    bool stopping_ = false;
    std::exception_ptr broken_;  // a worker could not go on
};

}  // namespace tarvex
