#include "translate/RequestPool.h"

#include <algorithm>

#include "base/Interruption.h"
#include "base/RuntimeError.h"
#include "translate/http/HttpTransport.h"

namespace tarvex {

namespace {

// How far the workers may run ahead of the writer: enough to keep every
// connection busy, little enough that a failing block wastes few requests.
constexpr size_t kAheadPerJob = 8;

}  // namespace

RequestPool::RequestPool(const BlockPlan& plan, size_t first, ServiceInUse& services, ConnectionSettings& service)
    : plan_(plan),
      services_(services),
      service_(service),
      batches_(PlanBatches(plan, first, services.Current()->Limits())),
      gate_(std::clamp(service.Jobs, 1, kMostJobs), service.Pause),
      slots_(plan.Requests.size()),
      taken_(first),
      failedAt_(plan.Requests.size()) {
    const size_t remaining = batches_.size();
    const size_t jobs = std::min<size_t>(std::clamp(service.Jobs, 1, kMostJobs), remaining);
    transports_.reserve(jobs);
    workers_.reserve(jobs);
    try {
        for (size_t index = 0; index < jobs; ++index) {
            transports_.push_back(NewServiceTransport(service));
            HttpTransport* transport = transports_.back().get();
            try {
                workers_.emplace_back([this, transport] { Work(*transport); });
            } catch (const std::system_error&) {
                // The workers already going can do the work; with none the run cannot.
                if (workers_.empty()) throw RuntimeError(ErrorNumber::OutOfMemory);
                break;
            }
        }
    } catch (...) {
        Stop();
        throw;
    }
}

RequestPool::~RequestPool() {
    Stop();
}

void RequestPool::Stop() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    gate_.Stop();
    for (const std::unique_ptr<HttpTransport>& transport : transports_) transport->Cancel();
    for (std::thread& worker : workers_)
        if (worker.joinable()) worker.join();
}

void RequestPool::Work(HttpTransport& transport) noexcept {
    try {
        WorkOn(transport);
    } catch (...) {
        // Only waiting itself can fail here; the reader must not wait for a
        // request that this worker had not yet taken.
        std::lock_guard<std::mutex> lock(mutex_);
        if (!broken_) broken_ = std::current_exception();
    }
    changed_.notify_all();
}

void RequestPool::WorkOn(HttpTransport& transport) {
    // Counted in blocks, so a service that takes many blocks a request still
    // has as many requests under way.
    const size_t ahead = kAheadPerJob * static_cast<size_t>(std::clamp(service_.Jobs, 1, kMostJobs)) *
                         std::max<size_t>(1, services_.Current()->Limits().MostBlocks);
    for (;;) {
        size_t index = 0;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            auto startable = [&] { return next_ >= batches_.size() || batches_[next_].First < taken_ + ahead; };
            changed_.wait(lock, [&] { return stopping_ || startable(); });
            if (stopping_ || next_ >= batches_.size() || batches_[next_].First > failedAt_) return;
            index = next_++;
        }
        const RequestBatch& batch = batches_[index];
        std::vector<BlockTranslation> translations;
        std::exception_ptr failure;
        try {
            translations = FetchBatch(plan_, batch, services_, service_, transport, &gate_);
            gate_.BlockSucceeded();
        } catch (const std::bad_alloc&) {
            failure = std::make_exception_ptr(RuntimeError(ErrorNumber::OutOfMemory));
        } catch (...) {
            failure = std::current_exception();
        }
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (failure) failedAt_ = std::min(failedAt_, batch.First);
            for (size_t at = 0; at < batch.Count; ++at) {
                Slot& slot = slots_[batch.First + at];
                slot.Done = true;
                slot.Failure = failure;
                if (!failure) slot.Translation = std::move(translations[at]);
            }
        }
        changed_.notify_all();
    }
}

BlockTranslation RequestPool::Take(size_t index) {
    auto take = [&] {
        Slot& slot = slots_[index];
        taken_ = index + 1;
        changed_.notify_all();
        if (slot.Failure) std::rethrow_exception(slot.Failure);
        return std::move(slot.Translation);
    };
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (slots_[index].Done) return take();
    }
    RunBlockingWork(service_, [&] {
        std::unique_lock<std::mutex> lock(mutex_);
        // Woken now and then to notice Ctrl+C while a request is slow.
        while (!changed_.wait_for(lock, std::chrono::milliseconds(100),
                                  [&] { return slots_[index].Done || broken_ != nullptr; }))
            StopIfInterrupted();
    });
    std::lock_guard<std::mutex> lock(mutex_);
    if (!slots_[index].Done) std::rethrow_exception(broken_);
    return take();
}

}  // namespace tarvex
