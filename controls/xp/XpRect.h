#pragma once
// A pixel rectangle as the drawing calls take it: right and bottom exclusive.

#include <cstdint>

namespace tarvex::xp {

struct XpRect {
    int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
    int32_t Width() const { return Right - Left; }
    int32_t Height() const { return Bottom - Top; }
    bool operator==(const XpRect&) const = default;
};

// A block copy of the surface onto itself.
struct SelfCopy {
    int32_t DestX = 0, DestY = 0, Width = 0, Height = 0, SourceX = 0, SourceY = 0;
    bool operator==(const SelfCopy&) const = default;
};

}  // namespace tarvex::xp
