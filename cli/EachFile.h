#pragma once
// One job over several files: each file is run on its own, a failure does
// not stop the others, and a last line counts them.

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace tarvex::cli {

// Runs `run` for each file in order; it answers whether that file's run
// succeeded. With several files each run is preceded by "[i/N] FILE" on
// `err`, and "N done, M failed" follows on `out`. An interruption stops the
// files not yet started; they count as failed. Answers the exit status: 0
// when every file was done, else 1.
int RunEachFile(const std::vector<std::string>& files, const std::function<bool(const std::string&)>& run,
                std::FILE* out, std::FILE* err);

}  // namespace tarvex::cli
