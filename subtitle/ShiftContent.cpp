#include <cstddef>
#include <cstring>

#include "subtitle/ShiftLines.h"

namespace tarvex {

RuntimeError NoTimingLineError() {
    return RuntimeError(ErrorNumber::InvalidCall,
                        "Invalid procedure call or argument: no timing line (\" --> \") in the file");
}

std::vector<size_t> FindTimingLines(const std::vector<std::string_view>& lines) {
    std::vector<size_t> timing;
    if (lines.empty()) return timing;
    // One search over the whole content instead of one per line: the arrow
    // holds no line-end byte, so every hit lies inside one line.
    const char* const end = lines.back().data() + lines.back().size();
    size_t index = 0;
    const char* scan = lines.front().data();
    while (end - scan >= static_cast<ptrdiff_t>(kTimingArrow.size())) {
        const void* hit = std::memchr(scan + 3, '>', static_cast<size_t>(end - scan) - 4);
        if (hit == nullptr) break;
        const char* arrow = static_cast<const char*>(hit) - 3;
        if (std::memcmp(arrow, kTimingArrow.data(), kTimingArrow.size()) != 0) {
            scan = arrow + 1;
            continue;
        }
        while (lines[index].data() + lines[index].size() < arrow + kTimingArrow.size()) ++index;
        timing.push_back(index);
        // One hit per line is enough; go on after this line.
        scan = lines[index].data() + lines[index].size();
        if (++index == lines.size()) break;
        if (lines[index].data() > scan) scan = lines[index].data();
    }
    return timing;
}

std::string ShiftContent(std::string_view content, ShiftMode mode, int16_t minutes, int16_t seconds) {
    std::vector<std::string_view> lines = SplitLines(content);
    ShiftAmount amount = ResolveShiftAmount(lines, mode, minutes, seconds);
    std::string out;
    // Each line gains a CR at most, timestamps a few characters.
    out.reserve(content.size() + lines.size() * 2 + 64);
    ShiftLines(
        lines, FindTimingLines(lines), amount,
        [&out](std::string_view line) {
            out.append(line);
            out.append("\r\n");
        },
        [] {});
    return out;
}

}  // namespace tarvex
