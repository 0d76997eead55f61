#include "subtitle/CueShift.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "base/Interruption.h"
#include "base/RuntimeError.h"
#include "base/TextTrim.h"
#include "subtitle/CueTimestamps.h"
#include "subtitle/Lines.h"
#include "subtitle/TimeChange.h"

namespace tarvex {

namespace {

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

// A timestamp inside cue text; one too long to be a time is text.
bool ReadInlineStamp(std::string_view text, CueStamp& stamp) {
    try {
        return ReadVttStamp(text, stamp);
    } catch (const RuntimeError&) {
        return false;
    }
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
    const size_t start = SkipBlanks(line, line.size() - WithoutUtf8Mark(line).size());
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
        // Other tags (<i>, <c.yellow>, <v Anna>, <1234567>) are not times and
        // stay: only a timing line can fail a shift.
        if (!ReadInlineStamp(line.substr(at + 1), stamp)) continue;
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
    line = WithoutUtf8Mark(line);
    CueStamp stamp;
    if (!ReadVttStamp(line.substr(SkipBlanks(line, 0)), stamp)) ThrowUnreadable();
    return stamp.Units;
}

// The start of the first cue, for Start Time: in ASS the first Dialogue
// wins over Comment and other events before it, as those often hold
// templates timed at zero.
class FirstCueStart {
public:
    FirstCueStart(SubtitleFormat format, CueCount& count) : format_(format), count_(count) {}

    // Given each Timing line in order.
    void See(std::string_view line, size_t index, const CueLayout& layout) {
        const bool dialogue = format_ != SubtitleFormat::Ass || layout.IsDialogue();
        if (count_.FirstStart >= 0 && (!dialogue || dialogueSeen_)) return;
        try {
            count_.FirstStart = CueStartMillis(line, format_, layout);
        } catch (const RuntimeError&) {
            RethrowAtLine(index, line);
        }
        dialogueSeen_ = dialogue;
    }

private:
    const SubtitleFormat format_;
    CueCount& count_;
    bool dialogueSeen_ = false;
};

// Cuts the bytes of a file into lines as SplitCueLines does, a window at a
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
            if (next == end_ && eof_) break;
            pos_ = next;
        }
        Emit(copied_, end_);
        Flush();
        return readOffset_;
    }

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
    std::string out_;
};

}  // namespace

CueCount CountCues(InputFile& input, SubtitleFormat format, size_t chunkSize) {
    CueCount count;
    CueLayout layout(format);
    FirstCueStart first(format, count);
    LineWalker walker(input, nullptr, chunkSize);
    count.Bytes = walker.Run([&](std::string_view line, size_t index, std::string&) {
        if (layout.Next(line) != CueLineKind::Timing) return false;
        ++count.Cues;
        first.See(line, index, layout);
        return false;
    });
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
    const CutLines cut = SplitCueLines(content);
    CueCount count;
    CueLayout layout(format);
    FirstCueStart first(format, count);
    for (size_t index = 0; index < cut.Lines.size(); ++index) {
        if (layout.Next(cut.Lines[index]) != CueLineKind::Timing) continue;
        ++count.Cues;
        first.See(cut.Lines[index], index, layout);
    }
    CueLineShifter shifter(format, ResolveCueAmount(count, format, requested));
    std::string out;
    out.reserve(content.size() + content.size() / 8);
    std::string replacement;
    for (size_t index = 0; index < cut.Lines.size(); ++index) {
        try {
            out.append(shifter.Shift(cut.Lines[index], replacement) ? std::string_view(replacement) : cut.Lines[index]);
        } catch (const RuntimeError&) {
            RethrowAtLine(index, cut.Lines[index]);
        }
        out.append(cut.Ends[index]);
    }
    return out;
}

}  // namespace tarvex
