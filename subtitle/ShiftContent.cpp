#include "subtitle/ShiftLines.h"

namespace tarvex {

std::string ShiftContent(std::string_view content, ShiftMode mode, int16_t minutes, int16_t seconds) {
    std::vector<std::string_view> lines = SplitLines(content);
    ShiftAmount amount = ResolveShiftAmount(lines, mode, minutes, seconds);
    std::string out;
    // Each line gains a CR at most, timestamps a few characters.
    out.reserve(content.size() + lines.size() * 2 + 64);
    ShiftLines(
        lines, amount,
        [&out](std::string_view line) {
            out.append(line);
            out.append("\r\n");
        },
        [] {});
    return out;
}

}  // namespace tarvex
