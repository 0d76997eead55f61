#include "subtitle/CueShift.h"

#include <algorithm>
#include <cstring>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "base/Interruption.h"
#include "base/RuntimeError.h"
#include "subtitle/CueTimestamps.h"
#include "subtitle/TimeChange.h"

namespace tarvex {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

size_t SkipBlanks(std::string_view text, size_t at) {
    while (at < text.size() && IsBlank(text[at])) ++at;
    return at;
}

[[noreturn]] void ThrowUnreadable() {
    throw RuntimeError(ErrorNumber::TypeMismatch);
}

}  // namespace

RuntimeError NoCueError(SubtitleFormat format) {
    return RuntimeError(ErrorNumber::InvalidCall,
                        format == SubtitleFormat::Ass
                            ? "Invalid procedure call or argument: no Dialogue line in the file"
                            : "Invalid procedure call or argument: no cue (\"-->\") in the file");
}

namespace {

// One timestamp at `at`, which must be followed by the end of the text or a
// blank; appends the text before it and the changed timestamp.
size_t ShiftVttStampAt(std::string_view line, size_t at, size_t copiedTo, const TimeChanger& change, std::string& out) {
    CueStamp stamp;
    if (!ReadVttStamp(line.substr(at), stamp)) ThrowUnreadable();
    const size_t end = at + stamp.Length;
    if (end < line.size() && !IsBlank(line[end])) ThrowUnreadable();
    out.append(line.substr(copiedTo, at - copiedTo));
    AppendVttStamp(change(stamp.Units), stamp.HourDigits, out);
    return end;
}

// The start and end of ASS field `index` (from 0, after the key), or false.
bool FindField(std::string_view line, size_t from, size_t index, size_t& start, size_t& end) {
    for (size_t field = 0;; ++field) {
        size_t comma = line.find(',', from);
        if (field == index) {
            start = from;
            end = comma == std::string_view::npos ? line.size() : comma;
            return true;
        }
        if (comma == std::string_view::npos) return false;
        from = comma + 1;
    }
}

// The blank-trimmed time of an ASS field: its start in the line and its stamp.
CueStamp ReadAssField(std::string_view line, size_t start, size_t end, size_t& at) {
    at = SkipBlanks(line, start);
    size_t last = end;
    while (last > at && IsBlank(line[last - 1])) --last;
    CueStamp stamp;
    if (!ReadAssStamp(line.substr(at, last - at), stamp) || stamp.Length != last - at) ThrowUnreadable();
    return stamp;
}

}  // namespace

bool CueLineShifter::Shift(std::string_view line, std::string& out) {
    kind_ = layout_.Next(line);
    switch (kind_) {
        case CueLineKind::Other: return false;
        case CueLineKind::Text: return ShiftInlineStamps(line, out);
        case CueLineKind::Timing: break;
    }
    return format_ == SubtitleFormat::Ass ? ShiftAssEvent(line, out) : ShiftVttTiming(line, out);
}

bool CueLineShifter::ShiftVttTiming(std::string_view line, std::string& out) {
    out.clear();
    const size_t arrow = line.find("-->");
    size_t start = 0;
    if (line.substr(0, kUtf8Mark.size()) == kUtf8Mark) start = kUtf8Mark.size();
    start = SkipBlanks(line, start);
    size_t copied = ShiftVttStampAt(line.substr(0, arrow), start, 0, change_, out);
    if (SkipBlanks(line, copied) != arrow) ThrowUnreadable();
    copied = ShiftVttStampAt(line, SkipBlanks(line, arrow + 3), copied, change_, out);
    out.append(line.substr(copied));
    return true;
}

bool CueLineShifter::ShiftInlineStamps(std::string_view line, std::string& out) {
    size_t copied = 0;
    bool changed = false;
    for (size_t at = line.find('<'); at != std::string_view::npos; at = line.find('<', at + 1)) {
        CueStamp stamp;
        // Other tags (<i>, <c.yellow>, <v Anna>) are not times and stay.
        if (!ReadVttStamp(line.substr(at + 1), stamp)) continue;
        const size_t close = at + 1 + stamp.Length;
        if (close >= line.size() || line[close] != '>') continue;
        if (!changed) out.clear();
        changed = true;
        out.append(line.substr(copied, at + 1 - copied));
        AppendVttStamp(change_(stamp.Units), stamp.HourDigits, out);
        copied = close;
    }
    if (changed) out.append(line.substr(copied));
    return changed;
}

