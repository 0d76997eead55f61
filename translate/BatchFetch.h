#pragma once
// One batch of blocks through the run's service: built, sent with the
// retries, read, and fitted block by block. An answer that lost, added or
// merged blocks is split in halves and asked again, down to single blocks.

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "translate/BatchPlan.h"
#include "translate/BlockPlan.h"
#include "translate/FitLines.h"
#include "translate/TranslationRequest.h"

namespace tarvex {

class RateGate;

// The service a run asks, shared by its workers: it turns to the service's
// fallback once when the service refuses before any block has come back.
class ServiceInUse {
public:
    explicit ServiceInUse(std::shared_ptr<const Service> service) : current_(std::move(service)) {}
    std::shared_ptr<const Service> Current() const;
    // After `used` refused with `status`: the service to ask instead, or none.
    std::shared_ptr<const Service> TurnAway(const std::shared_ptr<const Service>& used, int status);
    void Answered();
    // What the user is told of a switch; empty without one.
    std::string Note() const;

private:
    mutable std::mutex mutex_;
    std::shared_ptr<const Service> current_;
    bool answered_ = false;
    std::string note_;
};

// The translations of `batch`, in order, one per request of the plan.
std::vector<BlockTranslation> FetchBatch(const BlockPlan& plan, const RequestBatch& batch, ServiceInUse& services,
                                         ConnectionSettings& settings, HttpTransport& transport, RateGate* gate);

}  // namespace tarvex
