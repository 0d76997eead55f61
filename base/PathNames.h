#pragma once
// Names derived from an input path: shown name, folder, backup and numbered
// output names. Windows paths use the backslash; "/" is accepted there too.

#include <cstdint>
#include <string>
#include <string_view>

namespace tarvex {

#ifdef _WIN32
constexpr std::string_view kPathSeparators = "\\/";
#else
constexpr std::string_view kPathSeparators = "/";
#endif

// The text after the last separator (the whole path when there is none).
std::string FileNameOf(const std::string& path);
// The text before the last separator ("" when there is none); for a file in
// a drive root, D:\x.srt, this is the bare drive "D:".
std::string FolderOf(const std::string& path);
// True when the path ends in ".srt", ".txt", ".vtt", ".ass" or ".ssa", in
// any letter case.
bool HasSubtitleExtension(const std::string& path);
// The path with `insert` put before its last four characters (the
// extension with its dot): movie.srt + "_original" -> movie_original.srt.
std::string InsertBeforeExtension(const std::string& path, std::string_view insert);
// The name of the attempt-th try (from 0) for a temporary file beside `path`:
// movie.srt.tarvex-tmp, movie.srt.tarvex-tmp1, ...
std::string TemporaryNameBeside(const std::string& path, int attempt);

}  // namespace tarvex
