#pragma once
// The Service dialog's Test: one sample line through the chosen service,
// sent as a run sends a block (the service's own time-out, the retries, its
// fallback), so what it shows is what a run would meet.

#include <string>

#include "translate/TranslationRequest.h"
#include "translate/services/ServiceFactory.h"

namespace tarvex {

constexpr const char* kTrialLine = "Good morning, how are you?";

struct TrialOutcome {
    bool Answered = false;
    // The translation (and a note when the service turned to its fallback),
    // or the error report text "Something Wrong (N) ...".
    std::string Text;
};

// Sends through `transport` as `how` says (its RunBlocking and Pause; its
// time-out and service are set here). Raises nothing a service or a
// transport raises.
TrialOutcome TryService(const ServiceSettings& settings, TranslationService& how, HttpTransport& transport);

}  // namespace tarvex
