#include "subtitle/TimingLineCount.h"

#include <algorithm>
#include <vector>

#include "base/Interruption.h"
#include "subtitle/LineScan.h"

namespace tarvex {

namespace {

// Bytes kept from one chunk for the next: an arrow or a CR LF may straddle
// the cut.
constexpr size_t kCarry = 4;

}  // namespace

LineSeparator DetectSeparator(InputFile& input, size_t chunkSize) {
    std::vector<char> buffer(std::max<size_t>(chunkSize, 16));
    bool sawLf = false;
    char last = '\0';
    for (uint64_t offset = 0;;) {
        StopIfInterrupted();
        size_t got = input.ReadAt(offset, buffer.data(), buffer.size());
        if (got == 0) break;
        offset += got;
        const char* from = buffer.data();
        const char* end = from + got;
        if (last == '\r' && *from == '\n') return LineSeparator::CrLf;
        if (!sawLf) {
            const void* lf = std::memchr(from, '\n', got);
            if (lf != nullptr) {
                // Only a first LF without CR before it leaves the question open.
                const char* at = static_cast<const char*>(lf);
                if ((at == from ? last : at[-1]) == '\r') return LineSeparator::CrLf;
                sawLf = true;
                from = at + 1;
            }
        }
        if (sawLf) {
            while (const void* cr = std::memchr(from, '\r', static_cast<size_t>(end - from))) {
                const char* at = static_cast<const char*>(cr);
                if (at + 1 < end && at[1] == '\n') return LineSeparator::CrLf;
                from = at + 1;
            }
        }
        last = end[-1];
    }
    return sawLf ? LineSeparator::Lf : LineSeparator::Cr;
}

TimingLineCount CountTimingLines(InputFile& input, size_t chunkSize) {
    TimingLineCount count;
    count.Separator = DetectSeparator(input, chunkSize);
    const LineSeparator separator = count.Separator;
    const size_t separatorLength = SeparatorLength(separator);
    std::vector<char> buffer(kCarry + std::max<size_t>(chunkSize, 16));
    size_t kept = 0;
    // Inside a line already counted: look for its end before the next arrow.
    bool skipping = false;
    for (uint64_t offset = 0;;) {
        StopIfInterrupted();
        size_t got = input.ReadAt(offset, buffer.data() + kept, buffer.size() - kept);
        if (got == 0) break;
        offset += got;
        const char* start = buffer.data();
        const char* end = start + kept + got;
        // Kept bytes were searched for separators already; a CR LF's CR may be the last of them.
        const char* from = skipping && kept > 0 ? start + kept - 1 : start;
        for (;;) {
            if (skipping) {
                const char* found = FindSeparator(from, end, separator);
                if (found == nullptr) break;
                skipping = false;
                from = found + separatorLength;
            }
            const char* arrow = FindArrow(from, end);
            if (arrow == nullptr) break;
            ++count.TimingLines;
            skipping = true;
            from = arrow + kTimingArrow.size();
        }
        kept = std::min<size_t>(kCarry, static_cast<size_t>(end - start));
        std::memmove(buffer.data(), end - kept, kept);
        count.Bytes = offset;
    }
    return count;
}

int64_t CountLinesBefore(InputFile& input, LineSeparator separator, uint64_t offset, size_t chunkSize) {
    std::vector<char> buffer(1 + std::max<size_t>(chunkSize, 16));
    const size_t separatorLength = SeparatorLength(separator);
    int64_t lines = 0;
    size_t kept = 0;
    for (uint64_t at = 0; at < offset;) {
        size_t want = static_cast<size_t>(std::min<uint64_t>(buffer.size() - kept, offset - at));
        size_t got = input.ReadAt(at, buffer.data() + kept, want);
        if (got == 0) break;
        at += got;
        const char* from = buffer.data();
        const char* end = from + kept + got;
        while (const char* found = FindSeparator(from, end, separator)) {
            ++lines;
            from = found + separatorLength;
        }
        // A CR whose LF comes with the next read.
        kept = separator == LineSeparator::CrLf && from < end && end[-1] == '\r' ? 1 : 0;
        if (kept) buffer[0] = '\r';
    }
    return lines;
}

}  // namespace tarvex
