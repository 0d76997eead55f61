#pragma once
// The cues of a subtitle as spans of time, in file order: what alignment
// needs of a file, whatever its format.

#include <string>
#include <string_view>
#include <vector>

#include "base/TimeSpan.h"
#include "subtitle/SubtitleFormat.h"

namespace tarvex {

// `content` is UTF-8 text. Timing lines that cannot be read are passed
// over (a reference need not be perfect), ASS Comment lines too; a cue
// whose end is before its start gets its start as its end.
std::vector<TimeSpan> CueSpansOf(std::string_view content, SubtitleFormat format);

// The file's bytes in any encoding Tarvex reads (a file that is neither
// UTF-8 nor UTF-16 in code page `legacyEncoding`), format told by content
// then by the path's extension.
std::vector<TimeSpan> CueSpansOfFile(const std::string& bytes, const std::string& path,
                                     const std::string& legacyEncoding);

}  // namespace tarvex
