#pragma once
// The first steps both runs share: read the input, cut it into lines, find
// the timing lines and show the totals.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "job/RunEnvironment.h"

namespace tarvex {

struct SubtitleInput {
    std::string Content;
    std::vector<std::string_view> Lines;  // views into Content
    std::vector<size_t> TimingLines;
    int32_t Total = 0;
};

// Fills `input` (in place: the views must not outlive its Content) and shows
// "Total Text : N", 0 % and "Process 0 from N Text". Raises 5 for content
// without any timing line, before anything is shown.
void ReadSubtitleInput(const std::string& path, RunEnvironment& environment, SubtitleInput& input);

}  // namespace tarvex
