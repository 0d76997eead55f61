#pragma once
// Cutting content into lines and recognising timing lines.

#include <string_view>
#include <vector>

namespace tarvex {

constexpr std::string_view kTimingArrow = " --> ";

// The one separator that cuts a whole content into lines.
enum class LineSeparator { CrLf, Lf, Cr };

// Cuts at one separator chosen for the whole content: CR LF when it occurs
// anywhere, else LF, else CR. Other line-end bytes stay inside their line.
// Content ending with the separator has an empty last line; empty content
// has no lines. The views point into `content`.
std::vector<std::string_view> SplitLines(std::string_view content);

// Any line that contains " --> " anywhere. (Whole files are searched at
// once by FindTimingLines.)
bool IsTimingLine(std::string_view line);

}  // namespace tarvex
