#include "subtitle/CueTimestamps.h"

#include "base/RuntimeError.h"
#include "base/TextTrim.h"

namespace tarvex {

namespace {

constexpr int kMostHourDigits = 6;

// Exactly `count` digits at `at`, at most 59 when `sixty` is set.
bool ReadDigits(std::string_view text, size_t at, size_t count, int64_t& value, bool sixty = false) {
    if (text.size() < at + count) return false;
    value = 0;
    for (size_t i = 0; i < count; ++i) {
        if (!IsDigit(text[at + i])) return false;
        value = value * 10 + (text[at + i] - '0');
    }
    return !sixty || value <= 59;
}

// A run of digits at the start of `text`: their count (0 when none).
size_t LeadingDigits(std::string_view text, int64_t& value) {
    size_t count = 0;
    value = 0;
    while (count < text.size() && IsDigit(text[count])) {
        if (count == kMostHourDigits) throw RuntimeError(ErrorNumber::Overflow);
        value = value * 10 + (text[count++] - '0');
    }
    return count;
}

// Decimal with at least `width` digits, written backwards from `end`;
// answers where it starts.
char* PutPadded(char* end, int64_t value, int width) {
    int count = 0;
    do {
        *--end = static_cast<char>('0' + value % 10);
        value /= 10;
        ++count;
    } while (value != 0);
    for (; count < width; ++count) *--end = '0';
    return end;
}

// The fixed part after the hours, ":MM:SS" then the separator and the
// fraction, written backwards from `end`.
char* PutClock(char* end, int64_t seconds, int64_t fraction, int fractionDigits) {
    end = PutPadded(end, fraction, fractionDigits);
    *--end = '.';
    end = PutPadded(end, seconds % 60, 2);
    *--end = ':';
    return PutPadded(end, seconds / 60 % 60, 2);
}

}  // namespace

bool ReadVttStamp(std::string_view text, CueStamp& stamp) {
    int64_t first = 0;
    size_t firstDigits = LeadingDigits(text, first);
    if (firstDigits == 0 || text.size() <= firstDigits || text[firstDigits] != ':') return false;
    int64_t second = 0;
    if (!ReadDigits(text, firstDigits + 1, 2, second, true)) return false;
    size_t at = firstDigits + 3;
    int64_t hours = 0;
    int64_t minutes = first;
    int64_t seconds = second;
    int hourDigits = 0;
    if (at < text.size() && text[at] == ':') {
        hours = first;
        minutes = second;
        hourDigits = static_cast<int>(firstDigits);
        if (!ReadDigits(text, at + 1, 2, seconds, true)) return false;
        at += 3;
    } else if (firstDigits != 2 || minutes > 59) {
        return false;
    }
    int64_t millis = 0;
    if (at >= text.size() || text[at] != '.' || !ReadDigits(text, at + 1, 3, millis)) return false;
    stamp.Units = ((hours * 60 + minutes) * 60 + seconds) * 1000 + millis;
    stamp.Length = at + 4;
    stamp.HourDigits = hourDigits;
    return true;
}

bool ReadAssStamp(std::string_view text, CueStamp& stamp) {
    int64_t hours = 0;
    size_t hourDigits = LeadingDigits(text, hours);
    if (hourDigits == 0 || text.size() <= hourDigits || text[hourDigits] != ':') return false;
    int64_t minutes = 0;
    int64_t seconds = 0;
    int64_t centis = 0;
    size_t at = hourDigits + 1;
    if (!ReadDigits(text, at, 2, minutes, true) || text.size() <= at + 2 || text[at + 2] != ':' ||
        !ReadDigits(text, at + 3, 2, seconds, true) || text.size() <= at + 5 || text[at + 5] != '.' ||
        !ReadDigits(text, at + 6, 2, centis))
        return false;
    stamp.Units = ((hours * 60 + minutes) * 60 + seconds) * 100 + centis;
    stamp.Length = at + 8;
    stamp.HourDigits = static_cast<int>(hourDigits);
    return true;
}

void AppendVttStamp(int64_t millis, int hourDigits, std::string& out) {
    // Hours of at most six digits as read, and a carry: 32 characters suffice.
    char text[32];
    char* const end = text + sizeof text;
    char* start = PutClock(end, millis / 1000, millis % 1000, 3);
    const int64_t hours = millis / 3600000;
    if (hourDigits > 0 || hours > 0) {
        *--start = ':';
        start = PutPadded(start, hours, hourDigits > 0 ? hourDigits : 2);
    }
    out.append(start, static_cast<size_t>(end - start));
}

void AppendAssStamp(int64_t centis, int hourDigits, std::string& out) {
    char text[32];
    char* const end = text + sizeof text;
    char* start = PutClock(end, centis / 100, centis % 100, 2);
    *--start = ':';
    start = PutPadded(start, centis / 360000, hourDigits);
    out.append(start, static_cast<size_t>(end - start));
}

}  // namespace tarvex
