#include "subtitle/StreamShift.h"

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "base/Interruption.h"
#include "base/RuntimeError.h"
#include "subtitle/CanonicalTiming.h"
#include "subtitle/LineScan.h"
#include "subtitle/ShiftContent.h"

namespace tarvex {

namespace {

// Below this the carried tails would not fit.
constexpr size_t kSmallestChunk = 16;
// An arrow may straddle the end of the window by this much.
constexpr size_t kArrowTail = 4;

// Bytes on their way to the output: appending is a bounds check and a copy.
class OutputBuffer {
public:
    explicit OutputBuffer(size_t capacity) : bytes_(capacity) {}

    size_t Size() const { return size_; }
    std::string_view Bytes() const { return {bytes_.data(), size_}; }
    void Clear() { size_ = 0; }
    void Truncate(size_t size) { size_ = size; }

    void Append(const char* from, const char* to) {
        const size_t count = static_cast<size_t>(to - from);
        std::memcpy(Room(count), from, count);
        size_ += count;
    }
    void AppendCrLf() {
        char* at = Room(2);
        at[0] = '\r';
        at[1] = '\n';
        size_ += 2;
    }
    // Space for `count` more bytes at the end; Grew says how many were used.
    char* Room(size_t count) {
        if (bytes_.size() - size_ < count) bytes_.resize(std::max(bytes_.size() * 2, size_ + count));
        return bytes_.data() + size_;
    }
    void Grew(size_t count) { size_ += count; }

private:
    std::vector<char> bytes_;
    size_t size_ = 0;
};

// The window holds [pos_, end_) of the input not yet written, pos_ at the
// start of a line. Lines before the line of the next arrow are copied with
// their separators turned into CR LF; the arrow's line is rebuilt.
class StreamShifter {
public:
    StreamShifter(InputFile& input, LineSeparator separator, const ShiftAmount& requested, OutputFile& output,
                  const ShiftProgress& progress, size_t chunkSize)
        : input_(input),
          separator_(separator),
          separatorLength_(SeparatorLength(separator)),
          requested_(requested),
          resolved_(requested.Mode != ShiftMode::StartTime),
          amount_(requested),
          output_(output),
          progress_(progress),
          chunk_(std::max(chunkSize, kSmallestChunk)),
          window_(chunk_),
          out_(2 * chunk_ + kCanonicalHeadRoom) {
        reportAt_ = progress_ ? progress_(0) : INT64_MAX;
    }

    StreamShiftResult Run() {
        Fill();
        size_t scan = 0;
        for (;;) {
            char* const base = window_.data();
            const char* arrow = FindArrow(base + scan, base + end_);
            if (arrow == nullptr) {
                if (eof_) {
                    EmitLines(pos_, end_);
                    // Empty content has no lines at all, so no last line to end.
                    if (readOffset_ > 0) out_.AppendCrLf();
                    break;
                }
                const char* lastEnd = FindLastSeparatorEnd(base + pos_, base + end_, separator_);
                if (lastEnd != nullptr) {
                    EmitLines(pos_, Index(lastEnd));
                    pos_ = Index(lastEnd);
                } else if (pos_ == 0 && end_ == window_.size()) {
                    if (!LineHoldsArrow()) {
                        PassLongLine();
                        scan = pos_;
                        continue;
                    }
                    Grow();
                }
                if (out_.Size() >= chunk_) Flush();
                size_t resume = std::max(pos_, end_ - std::min(end_, kArrowTail));
                scan = resume - Fill();
                continue;
            }
            const char* lineStart = FindLastSeparatorEnd(base + pos_, arrow, separator_);
            if (lineStart != nullptr) {
                EmitLines(pos_, Index(lineStart));
                pos_ = Index(lineStart);
            }
            const char* lineEnd = FindSeparator(arrow + kTimingArrow.size(), base + end_, separator_);
            if (lineEnd == nullptr && !eof_) {
                // The timing line goes on beyond the window: it is needed whole.
                const size_t arrowAt = Index(arrow);
                if (pos_ == 0 && end_ == window_.size()) Grow();
                scan = arrowAt - Fill();
                continue;
            }
            size_t stop = lineEnd != nullptr ? Index(lineEnd) : end_;
            ShiftTimingLine(pos_, stop);
            out_.AppendCrLf();
            if (lineEnd == nullptr) break;  // the last line, without a separator
            pos_ = stop + separatorLength_;
            scan = pos_;
            if (out_.Size() >= chunk_) Flush();
        }
        Flush();
        if (!resolved_) throw NoTimingLineError();
        return {done_, readOffset_};
    }

private:
    size_t Index(const char* at) const { return static_cast<size_t>(at - window_.data()); }

    // Moves the unwritten bytes to the front and reads behind them; answers
    // by how much the window moved. The caller makes sure there is room.
    size_t Fill() {
        StopIfInterrupted();
        size_t moved = pos_;
        if (moved > 0) {
            std::memmove(window_.data(), window_.data() + pos_, end_ - pos_);
            end_ -= moved;
            pos_ = 0;
            windowOffset_ += moved;
        }
        size_t want = window_.size() - end_;
        size_t got = input_.ReadAt(readOffset_, window_.data() + end_, want);
        readOffset_ += got;
        end_ += got;
        if (got < want) eof_ = true;
        return moved;
    }