bool CueLineShifter::ShiftAssEvent(std::string_view line, std::string& out) {
    out.clear();
    const size_t key = layout_.KeyLength();
    size_t first = layout_.StartField();
    size_t second = layout_.EndField();
    if (first > second) std::swap(first, second);
    size_t firstStart, firstEnd, secondStart, secondEnd;
    if (!FindField(line, key, first, firstStart, firstEnd) || !FindField(line, key, second, secondStart, secondEnd))
        throw RuntimeError(ErrorNumber::SubscriptOutOfRange);
    size_t firstAt, secondAt;
    const CueStamp firstStamp = ReadAssField(line, firstStart, firstEnd, firstAt);
    const CueStamp secondStamp = ReadAssField(line, secondStart, secondEnd, secondAt);
    out.append(line.substr(0, firstAt));
    AppendAssStamp(change_(firstStamp.Units), firstStamp.HourDigits, out);
    const size_t afterFirst = firstAt + firstStamp.Length;
    out.append(line.substr(afterFirst, secondAt - afterFirst));
    AppendAssStamp(change_(secondStamp.Units), secondStamp.HourDigits, out);
    out.append(line.substr(secondAt + secondStamp.Length));
    return true;
}

namespace {

// The start of a cue's first timestamp, in milliseconds.
int64_t CueStartMillis(std::string_view line, SubtitleFormat format, const CueLayout& layout) {
    if (format == SubtitleFormat::Ass) {
        size_t start, end, at;
        if (!FindField(line, layout.KeyLength(), layout.StartField(), start, end))
            throw RuntimeError(ErrorNumber::SubscriptOutOfRange);
        return ReadAssField(line, start, end, at).Units * 10;
    }
    if (line.substr(0, kUtf8Mark.size()) == kUtf8Mark) line.remove_prefix(kUtf8Mark.size());
    CueStamp stamp;
    if (!ReadVttStamp(line.substr(SkipBlanks(line, 0)), stamp)) ThrowUnreadable();
    return stamp.Units;
}

// Cuts the bytes of a file into lines as the header says, a window at a
// time; `onLine(line, index)` sees each line without its line end and may
// answer a replacement. Unchanged bytes go to the output in bulk.
class LineWalker {
public:
    LineWalker(InputFile& input, OutputFile* output, size_t chunkSize)
        : input_(input), output_(output), window_(std::max<size_t>(chunkSize, 16)) {
        if (output_ != nullptr) out_.reserve(2 * window_.size());
    }

    template <class OnLine>
    uint64_t Run(OnLine&& onLine) {
        Fill();
        std::string replacement;
        for (;;) {
            size_t lineEnd = 0;
            size_t next = 0;
            if (!FindLineEnd(lineEnd, next)) {
                if (!eof_) {
                    MakeRoom();
                    Fill();
                    continue;
                }
                lineEnd = next = end_;
            }
            const std::string_view line(window_.data() + pos_, lineEnd - pos_);
            if (onLine(line, lineIndex_, replacement)) {
                Emit(copied_, pos_);
                Emit(replacement);
                copied_ = lineEnd;
            }
            ++lineIndex_;
            if (stopped_ || (next == end_ && eof_)) break;
            pos_ = next;
        }
        Emit(copied_, end_);
        Flush();
        return readOffset_;
    }

    // Ends the walk after the line under way (only where nothing is written).
    void Stop() { stopped_ = true; }

private:
    // The end of the line at pos_ (before any CR of a CR LF) and the start of
    // the next, if the window holds its line end.
    bool FindLineEnd(size_t& lineEnd, size_t& next) {
        const char* from = window_.data() + pos_;
        const size_t length = end_ - pos_;
        if (cutAtCr_ < 0) {
            // The first line end decides: a lone CR cuts at CR, anything else at LF.
            const void* cr = std::memchr(from, '\r', length);
            const void* lf = std::memchr(from, '\n', length);
            if (cr != nullptr && (lf == nullptr || cr < lf)) {
                const size_t at = static_cast<size_t>(static_cast<const char*>(cr) - window_.data());
                if (at + 1 == end_ && !eof_) return false;
                cutAtCr_ = at + 1 == end_ || window_[at + 1] != '\n' ? 1 : 0;
            } else if (lf != nullptr) {
                cutAtCr_ = 0;
            } else {
                return false;
            }
        }
        const char wanted = cutAtCr_ ? '\r' : '\n';
        const void* hit = std::memchr(from, wanted, length);
        if (hit == nullptr) return false;
        const size_t at = static_cast<size_t>(static_cast<const char*>(hit) - window_.data());
        lineEnd = !cutAtCr_ && at > pos_ && window_[at - 1] == '\r' ? at - 1 : at;
        next = at + 1;
        return true;
    }

