#pragma once
// Starts tarvex-cli as its own process, as a user or a script would, and
// collects its exit code and both output streams (line ends as LF).

#include <string>
#include <vector>

#include "support/TempFolder.h"

namespace tarvex::test {

struct CliResult {
    int Exit = -1;
    std::string Out;
    std::string Err;
};

// `folder` holds the captured stderr while the program runs.
CliResult RunCli(const std::vector<std::string>& arguments, const TempFolder& folder);

}  // namespace tarvex::test
