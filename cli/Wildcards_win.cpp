#include <windows.h>

#include <algorithm>

#include "cli/Wildcards.h"

namespace tarvex::cli {

std::vector<std::string> ExpandWildcards(const std::string& word) {
    const size_t nameStart = word.find_last_of("\\/:") + 1;  // npos + 1 is 0
    if (word.find_first_of("*?", nameStart) == std::string::npos) return {word};
    const std::string folder = word.substr(0, nameStart);
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(word.c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        // Only what a run would take as a file: no folders, no hidden or system files.
        const DWORD excluded = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
        do {
            if ((found.dwFileAttributes & excluded) == 0) names.push_back(folder + found.cFileName);
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    if (names.empty()) return {word};
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace tarvex::cli
