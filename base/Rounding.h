#pragma once
// Rounding to nearest with ties to even, the rule used for every rounding
// the user can see (percentages, shift amounts).

#include <cmath>
#include <cstdint>

namespace tarvex {

inline double RoundHalfEven(double value) {
    // nearbyint follows the current rounding mode, which is to-nearest-even
    // unless someone changed it; do it explicitly to be independent of that.
    double floorValue = std::floor(value);
    double diff = value - floorValue;
    if (diff > 0.5) return floorValue + 1.0;
    if (diff < 0.5) return floorValue;
    return std::fmod(floorValue, 2.0) == 0.0 ? floorValue : floorValue + 1.0;
}

// To whole pixels, as every control's geometry places them.
inline int32_t RoundToPixel(double value) {
    return static_cast<int32_t>(RoundHalfEven(value));
}

// numerator / denominator to the nearest integer, ties to even, in integers
// so that no time loses a unit to floating point. The numerator is not
// negative and the denominator is positive.
inline int64_t RoundHalfEvenDiv(int64_t numerator, int64_t denominator) {
    int64_t quotient = numerator / denominator;
    int64_t twice = 2 * (numerator % denominator);
    if (twice > denominator || (twice == denominator && quotient % 2 != 0)) ++quotient;
    return quotient;
}

}  // namespace tarvex
