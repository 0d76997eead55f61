#pragma once
// Named values of the themed controls' properties.

#include <cstdint>

namespace tarvex::xp {

namespace BorderStyles {
constexpr int32_t None = 0, XpFrame = 1, EtchedFrame = 2, XpEdit = 3, XpProgress = 4, XpTab = 5;
}
namespace BackStyles {
constexpr int32_t Transparent = 0, Opaque = 1;
}

// Colours as the form stores them: a system colour is 0x80000000 + its index.
namespace OleColours {
constexpr uint32_t Highlight = 0x8000000D;
constexpr uint32_t ButtonFace = 0x8000000F;
constexpr uint32_t ButtonShadow = 0x80000010;
constexpr uint32_t GrayText = 0x80000011;
constexpr uint32_t ButtonText = 0x80000012;
constexpr uint32_t Black = 0x00000000;
}  // namespace OleColours

}  // namespace tarvex::xp
