#pragma once
// The block plan of a WebVTT or ASS/SSA file: what is sent of each cue, and
// how its translation is written back in the file's own layout.

#include <string>
#include <string_view>
#include <vector>

#include "subtitle/SubtitleFormat.h"
#include "translate/BlockPlan.h"

namespace tarvex {

// One block per WebVTT cue or ASS Dialogue, in order. WebVTT: the cue's
// text lines, tags left out of what is sent and the first line's leading
// tags kept in front of the translation; lines of blanks or markup only, and
// lines with an arrow that is no timing line, are kept unsent. ASS: a
// Dialogue's Text field cut into lines at \N and \n, override blocks {...}
// and the shapes drawn under \p left out of what is sent, the leading ones
// kept; the translated lines are joined by \N on the event's own line.
// Other events and everything else are copied. `lines` and `ends` are as
// SplitCueLines cut them: every line keeps its own end. A last empty line
// (the content ended with a line end) is no line of its own.
BlockPlan PlanCueBlocks(SubtitleFormat format, const std::vector<std::string_view>& lines,
                        const std::vector<std::string_view>& ends);

// What a Translation step writes for `request`: its prefix, then the lines of
// `translation` (joined by CR LF) joined by its line break or `lineEnd`.
std::string ShapeTranslation(const BlockRequest& request, std::string_view translation, std::string_view lineEnd);

}  // namespace tarvex
