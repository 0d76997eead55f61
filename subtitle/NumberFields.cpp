#include "subtitle/NumberFields.h"

#include "base/RuntimeError.h"
#include "base/TextTrim.h"

namespace tarvex {

namespace {

[[noreturn]] void ThrowTypeMismatch() {
    throw RuntimeError(ErrorNumber::TypeMismatch);
}
[[noreturn]] void ThrowOverflow() {
    throw RuntimeError(ErrorNumber::Overflow);
}

// Consumes an optional sign; answers true for a minus.
bool TakeSign(std::string_view& text) {
    if (text.empty()) return false;
    if (text.front() == '-') {
        text.remove_prefix(1);
        return true;
    }
    if (text.front() == '+') text.remove_prefix(1);
    return false;
}

}  // namespace

int16_t CheckedInt16(int32_t value) {
    if (value < INT16_MIN || value > INT16_MAX) ThrowOverflow();
    return static_cast<int16_t>(value);
}

int16_t ParseInt16Field(std::string_view text) {
    // The usual two-digit field, without the general path's checks.
    if (text.size() == 2 && IsDigit(text[0]) && IsDigit(text[1]))
        return static_cast<int16_t>((text[0] - '0') * 10 + (text[1] - '0'));
    text = TrimBlanks(text);
    bool negative = TakeSign(text);
    if (text.empty()) ThrowTypeMismatch();
    int32_t value = 0;
    bool overflow = false;
    for (char c : text) {
        if (!IsDigit(c)) ThrowTypeMismatch();
        if (!overflow) {
            value = value * 10 + (c - '0');
            if (value > 32768) overflow = true;
        }
    }
    if (overflow) ThrowOverflow();
    return CheckedInt16(negative ? -value : value);
}

int64_t ParseMillisField(std::string_view text) {
    // The usual SS,mmm, without the general path's checks.
    if (text.size() == 6 && IsDigit(text[0]) && IsDigit(text[1]) && (text[2] == ',' || text[2] == '.') &&
        IsDigit(text[3]) && IsDigit(text[4]) && IsDigit(text[5]))
        return ((text[0] - '0') * 10 + (text[1] - '0')) * 1000 + (text[3] - '0') * 100 + (text[4] - '0') * 10 +
               (text[5] - '0');
    constexpr int64_t kWholeLimit = 1000000000000;  // far beyond any timestamp
    text = TrimBlanks(text);
    bool negative = TakeSign(text);
    int64_t whole = 0;
    size_t at = 0;
    size_t digits = 0;
    for (; at < text.size() && IsDigit(text[at]); ++at, ++digits) {
        whole = whole * 10 + (text[at] - '0');
        if (whole > kWholeLimit) ThrowOverflow();
    }
    int64_t millis = whole * 1000;
    if (at < text.size()) {
        if (text[at] != ',' && text[at] != '.') ThrowTypeMismatch();
        ++at;
        int64_t fraction = 0;
        size_t place = 0;
        int firstDropped = -1;     // the fourth fraction digit, which decides rounding
        bool restNonZero = false;  // any later digit that is not 0
        for (; at < text.size(); ++at, ++place, ++digits) {
            char c = text[at];
            if (!IsDigit(c)) ThrowTypeMismatch();
            if (place < 3) {
                fraction = fraction * 10 + (c - '0');
            } else if (place == 3) {
                firstDropped = c - '0';
            } else if (c != '0') {
                restNonZero = true;
            }
        }
        for (size_t pad = place; pad < 3; ++pad) fraction *= 10;
        millis += fraction;
        if (firstDropped > 5 || (firstDropped == 5 && (restNonZero || (millis % 2) != 0))) ++millis;
    }
    if (digits == 0) ThrowTypeMismatch();
    return negative ? -millis : millis;
}

}  // namespace tarvex
