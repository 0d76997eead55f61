#pragma once
// The first steps both runs share: read the input, cut it into lines, find
// the timing lines and show the totals.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/TextEncoding.h"
#include "job/RunEnvironment.h"
#include "subtitle/SubtitleFormat.h"

namespace tarvex {

struct SubtitleInput {
    TextFamily Family = TextFamily::Utf8;  // of the file; Content is UTF-8 whatever it was
    SubtitleFormat Format = SubtitleFormat::Srt;
    std::string Content;
    std::vector<std::string_view> Lines;     // views into Content
    std::vector<std::string_view> LineEnds;  // WebVTT, ASS: each line's own end; SRT: none
    // SRT: lines with " --> "; WebVTT: cue timing lines; ASS: Dialogue
    // events, the only ones with text to translate.
    std::vector<size_t> TimingLines;
    int32_t Total = 0;
};

// Fills `input` (in place: the views must not outlive its Content), the text
// decoded to UTF-8 without its mark (a file that is not UTF-8 or UTF-16 read
// in code page `legacyEncoding`), its format told by content then by the
// path's extension, and shows
// "Total Text : N", 0 % and "Process 0 from N Text". Raises 5 for content
// without any timing line, before anything is shown.
void ReadSubtitleInput(const std::string& path, const std::string& legacyEncoding, RunEnvironment& environment,
                       SubtitleInput& input);

}  // namespace tarvex
