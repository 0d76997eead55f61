#pragma once
// Rounding to nearest with ties to even, the rule used for every rounding
// the user can see (percentages, shift amounts).

#include <cmath>

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

}  // namespace tarvex
