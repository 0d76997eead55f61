#include "subtitle/TimeChange.h"

#include "base/Rounding.h"
#include "base/RuntimeError.h"

namespace tarvex {

TimeChanger::TimeChanger(const ShiftAmount& amount, int64_t unitsPerSecond) {
    if (amount.MapsTimes()) {
        map_ = amount.Map;
        unitsPerSecond_ = unitsPerSecond;
        return;
    }
    if (amount.ChangesRate()) {
        rateFrom_ = amount.RateFrom;
        rateTo_ = amount.RateTo;
        return;
    }
    const int64_t millis = amount.TotalMillis();
    const int64_t magnitude = millis < 0 ? -millis : millis;
    offset_ = RoundHalfEvenDiv(magnitude * unitsPerSecond, kMillisPerSecond);
    if ((millis < 0) != (amount.Mode == ShiftMode::Minus)) offset_ = -offset_;
}

int64_t ChangeTime(int64_t time, const ShiftAmount& amount, int64_t unitsPerSecond) {
    return TimeChanger(amount, unitsPerSecond)(time < 0 ? 0 : time);
}

ShiftAmount StartTimeAmountFromMillis(int64_t firstStart, int16_t minutes, int16_t seconds, int16_t millis) {
    constexpr int64_t kHour = 3600000;
    const int64_t first = firstStart % kHour;
    const int64_t target = int64_t{minutes} * 60000 + int64_t{seconds} * 1000 + millis;
    const int64_t difference = target - first;
    ShiftAmount amount;
    amount.Mode = difference < 0 ? ShiftMode::Minus : ShiftMode::Plus;
    const int64_t magnitude = difference < 0 ? -difference : difference;
    const int64_t wholeMinutes = magnitude / 60000;
    if (wholeMinutes > INT16_MAX) throw RuntimeError(ErrorNumber::Overflow);
    amount.Minutes = static_cast<int16_t>(wholeMinutes);
    const int64_t rest = magnitude % 60000;
    if (millis == 0) {
        amount.Seconds = static_cast<int16_t>(RoundHalfEvenDiv(rest, 1000));
    } else {
        amount.Seconds = static_cast<int16_t>(rest / 1000);
        amount.Millis = static_cast<int16_t>(rest % 1000);
    }
    return amount;
}

}  // namespace tarvex
