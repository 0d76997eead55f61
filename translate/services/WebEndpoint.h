#pragma once
// The web endpoint as the run has always asked it: one GET a block, the
// fixed header block, the reply read as a JSON array of sentence segments.

#include <memory>
#include <string>

#include "translate/services/Service.h"

namespace tarvex {

// `host` as HOST[:PORT] (plain http, as ever) or with its scheme.
std::shared_ptr<const Service> MakeWebEndpoint(const std::string& host, const std::string& sourceCode,
                                               const std::string& targetCode);

}  // namespace tarvex
