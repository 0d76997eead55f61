#include "cli/EachFile.h"

#include "base/Interruption.h"

namespace tarvex::cli {

int RunEachFile(const std::vector<std::string>& files, const std::function<bool(const std::string&)>& run,
                std::FILE* out, std::FILE* err) {
    const bool several = files.size() > 1;
    size_t done = 0;
    for (size_t index = 0; index < files.size() && !InterruptionRequested(); ++index) {
        if (several) {
            std::fprintf(err, "[%zu/%zu] %s\n", index + 1, files.size(), files[index].c_str());
            std::fflush(err);
        }
        if (run(files[index])) ++done;
    }
    if (several) {
        std::fprintf(out, "%zu done, %zu failed\n", done, files.size() - done);
        std::fflush(out);
    }
    return done == files.size() ? 0 : 1;
}

}  // namespace tarvex::cli
