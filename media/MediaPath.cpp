#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>

#include "base/PathNames.h"
#include "media/SpeechFinder.h"

namespace tarvex::media {

namespace {
// Containers of films and sound files people sync subtitles to.
constexpr std::array<std::string_view, 24> kMediaExtensions = {
    "mkv", "mp4", "m4v", "avi", "webm", "mov", "wmv",  "mpg",  "mpeg", "ts",  "m2ts", "flv",
    "wav", "mp3", "m4a", "aac", "ogg",  "oga", "opus", "flac", "wma",  "mka", "ac3",  "3gp"};
}  // namespace

bool IsMediaPath(const std::string& path) {
    std::string name = FileNameOf(path);
    size_t dot = name.rfind('.');
    if (dot == std::string::npos || dot + 1 == name.size()) return false;
    std::string extension = name.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return std::find(kMediaExtensions.begin(), kMediaExtensions.end(), extension) != kMediaExtensions.end();
}

}  // namespace tarvex::media
