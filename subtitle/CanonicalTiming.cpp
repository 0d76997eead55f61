#include "subtitle/CanonicalTiming.h"

#include <array>
#include <cstring>

#include "base/TextTrim.h"
#include "subtitle/Lines.h"

namespace tarvex {

namespace {

// Hours of one to four digits keep every sum far from the 16-bit limit, so
// none of the general rebuild's overflow checks could fire.
constexpr size_t kMostFastHourDigits = 4;
constexpr size_t kAfterHours = 10;  // ":MM:SS,mmm"

int TwoDigits(const char* t) {
    return (t[0] - '0') * 10 + (t[1] - '0');
}

struct Stamp {
    int Hours;
    const char* Rest;  // at the ':' before the minutes
    size_t Length;
};

// H:MM:SS,mmm with one to four hour digits at the start of `text`.
bool ReadStamp(std::string_view text, Stamp& stamp) {
    size_t digits = 0;
    int hours = 0;
    while (digits < text.size() && digits <= kMostFastHourDigits && IsDigit(text[digits]))
        hours = hours * 10 + (text[digits++] - '0');
    if (digits == 0 || digits > kMostFastHourDigits || text.size() < digits + kAfterHours) return false;
    const char* t = text.data() + digits;
    if (!(t[0] == ':' && IsDigit(t[1]) && IsDigit(t[2]) && t[3] == ':' && IsDigit(t[4]) && IsDigit(t[5]) &&
          t[6] == ',' && IsDigit(t[7]) && IsDigit(t[8]) && IsDigit(t[9])))
        return false;
    stamp = {hours, t, digits + kAfterHours};
    return true;
}

constexpr auto kDigitPairs = [] {
    std::array<char, 200> pairs{};
    for (int value = 0; value < 100; ++value) {
        pairs[2 * value] = static_cast<char>('0' + value / 10);
        pairs[2 * value + 1] = static_cast<char>('0' + value % 10);
    }
    return pairs;
}();

// Decimal with at least two digits, as the general rebuild writes fields;
// values stay below 10000 + 1.
char* PutNumber(char* at, int value) {
    if (value >= 100) {
        if (value >= 10000) *at++ = static_cast<char>('0' + value / 10000);
        if (value >= 1000) *at++ = static_cast<char>('0' + value / 1000 % 10);
        *at++ = static_cast<char>('0' + value / 100 % 10);
        value %= 100;
    }
    std::memcpy(at, kDigitPairs.data() + 2 * value, 2);
    return at + 2;
}

char* PutPlus(char* at, const Stamp& stamp, int minutes, int seconds) {
    const char* t = stamp.Rest;
    int second = TwoDigits(t + 4) + seconds;
    int carry = second >= 60 ? 1 : 0;
    second -= 60 * carry;
    int minute = TwoDigits(t + 1) + minutes + carry;
    carry = minute >= 60 ? 1 : 0;
    minute -= 60 * carry;
    at = PutNumber(at, stamp.Hours + carry);
    *at++ = ':';
    at = PutNumber(at, minute);
    *at++ = ':';
    at = PutNumber(at, second);
    *at++ = ',';
    at[0] = t[7];
    at[1] = t[8];
    at[2] = t[9];
    return at + 3;
}

char* PutMinus(char* at, const Stamp& stamp, int minutes, int seconds) {
    const char* t = stamp.Rest;
    int hour = stamp.Hours;
    int minute = TwoDigits(t + 1);
    int millis = TwoDigits(t + 4) * 1000 + (t[7] - '0') * 100 + (t[8] - '0') * 10 + (t[9] - '0') - seconds * 1000;
    if (millis < 0) {
        millis += 60000;
        --minute;
    }
    minute -= minutes;
    if (minute < 0) {
        minute += 60;
        --hour;
    }
    if (hour < 0) {
        constexpr std::string_view kStart = "00:00:00,000";
        return at + kStart.copy(at, kStart.size());
    }
    at = PutNumber(at, hour);
    *at++ = ':';
    at = PutNumber(at, minute);
    *at++ = ':';
    at = PutNumber(at, millis / 1000);
    *at++ = ',';
    const int fraction = millis % 1000;
    at[0] = static_cast<char>('0' + fraction / 100);
    at[1] = static_cast<char>('0' + fraction / 10 % 10);
    at[2] = static_cast<char>('0' + fraction % 10);
    return at + 3;
}

}  // namespace

char* PutCanonicalTimingLine(std::string_view line, const ShiftAmount& amount, char* at, std::string_view& tail) {
    if (!amount.WholeSeconds() || amount.Minutes < 0 || amount.Minutes > 59 || amount.Seconds < 0 ||
        amount.Seconds > 59)
        return nullptr;
    Stamp start;
    Stamp end;
    if (!ReadStamp(line, start)) return nullptr;
    std::string_view rest = line.substr(start.Length);
    if (rest.substr(0, kTimingArrow.size()) != kTimingArrow) return nullptr;
    rest.remove_prefix(kTimingArrow.size());
    if (!ReadStamp(rest, end)) return nullptr;
    // The end timestamp must stop at a blank (or the line's end), as the general rebuild cuts it there.
    tail = rest.substr(end.Length);
    if (!tail.empty() && tail.front() != ' ' && tail.front() != '\t') return nullptr;

    auto put = amount.Mode == ShiftMode::Minus ? PutMinus : PutPlus;
    at = put(at, start, amount.Minutes, amount.Seconds);
    at += kTimingArrow.copy(at, kTimingArrow.size());
    return put(at, end, amount.Minutes, amount.Seconds);
}

}  // namespace tarvex
