#pragma once
// The requests of a plan grouped into batches, one HTTP request each, under
// a service's limits.

#include <cstddef>
#include <vector>

#include "translate/BlockPlan.h"
#include "translate/services/Service.h"

namespace tarvex {

struct RequestBatch {
    size_t First = 0;  // the plan's request index of its first block
    size_t Count = 0;
};

// Whether a block has anything to translate. Blocks that have not are
// written without asking, unless the service is asked even for them.
bool HasText(const BlockRequest& request);

// Consecutive requests from `first` on, as many per batch as the limits
// allow: at most MostBlocks blocks with text, their lines at most MostBytes
// (a block alone over it still forms its own batch, for the service to
// refuse by name). Blocks without text ride along uncounted.
std::vector<RequestBatch> PlanBatches(const BlockPlan& plan, size_t first, const ServiceLimits& limits);

}  // namespace tarvex
