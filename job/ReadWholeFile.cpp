#include "job/ReadWholeFile.h"

#include "base/FileSystem.h"
#include "base/RuntimeError.h"
#include "job/ProgressPanel.h"

namespace tarvex {

std::string ReadWholeFile(const std::string& path, Prompts& prompts) {
    return ReadWholeFile(path, prompts, SystemFileSystem());
}

std::string ReadWholeFile(const std::string& path, Prompts& prompts, FileSystem& files) {
    try {
        return files.ReadFile(path);
    } catch (const RuntimeError& error) {
        ShowErrorReport(prompts, error);
    } catch (const std::bad_alloc&) {
        ShowErrorReport(prompts, RuntimeError(ErrorNumber::OutOfMemory));
    }
    return std::string();
}

}  // namespace tarvex