    void Grow() { window_.resize(window_.size() * 2); }

    void Flush() {
        if (out_.Size() == 0) return;
        output_.Write(out_.Bytes());
        out_.Clear();
    }

    // Whole lines, or the end of the content: every separator becomes CR LF.
    void EmitLines(size_t from, size_t to) {
        const char* at = window_.data() + from;
        const char* end = window_.data() + to;
        if (separator_ == LineSeparator::CrLf) {
            out_.Append(at, end);
            return;
        }
        const char wanted = separator_ == LineSeparator::Lf ? '\n' : '\r';
        while (const void* hit = std::memchr(at, wanted, static_cast<size_t>(end - at))) {
            const char* separator = static_cast<const char*>(hit);
            out_.Append(at, separator);
            out_.AppendCrLf();
            at = separator + 1;
        }
        out_.Append(at, end);
    }

    // The window is full with one line that has shown no arrow yet: reads
    // ahead to its end without moving the window. Remembers where it ends.
    bool LineHoldsArrow() {
        const uint64_t lineOffset = windowOffset_ + pos_;
        if (lineOffset == arrowLineOffset_) return true;
        lookahead_.resize(chunk_);
        uint64_t at = windowOffset_ + end_ - kArrowTail;
        for (;;) {
            StopIfInterrupted();
            size_t got = input_.ReadAt(at, lookahead_.data(), lookahead_.size());
            const char* from = lookahead_.data();
            const char* end = from + got;
            const char* separator = FindSeparator(from, end, separator_);
            if (FindArrow(from, separator != nullptr ? separator : end) != nullptr) {
                arrowLineOffset_ = lineOffset;
                return true;
            }
            if (separator != nullptr || got < lookahead_.size()) {
                longLineEnd_ = at + static_cast<uint64_t>((separator != nullptr ? separator : end) - from);
                return false;
            }
            at += got - kArrowTail;
        }
    }

    // Copies a line without an arrow up to its separator (left in the
    // window, at pos_) or the end of the file, a window at a time.
    void PassLongLine() {
        for (;;) {
            size_t stop = static_cast<size_t>(std::min<uint64_t>(longLineEnd_ - windowOffset_, end_));
            out_.Append(window_.data() + pos_, window_.data() + stop);
            pos_ = stop;
            Flush();
            if (windowOffset_ + pos_ >= longLineEnd_ || eof_) return;
            Fill();
        }
    }

    void ShiftTimingLine(size_t from, size_t to) {
        std::string_view line(window_.data() + from, to - from);
        if (!resolved_) {
            try {
                amount_ = StartTimeAmount(line, requested_.Minutes, requested_.Seconds, requested_.Millis);
            } catch (const RuntimeError&) {
                RethrowAtThisLine(from, line);
            }
            resolved_ = true;
        }
        std::string_view tail;
        if (char* end = PutCanonicalTimingLine(line, amount_, out_.Room(kCanonicalHeadRoom), tail)) {
            out_.Grew(static_cast<size_t>(end - out_.Room(0)));
            out_.Append(tail.data(), tail.data() + tail.size());
        } else {
            rebuilt_.clear();
            try {
                AppendShiftedTimingLine(line, amount_, rebuilt_);
            } catch (const RuntimeError&) {
                RethrowAtThisLine(from, line);
            }
            out_.Append(rebuilt_.data(), rebuilt_.data() + rebuilt_.size());
        }
        if (++done_ >= reportAt_) reportAt_ = progress_(done_);
    }

    [[noreturn]] void RethrowAtThisLine(size_t from, std::string_view line) {
        int64_t index = CountLinesBefore(input_, separator_, windowOffset_ + from, chunk_);
        RethrowAtLine(static_cast<size_t>(index), line);
    }

    InputFile& input_;
    const LineSeparator separator_;
    const size_t separatorLength_;
    const ShiftAmount requested_;
    bool resolved_;
    ShiftAmount amount_;
    OutputFile& output_;
    const ShiftProgress& progress_;
    const size_t chunk_;

    std::vector<char> window_;
    size_t pos_ = 0;
    size_t end_ = 0;
    uint64_t windowOffset_ = 0;  // of window_[0] in the file
    uint64_t readOffset_ = 0;
    bool eof_ = false;

    std::vector<char> lookahead_;
    uint64_t arrowLineOffset_ = UINT64_MAX;
    uint64_t longLineEnd_ = 0;

    OutputBuffer out_;
    std::string rebuilt_;  // a timing line in another layout
    int64_t done_ = 0;
    int64_t reportAt_;
};

}  // namespace

StreamShiftResult ShiftStream(InputFile& input, LineSeparator separator, const ShiftAmount& requested,
                              OutputFile& output, const ShiftProgress& progress, size_t chunkSize) {
    StreamShifter shifter(input, separator, requested, output, progress, chunkSize);
    return shifter.Run();
}

StreamShiftResult ShiftStream(InputFile& input, LineSeparator separator, ShiftMode mode, int16_t minutes,
                              int16_t seconds, OutputFile& output, const ShiftProgress& progress, size_t chunkSize) {
    return ShiftStream(input, separator, ShiftAmount{mode, minutes, seconds}, output, progress, chunkSize);
}

}  // namespace tarvex
