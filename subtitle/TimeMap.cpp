#include "subtitle/TimeMap.h"

#include <algorithm>

#include "base/Rounding.h"

namespace tarvex {

TimeMap::TimeMap(std::vector<TimeMapPiece> pieces) : pieces_(std::move(pieces)) {
    std::stable_sort(pieces_.begin(), pieces_.end(),
                     [](const TimeMapPiece& a, const TimeMapPiece& b) { return a.Start < b.Start; });
}

const TimeMapPiece* TimeMap::PieceAt(double millis) const {
    if (pieces_.empty()) return nullptr;
    auto after = std::upper_bound(pieces_.begin(), pieces_.end(), millis,
                                  [](double time, const TimeMapPiece& piece) { return time < piece.Start; });
    return after == pieces_.begin() ? &pieces_.front() : &*(after - 1);
}

double TimeMap::ApplyExact(double millis) const {
    const TimeMapPiece* piece = PieceAt(millis);
    return piece == nullptr ? millis : millis * piece->Scale + piece->Offset;
}

int64_t TimeMap::Apply(int64_t millis) const {
    return ApplyInUnits(millis, 1000);
}

int64_t TimeMap::ApplyInUnits(int64_t units, int64_t unitsPerSecond) const {
    const double perMilli = static_cast<double>(unitsPerSecond) / 1000.0;
    const double mapped = ApplyExact(static_cast<double>(units) / perMilli) * perMilli;
    if (!(mapped > 0.0)) return 0;  // also catches NaN
    return static_cast<int64_t>(RoundHalfEven(mapped));
}

bool TimeMap::IsIdentity() const {
    return std::all_of(pieces_.begin(), pieces_.end(),
                       [](const TimeMapPiece& piece) { return piece.Scale == 1.0 && piece.Offset == 0.0; });
}

}  // namespace tarvex
