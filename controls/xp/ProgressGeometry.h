#pragma once
// The themed progress bar: where its chunk goes and what its label says.

#include <cstdint>
#include <string>

#include "controls/xp/XpRect.h"

namespace tarvex::xp {

// " 42 %": the label of a themed bar with something to show.
std::string PercentageText(int32_t percentage);

struct ThemedProgressLayout {
    XpRect Bar;  // the bar part, the whole control
    bool HasChunk = false;
    bool Vertical = false;    // taller than wide (or square): grows from the bottom
    XpRect Chunk;             // chunk part 3, or vertical chunk part 4
    std::string LabelText;    // "0 %" below 1, " P %" otherwise
    int32_t InnerHeight = 0;  // of the bar inside its border, for placing the label
};

ThemedProgressLayout LayoutThemedProgress(int32_t w, int32_t h, int32_t percentage, bool isVista);

// Top-left of the label: centred across the control, a pixel below the
// middle of the bar's inner height.
struct LabelPlace {
    int32_t Left = 0, Top = 0;
    bool operator==(const LabelPlace&) const = default;
};
LabelPlace PlacePercentageLabel(int32_t controlW, int32_t innerH, int32_t textW, int32_t textH);

}  // namespace tarvex::xp