    // Writes what is settled and moves the line under way to the front;
    // a line longer than the window doubles it.
    void MakeRoom() {
        Emit(copied_, pos_);
        copied_ = pos_;
        if (pos_ == 0 && end_ == window_.size()) window_.resize(window_.size() * 2);
        if (pos_ > 0) {
            std::memmove(window_.data(), window_.data() + pos_, end_ - pos_);
            end_ -= pos_;
            copied_ = 0;
            pos_ = 0;
        }
        if (out_.size() >= window_.size()) Flush();
    }

    void Fill() {
        StopIfInterrupted();
        const size_t want = window_.size() - end_;
        const size_t got = input_.ReadAt(readOffset_, window_.data() + end_, want);
        readOffset_ += got;
        end_ += got;
        if (got < want) eof_ = true;
    }

    void Emit(size_t from, size_t to) {
        if (output_ != nullptr && to > from) out_.append(window_.data() + from, to - from);
    }
    void Emit(const std::string& bytes) {
        if (output_ != nullptr) out_.append(bytes);
    }
    void Flush() {
        if (output_ == nullptr || out_.empty()) return;
        output_->Write(out_);
        out_.clear();
    }

    InputFile& input_;
    OutputFile* const output_;
    std::vector<char> window_;
    size_t pos_ = 0;     // start of the line under way
    size_t copied_ = 0;  // bytes before it are in out_
    size_t end_ = 0;
    uint64_t readOffset_ = 0;
    bool eof_ = false;
    int cutAtCr_ = -1;  // not yet known
    size_t lineIndex_ = 0;
    bool stopped_ = false;
    std::string out_;
};

}  // namespace

namespace {

// The first "-->" that lies wholly in [from, end), or nullptr; with SSE2 16
// places at a time, as the arrow is rare and files are large.
const char* FindVttArrow(const char* from, const char* end) {
#if defined(__SSE2__)
    const __m128i dash = _mm_set1_epi8('-');
    const __m128i greater = _mm_set1_epi8('>');
    for (; end - from >= 18; from += 16) {
        const __m128i ones = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + 1));
        const __m128i twos = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + 2));
        unsigned mask = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(ones, dash), _mm_cmpeq_epi8(twos, greater))));
        for (; mask != 0; mask &= mask - 1) {
            const char* at = from + __builtin_ctz(mask);
            if (at[0] == '-') return at;
        }
    }
#endif
    for (; end - from >= 3; ++from)
        if (from[0] == '-' && from[1] == '-' && from[2] == '>') return from;
    return nullptr;
}

// Whether the file's lines end at CR: its first line end is a lone CR.
bool CutsAtCr(InputFile& input, size_t chunkSize) {
    std::vector<char> buffer(std::max<size_t>(chunkSize, 16) + 1);
    for (uint64_t offset = 0;;) {
        StopIfInterrupted();
        const size_t got = input.ReadAt(offset, buffer.data(), buffer.size());
        if (got == 0) return false;
        const char* end = buffer.data() + got;
        for (const char* at = buffer.data(); at < end; ++at) {
            if (*at == '\n') return false;
            if (*at != '\r') continue;
            if (at + 1 < end) return at[1] != '\n';
            char next = 0;
            return input.ReadAt(offset + got, &next, 1) == 0 || next != '\n';
        }
        offset += got;
    }
}

// The number of lines holding "-->" and the file's length, in chunks.
CueCount CountVttArrows(InputFile& input, size_t chunkSize) {
    constexpr size_t kCarry = 2;  // an arrow may straddle the cut
    const char lineEnd = CutsAtCr(input, chunkSize) ? '\r' : '\n';
    std::vector<char> buffer(kCarry + std::max<size_t>(chunkSize, 16));
    CueCount count;
    size_t kept = 0;
    bool skipping = false;  // inside a line already counted
    uint64_t offset = 0;
    for (;;) {
        StopIfInterrupted();
        const size_t got = input.ReadAt(offset, buffer.data() + kept, buffer.size() - kept);
        if (got == 0) break;
        offset += got;
        const char* end = buffer.data() + kept + got;
        // Kept bytes hold no line end that was not seen already.
        const char* from = skipping ? buffer.data() + kept : buffer.data();
        for (;;) {
            if (skipping) {
                const void* found = std::memchr(from, lineEnd, static_cast<size_t>(end - from));
                if (found == nullptr) break;
                skipping = false;
                from = static_cast<const char*>(found) + 1;
            }
            const char* arrow = FindVttArrow(from, end);
            if (arrow == nullptr) break;
            ++count.Cues;
            skipping = true;
            from = arrow + 3;
        }
        // Bytes after a line end only: an arrow is never cut by one.
        kept = std::min<size_t>(kCarry, static_cast<size_t>(end - buffer.data()));
        if (skipping) kept = 0;
        std::memmove(buffer.data(), end - kept, kept);
    }
    count.Bytes = offset;
    return count;
}

}  // namespace

