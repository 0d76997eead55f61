#pragma once
// The Service dialog's Test: one sample line through the chosen service,
// sent as a run sends a block (the service's own time-out, the retries, its
// fallback), so what it shows is what a run would meet.

#include <string>

#include "translate/ConnectionSettings.h"
#include "translate/http/HttpTransport.h"
#include "translate/services/ServiceFactory.h"

namespace tarvex {

constexpr const char* kTrialLine = "Good morning, how are you?";

struct TrialOutcome {
    bool Answered = false;
    // The translation (and a note when the service turned to its fallback),
    // or the error report text "Something Wrong (N) ...".
    std::string Text;
};

// Makes the service from `settings` and sends through `transport` as `how`
// says: its RunBlocking and Pause are used; its Api and Timeout are set
// here, to the service made and that service's own time-out. Raises
// nothing a service or a transport raises.
TrialOutcome TryService(const ServiceSettings& settings, ConnectionSettings& how, HttpTransport& transport);

}  // namespace tarvex
