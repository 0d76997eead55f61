#include "base/PathNames.h"

#include <cctype>

namespace tarvex {

namespace {
size_t LastSeparator(const std::string& path) {
    return path.find_last_of(kPathSeparators);
}
}  // namespace

std::string FileNameOf(const std::string& path) {
    size_t at = LastSeparator(path);
    return at == std::string::npos ? path : path.substr(at + 1);
}

std::string FolderOf(const std::string& path) {
    size_t at = LastSeparator(path);
    return at == std::string::npos ? std::string() : path.substr(0, at);
}

bool HasSubtitleExtension(const std::string& path) {
    if (path.size() < 4) return false;
    std::string ext = path.substr(path.size() - 4);
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext == ".srt" || ext == ".txt" || ext == ".vtt" || ext == ".ass" || ext == ".ssa";
}

std::string InsertBeforeExtension(const std::string& path, std::string_view insert) {
    // Every path that reaches a run ends in a four-character extension; a
    // shorter one gets the insert at its start rather than an out-of-range cut.
    size_t cut = path.size() >= 4 ? path.size() - 4 : 0;
    std::string result;
    result.reserve(path.size() + insert.size());
    result.append(path, 0, cut);
    result.append(insert);
    result.append(path, cut, std::string::npos);
    return result;
}

std::string TemporaryNameBeside(const std::string& path, int attempt) {
    std::string name = path + ".tarvex-tmp";
    if (attempt > 0) name += std::to_string(attempt);
    return name;
}

}  // namespace tarvex
