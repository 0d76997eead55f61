#pragma once
// One block through the web endpoint, as a run sends it: for tests of what
// goes over the wire and how a single request ends.

#include <string>
#include <vector>

#include "translate/ConnectionSettings.h"

namespace tarvex::test {

// The block's lines through the web endpoint at `settings.Host`, with the
// settings' connection, blocking work, pauses and time-out, and the run's
// retries; answers the translated lines joined by CR LF (the lines sent
// when the reply held none). Raises what the request raises.
std::string AskOneBlock(const std::vector<std::string>& lines, ConnectionSettings& settings);

}  // namespace tarvex::test
