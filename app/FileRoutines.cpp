#include "app/FileRoutines.h"

#include "app/FileSystem.h"
#include "app/ProgressPanel.h"
#include "app/RuntimeError.h"

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

bool FileExists(const std::string& path) {
    return SystemFileSystem().FileExists(path);
}

bool FolderExists(const std::string& folder) {
    return SystemFileSystem().FolderExists(folder);
}

}  // namespace tarvex
