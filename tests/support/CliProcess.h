#pragma once
// One start of a program with its standard output collected and its standard
// error written to a file, per platform.

#include <string>
#include <vector>

namespace tarvex::test {

// Runs `program` with `arguments` (each quoted on its command line), waits
// for its end and answers its exit code, or -1 when it could not be started
// or did not exit by itself.
int RunProcess(const std::string& program, const std::vector<std::string>& arguments, const std::string& errPath,
               std::string& out);

}  // namespace tarvex::test