CueCount CountCues(InputFile& input, SubtitleFormat format, size_t chunkSize) {
    CueCount count;
    if (format == SubtitleFormat::WebVtt) count = CountVttArrows(input, chunkSize);
    CueLayout layout(format);
    bool firstDialogue = false;
    LineWalker walker(input, nullptr, chunkSize);
    // WebVTT only needs the first cue's start here; ASS is counted line by line.
    const uint64_t bytes = walker.Run([&](std::string_view line, size_t index, std::string&) {
        if (layout.Next(line) != CueLineKind::Timing) return false;
        if (format == SubtitleFormat::Ass) ++count.Cues;
        // The first Dialogue wins over Comment lines before it.
        const bool dialogue = format != SubtitleFormat::Ass || layout.IsDialogue();
        if (count.FirstStart < 0 || (dialogue && !firstDialogue)) {
            try {
                count.FirstStart = CueStartMillis(line, format, layout);
            } catch (const RuntimeError&) {
                RethrowAtLine(index, line);
            }
            firstDialogue = dialogue;
        }
        if (format == SubtitleFormat::WebVtt) walker.Stop();
        return false;
    });
    if (format == SubtitleFormat::Ass) count.Bytes = bytes;
    return count;
}

ShiftAmount ResolveCueAmount(const CueCount& count, SubtitleFormat format, const ShiftAmount& requested) {
    if (count.Cues == 0) throw NoCueError(format);
    if (requested.Mode != ShiftMode::StartTime) return requested;
    return StartTimeAmountFromMillis(count.FirstStart, requested.Minutes, requested.Seconds, requested.Millis);
}

StreamShiftResult ShiftCueStream(InputFile& input, SubtitleFormat format, const ShiftAmount& amount, OutputFile& output,
                                 const ShiftProgress& progress, size_t chunkSize) {
    CueLineShifter shifter(format, amount);
    StreamShiftResult result;
    int64_t reportAt = progress ? progress(0) : INT64_MAX;
    LineWalker walker(input, &output, chunkSize);
    result.Bytes = walker.Run([&](std::string_view line, size_t index, std::string& replacement) {
        bool changed;
        try {
            changed = shifter.Shift(line, replacement);
        } catch (const RuntimeError&) {
            RethrowAtLine(index, line);
        }
        if (shifter.LastKind() == CueLineKind::Timing && ++result.TimingLines >= reportAt)
            reportAt = progress(result.TimingLines);
        return changed;
    });
    return result;
}

std::string ShiftCueContent(std::string_view content, SubtitleFormat format, const ShiftAmount& requested) {
    // The same cut as the stream's, over the whole content at once.
    const size_t firstEnd = content.find_first_of("\r\n");
    const bool cutAtCr = firstEnd != std::string_view::npos && content[firstEnd] == '\r' &&
                         (firstEnd + 1 == content.size() || content[firstEnd + 1] != '\n');
    const char wanted = cutAtCr ? '\r' : '\n';
    std::vector<std::string_view> lines;
    std::vector<std::string_view> ends;
    for (size_t from = 0;;) {
        size_t at = content.find(wanted, from);
        size_t stop = at == std::string_view::npos ? content.size() : at;
        size_t lineEnd =
            !cutAtCr && at != std::string_view::npos && stop > from && content[stop - 1] == '\r' ? stop - 1 : stop;
        lines.push_back(content.substr(from, lineEnd - from));
        ends.push_back(content.substr(lineEnd, at == std::string_view::npos ? stop - lineEnd : at + 1 - lineEnd));
        if (at == std::string_view::npos) break;
        from = at + 1;
    }

    CueCount count;
    CueLayout layout(format);
    bool firstDialogue = false;
    for (size_t index = 0; index < lines.size(); ++index) {
        if (layout.Next(lines[index]) != CueLineKind::Timing) continue;
        ++count.Cues;
        const bool dialogue = format != SubtitleFormat::Ass || layout.IsDialogue();
        if (count.FirstStart >= 0 && (!dialogue || firstDialogue)) continue;
        try {
            count.FirstStart = CueStartMillis(lines[index], format, layout);
        } catch (const RuntimeError&) {
            RethrowAtLine(index, lines[index]);
        }
        firstDialogue = dialogue;
    }
    CueLineShifter shifter(format, ResolveCueAmount(count, format, requested));
    std::string out;
    out.reserve(content.size() + content.size() / 8);
    std::string replacement;
    for (size_t index = 0; index < lines.size(); ++index) {
        try {
            out.append(shifter.Shift(lines[index], replacement) ? std::string_view(replacement) : lines[index]);
        } catch (const RuntimeError&) {
            RethrowAtLine(index, lines[index]);
        }
        out.append(ends[index]);
    }
    return out;
}

}  // namespace tarvex
