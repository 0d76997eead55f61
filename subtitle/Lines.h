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

// The lines of a WebVTT or ASS/SSA content, each with its own line end. A
// line ends at LF, a CR just before it belonging to its end, or at CR in a
// content whose first line end is a lone CR: so one CR LF among LF lines
// changes nothing. The last line has an empty end (and is empty itself
// when the content ends with a line end). The views point into `content`.
struct CutLines {
    std::vector<std::string_view> Lines;
    std::vector<std::string_view> Ends;
};
CutLines SplitCueLines(std::string_view content);

// Any line that contains " --> " anywhere. (Whole files are searched at
// once by FindTimingLines.)
bool IsTimingLine(std::string_view line);

}  // namespace tarvex
