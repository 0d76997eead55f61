#include <cstddef>
#include <cstring>

#include "subtitle/ShiftContent.h"

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
    return ShiftContent(content, ShiftAmount{mode, minutes, seconds});
}

std::string ShiftContent(std::string_view content, const ShiftAmount& requested) {
    std::vector<std::string_view> lines = SplitLines(content);
    const std::vector<size_t> timingLines = FindTimingLines(lines);
    ShiftAmount amount = ResolveShiftAmount(lines, timingLines, requested);
    // Written through a pointer into a buffer sized for the worst case: each
    // line gains CR LF, each rebuilt timestamp at most a few characters (a
    // carried hour, a padded field, three fraction digits).
    constexpr size_t kTimingLineGrowth = 48;
    std::string out(content.size() + lines.size() * 2 + timingLines.size() * kTimingLineGrowth, '\0');
    char* next = out.data();
    ShiftLines(
        lines, timingLines, amount,
        [&out, &next](std::string_view line) {
            size_t used = static_cast<size_t>(next - out.data());
            if (out.size() - used < line.size() + 2) {
                // Beyond the worst case reckoned above; never expected, never unsafe.
                out.resize(out.size() * 2 + line.size() + 2);
                next = out.data() + used;
            }
            std::memcpy(next, line.data(), line.size());
            next += line.size();
            *next++ = '\r';
            *next++ = '\n';
        },
        [] {});
    out.resize(static_cast<size_t>(next - out.data()));
    return out;
}

}  // namespace tarvex
