#pragma once
// Form geometry is in twips (1/1440 inch); drawing calls take pixels. The
// conversion rounds to the nearest pixel, a half going to the even one.

#include <cstdint>

#include "base/Rounding.h"

namespace tarvex::host {

constexpr double kTwipsPerInch = 1440.0;

// Twips per pixel for a screen of `dotsPerInch` (15 at 96 DPI).
inline double TwipsPerPixel(int dotsPerInch) {
    return dotsPerInch > 0 ? kTwipsPerInch / dotsPerInch : 15.0;
}

inline int32_t TwipsToPixels(double twips, double twipsPerPixel) {
    return static_cast<int32_t>(RoundHalfEven(twips / twipsPerPixel));
}

inline double PixelsToTwips(int32_t pixels, double twipsPerPixel) {
    return pixels * twipsPerPixel;
}

}  // namespace tarvex::host
