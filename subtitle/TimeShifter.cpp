#include "subtitle/TimeShifter.h"

#include <cmath>

#include "app/Rounding.h"
#include "app/RuntimeError.h"
#include "subtitle/Lines.h"
#include "subtitle/NumberFields.h"

namespace tarvex {

namespace {

struct TimestampFields {
    std::string_view Hours;
    std::string_view Minutes;
    std::string_view Seconds;
};

// Fields 0, 1 and 2 of the timestamp cut at ":"; further fields are ignored.
TimestampFields CutTimestamp(std::string_view timestamp) {
    size_t first = timestamp.find(':');
    if (first == std::string_view::npos) throw RuntimeError(ErrorNumber::SubscriptOutOfRange);
    size_t second = timestamp.find(':', first + 1);
    if (second == std::string_view::npos) throw RuntimeError(ErrorNumber::SubscriptOutOfRange);
    size_t third = timestamp.find(':', second + 1);
    size_t secondsLength = third == std::string_view::npos ? std::string_view::npos : third - second - 1;
    return {timestamp.substr(0, first), timestamp.substr(first + 1, second - first - 1),
            timestamp.substr(second + 1, secondsLength)};
}

// Decimal, with a leading "0" when the number is a single character.
void AppendTwoDigit(int32_t value, std::string& out) {
    if (value >= 0 && value <= 9) out.push_back('0');
    out.append(std::to_string(value));
}

// Field text for a value that may have reached 60 or more: "00" and a carry
// at exactly 60, value − 60 and a carry above it.
int32_t AppendCarried(int32_t value, std::string& out) {
    if (value < 60) {
        AppendTwoDigit(value, out);
        return 0;
    }
    if (value == 60) {
        out.append("00");
        return 1;
    }
    AppendTwoDigit(value - 60, out);
    return 1;
}

void AppendMillis(int64_t millis, std::string& out) {
    bool negative = millis < 0;
    uint64_t magnitude = negative ? static_cast<uint64_t>(-(millis + 1)) + 1 : static_cast<uint64_t>(millis);
    std::string whole = std::to_string(magnitude / 1000);
    // One whole-second digit gets a leading "0": 3.123 reads 03,123.
    if (!negative && whole.size() == 1) out.push_back('0');
    if (negative) out.push_back('-');
    out.append(whole);
    out.push_back(',');
    unsigned fraction = static_cast<unsigned>(magnitude % 1000);
    out.push_back(static_cast<char>('0' + fraction / 100));
    out.push_back(static_cast<char>('0' + fraction / 10 % 10));
    out.push_back(static_cast<char>('0' + fraction % 10));
}

size_t FindBlank(std::string_view text, size_t from) {
    for (size_t at = from; at < text.size(); ++at)
        if (text[at] == ' ' || text[at] == '\t') return at;
    return std::string_view::npos;
}

}  // namespace

void AppendPlusTimestamp(std::string_view timestamp, int16_t minutes, int16_t seconds, std::string& out) {
    TimestampFields fields = CutTimestamp(timestamp);
    int16_t hours = ParseInt16Field(fields.Hours);
    int16_t oldMinutes = ParseInt16Field(fields.Minutes);
    size_t comma = fields.Seconds.find(',');
    if (comma == std::string_view::npos) throw RuntimeError(ErrorNumber::SubscriptOutOfRange);
    int16_t oldSeconds = ParseInt16Field(fields.Seconds.substr(0, comma));
    std::string_view fraction = fields.Seconds.substr(comma + 1);
    fraction = fraction.substr(0, fraction.find(','));

    int16_t secondSum = CheckedInt16(int32_t{oldSeconds} + seconds);
    int16_t minuteSum = CheckedInt16(int32_t{minutes} + oldMinutes);
    // The fields are assembled back to front, so build the tail first.
    std::string secondsText;
    int32_t carryMinute = AppendCarried(secondSum, secondsText);
    std::string minutesText;
    int32_t carryHour = AppendCarried(CheckedInt16(int32_t{minuteSum} + carryMinute), minutesText);
    AppendTwoDigit(CheckedInt16(int32_t{hours} + carryHour), out);
    out.push_back(':');
    out.append(minutesText);
    out.push_back(':');
    out.append(secondsText);
    out.push_back(',');
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
    AppendTwoDigit(hours, out);
    out.push_back(':');
    AppendTwoDigit(newMinutes, out);
    out.push_back(':');
    AppendMillis(millis, out);
}

void AppendShiftedTimingLine(std::string_view line, const ShiftAmount& amount, std::string& out) {
    size_t arrow = line.find(kTimingArrow);
    if (arrow == std::string_view::npos) throw RuntimeError(ErrorNumber::InvalidCall);
    std::string_view start = line.substr(0, arrow);
    std::string_view rest = line.substr(arrow + kTimingArrow.size());
    // The end timestamp stops at the first blank after its seconds field.
    size_t endLength = rest.size();
    size_t firstColon = rest.find(':');
    size_t secondColon = firstColon == std::string_view::npos ? firstColon : rest.find(':', firstColon + 1);
    if (secondColon != std::string_view::npos) {
        size_t blank = FindBlank(rest, secondColon + 1);
        if (blank != std::string_view::npos) endLength = blank;
    }
    std::string_view end = rest.substr(0, endLength);
    std::string_view tail = rest.substr(endLength);

    auto shift = amount.Mode == ShiftMode::Minus ? AppendMinusTimestamp : AppendPlusTimestamp;
    shift(start, amount.Minutes, amount.Seconds, out);
    out.append(kTimingArrow);
    shift(end, amount.Minutes, amount.Seconds, out);
    out.append(tail);
}

ShiftAmount StartTimeAmount(std::string_view firstTimingLine, int16_t targetMinutes, int16_t targetSeconds) {
    std::string_view start = firstTimingLine.substr(0, firstTimingLine.find(kTimingArrow));
    TimestampFields fields = CutTimestamp(start);
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

ShiftAmount ResolveShiftAmount(const std::vector<std::string_view>& lines, ShiftMode mode, int16_t minutes,
                               int16_t seconds) {
    if (mode != ShiftMode::StartTime) return ShiftAmount{mode, minutes, seconds};
    for (size_t index = 0; index < lines.size(); ++index) {
        if (!IsTimingLine(lines[index])) continue;
        try {
            return StartTimeAmount(lines[index], minutes, seconds);
        } catch (const RuntimeError&) {
            RethrowAtLine(index, lines[index]);
        }
    }
    throw RuntimeError(ErrorNumber::InvalidCall, "Invalid procedure call or argument: no timing line (\" --> \") in the file");
}

void RethrowAtLine(size_t lineIndex, std::string_view line) {
    try {
        throw;
    } catch (const RuntimeError& error) {
        constexpr size_t kShownLength = 80;
        std::string shown(line.substr(0, kShownLength));
        if (line.size() > kShownLength) shown += "...";
        throw RuntimeError(error.Number(), error.Description() + " at line " + std::to_string(lineIndex + 1) +
                                               ": \"" + shown + "\"");
    }
}

}  // namespace tarvex
