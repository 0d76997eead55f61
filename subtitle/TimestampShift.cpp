#include "subtitle/TimestampShift.h"

#include <cmath>

#include "base/Rounding.h"
#include "base/RuntimeError.h"
#include "base/TextTrim.h"
#include "subtitle/Lines.h"
#include "subtitle/NumberFields.h"
#include "subtitle/ShiftContent.h"
#include "subtitle/TimeChange.h"

namespace tarvex {

namespace {

struct TimestampFields {
    std::string_view Hours;
    std::string_view Minutes;
    std::string_view Seconds;
};

// A plain loop: timestamps are a dozen characters, too short for memchr's
// call to pay off, and this runs several times per timing line.
size_t FindChar(std::string_view text, char wanted, size_t from = 0) {
    for (size_t at = from; at < text.size(); ++at)
        if (text[at] == wanted) return at;
    return std::string_view::npos;
}

// Fields 0, 1 and 2 of the timestamp cut at ":"; further fields are ignored.
TimestampFields CutTimestamp(std::string_view timestamp) {
    size_t first = FindChar(timestamp, ':');
    if (first == std::string_view::npos) throw RuntimeError(ErrorNumber::SubscriptOutOfRange);
    size_t second = FindChar(timestamp, ':', first + 1);
    if (second == std::string_view::npos) throw RuntimeError(ErrorNumber::SubscriptOutOfRange);
    size_t third = FindChar(timestamp, ':', second + 1);
    size_t secondsLength = third == std::string_view::npos ? std::string_view::npos : third - second - 1;
    return {timestamp.substr(0, first), timestamp.substr(first + 1, second - first - 1),
            timestamp.substr(second + 1, secondsLength)};
}

// The fixed-width part of a timestamp is put together here and appended to
// the output in one piece; character-wise appends cost more than the shift.
class FieldText {
public:
    void Push(char c) { text_[size_++] = c; }
    // Decimal, with a leading "0" when the number is a single character.
    void TwoDigit(int64_t value) {
        if (value >= 0 && value < 100) {
            Push(static_cast<char>('0' + value / 10));
            Push(static_cast<char>('0' + value % 10));
            return;
        }
        Decimal(value);
    }
    void Decimal(int64_t value) {
        uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
        if (value < 0) Push('-');
        char digits[20];
        int count = 0;
        do {
            digits[count++] = static_cast<char>('0' + magnitude % 10);
            magnitude /= 10;
        } while (magnitude != 0);
        while (count > 0) Push(digits[--count]);
    }
    // Seconds and three fraction digits; one whole-second digit gets a
    // leading "0" (3.123 reads 03,123).
    void Millis(int64_t millis) {
        uint64_t magnitude = millis < 0 ? 0 - static_cast<uint64_t>(millis) : static_cast<uint64_t>(millis);
        int64_t whole = static_cast<int64_t>(magnitude / 1000);
        if (millis < 0) {
            Push('-');
            Decimal(whole);
        } else {
            TwoDigit(whole);
        }
        Push(',');
        unsigned fraction = static_cast<unsigned>(magnitude % 1000);
        Push(static_cast<char>('0' + fraction / 100));
        Push(static_cast<char>('0' + fraction / 10 % 10));
        Push(static_cast<char>('0' + fraction % 10));
    }
    void AppendTo(std::string& out) const { out.append(text_, size_); }

private:
    // Hours and minutes are 16-bit (6 characters with sign), seconds below
    // 10^12 (14 with sign): 32 characters at most.
    char text_[48];
    size_t size_ = 0;
};

// A field that may have reached 60 or more is written as value − 60 with one
// carry (so exactly 60 reads "00"); at most one carry, as the amounts are
// below 60.
struct Carried {
    int32_t Shown;
    int32_t Carry;
};
Carried Carry(int32_t value) {
    return value < 60 ? Carried{value, 0} : Carried{value - 60, 1};
}

size_t FindBlank(std::string_view text, size_t from) {
    for (size_t at = from; at < text.size(); ++at)
        if (text[at] == ' ' || text[at] == '\t') return at;
    return std::string_view::npos;
}

// A fraction of a second or a frame-rate change: the timestamp is read as a
// whole time, changed to the millisecond and written in full.
void AppendExactTimestamp(std::string_view timestamp, const ShiftAmount& amount, std::string& out) {
    TimestampFields fields = CutTimestamp(timestamp);
    int64_t time = int64_t{ParseInt16Field(fields.Hours)} * 3600000 + int64_t{ParseInt16Field(fields.Minutes)} * 60000 +
                   ParseMillisField(fields.Seconds);
    time = ChangeTime(time, amount, kMillisPerSecond);
    FieldText text;
    text.TwoDigit(time / 3600000);
    text.Push(':');
    text.TwoDigit(time / 60000 % 60);
    text.Push(':');
    text.Millis(time % 60000);
    text.AppendTo(out);
}

}  // namespace

void AppendPlusTimestamp(std::string_view timestamp, int16_t minutes, int16_t seconds, std::string& out) {
    TimestampFields fields = CutTimestamp(timestamp);
    int16_t hours = ParseInt16Field(fields.Hours);
    int16_t oldMinutes = ParseInt16Field(fields.Minutes);
    size_t comma = FindChar(fields.Seconds, ',');
    if (comma == std::string_view::npos) throw RuntimeError(ErrorNumber::SubscriptOutOfRange);
    int16_t oldSeconds = ParseInt16Field(fields.Seconds.substr(0, comma));
    std::string_view fraction = fields.Seconds.substr(comma + 1);
    fraction = fraction.substr(0, FindChar(fraction, ','));

    Carried newSeconds = Carry(CheckedInt16(int32_t{oldSeconds} + seconds));
    int16_t minuteSum = CheckedInt16(int32_t{minutes} + oldMinutes);
    Carried newMinutes = Carry(CheckedInt16(int32_t{minuteSum} + newSeconds.Carry));
    FieldText text;
    text.TwoDigit(CheckedInt16(int32_t{hours} + newMinutes.Carry));
    text.Push(':');
    text.TwoDigit(newMinutes.Shown);
    text.Push(':');
    text.TwoDigit(newSeconds.Shown);
    text.Push(',');
    text.AppendTo(out);
    out.append(fraction);
}

void AppendMinusTimestamp(std::string_view timestamp, int16_t minutes, int16_t seconds, std::string& out) {
    TimestampFields fields = CutTimestamp(timestamp);
    int32_t hours = ParseInt16Field(fields.Hours);
    int32_t oldMinutes = ParseInt16Field(fields.Minutes);
    int64_t millis = ParseMillisField(fields.Seconds) - int64_t{seconds} * 1000;
    if (millis < 0) {
        millis += 60000;
        oldMinutes = CheckedInt16(oldMinutes - 1);
    }
    int32_t newMinutes = CheckedInt16(oldMinutes - minutes);
    if (newMinutes < 0) {
        newMinutes = CheckedInt16(newMinutes + 60);
        hours = CheckedInt16(hours - 1);
    }
    if (hours < 0) {
        // Nothing can start before the film does.
        out.append("00:00:00,000");
        return;
    }
    FieldText text;
    text.TwoDigit(hours);
    text.Push(':');
    text.TwoDigit(newMinutes);
    text.Push(':');
    text.Millis(millis);
    text.AppendTo(out);
}

void AppendShiftedTimingLine(std::string_view line, const ShiftAmount& amount, std::string& out) {
    // A UTF-8 mark before the first timing line belongs to no line: it is
    // taken off before the timestamps are read and put back before them.
    const std::string_view unmarked = WithoutUtf8Mark(line);
    out.append(line.substr(0, line.size() - unmarked.size()));
    line = unmarked;
    size_t arrow = line.find(kTimingArrow);
    if (arrow == std::string_view::npos) throw RuntimeError(ErrorNumber::InvalidCall);
    std::string_view start = line.substr(0, arrow);
    std::string_view rest = line.substr(arrow + kTimingArrow.size());
    // The end timestamp stops at the first blank after its seconds field.
    size_t endLength = rest.size();
    size_t firstColon = FindChar(rest, ':');
    size_t secondColon = firstColon == std::string_view::npos ? firstColon : FindChar(rest, ':', firstColon + 1);
    if (secondColon != std::string_view::npos) {
        size_t blank = FindBlank(rest, secondColon + 1);
        if (blank != std::string_view::npos) endLength = blank;
    }
    std::string_view end = rest.substr(0, endLength);
    std::string_view tail = rest.substr(endLength);

    if (!amount.WholeSeconds()) {
        AppendExactTimestamp(start, amount, out);
        out.append(kTimingArrow);
        AppendExactTimestamp(end, amount, out);
        out.append(tail);
        return;
    }
    auto shift = amount.Mode == ShiftMode::Minus ? AppendMinusTimestamp : AppendPlusTimestamp;
    shift(start, amount.Minutes, amount.Seconds, out);
    out.append(kTimingArrow);
    shift(end, amount.Minutes, amount.Seconds, out);
    out.append(tail);
}

ShiftAmount StartTimeAmount(std::string_view firstTimingLine, int16_t targetMinutes, int16_t targetSeconds,
                            int16_t targetMillis) {
    firstTimingLine = WithoutUtf8Mark(firstTimingLine);
    std::string_view start = firstTimingLine.substr(0, firstTimingLine.find(kTimingArrow));
    TimestampFields fields = CutTimestamp(start);
    if (targetMillis != 0) {
        // Hours play no part: the first subtitle moves within its own hour.
        int64_t first = int64_t{ParseInt16Field(fields.Minutes)} * 60000 + ParseMillisField(fields.Seconds);
        if (first < 0) first = 0;
        return StartTimeAmountFromMillis(first, targetMinutes, targetSeconds, targetMillis);
    }
    double firstMinute = ParseInt16Field(fields.Minutes);
    double firstSecond = static_cast<double>(ParseMillisField(fields.Seconds)) / 1000.0;
    double first = firstMinute + firstSecond / 60.0;
    double target = targetMinutes + targetSeconds / 60.0;
    double difference = target - first;

    ShiftAmount amount;
    amount.Mode = difference < 0 ? ShiftMode::Minus : ShiftMode::Plus;
    double magnitude = std::fabs(difference);
    double wholeMinutes = std::trunc(magnitude);
    if (wholeMinutes > INT16_MAX) throw RuntimeError(ErrorNumber::Overflow);
    amount.Minutes = static_cast<int16_t>(wholeMinutes);
    amount.Seconds = CheckedInt16(static_cast<int32_t>(RoundHalfEven((magnitude - wholeMinutes) * 60.0)));
    return amount;
}

ShiftAmount ResolveShiftAmount(const std::vector<std::string_view>& lines, const std::vector<size_t>& timingLines,
                               const ShiftAmount& requested) {
    if (requested.Mode != ShiftMode::StartTime) return requested;
    if (timingLines.empty()) throw NoTimingLineError();
    const size_t first = timingLines.front();
    try {
        return StartTimeAmount(lines[first], requested.Minutes, requested.Seconds, requested.Millis);
    } catch (const RuntimeError&) {
        RethrowAtLine(first, lines[first]);
    }
}

void RethrowAtLine(size_t lineIndex, std::string_view line) {
    try {
        throw;
    } catch (const RuntimeError& error) {
        constexpr size_t kShownLength = 80;
        std::string shown(line.substr(0, kShownLength));
        if (line.size() > kShownLength) shown += "...";
        throw RuntimeError(error.Number(),
                           error.Description() + " at line " + std::to_string(lineIndex + 1) + ": \"" + shown + "\"");
    }
}

}  // namespace tarvex
