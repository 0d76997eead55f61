#include "base/FileRoutines.h"

#include "base/FileSystem.h"

namespace tarvex {

bool FileExists(const std::string& path) {
    return SystemFileSystem().FileExists(path);
}

bool FolderExists(const std::string& folder) {
    return SystemFileSystem().FolderExists(folder);
}

}  // namespace tarvex
