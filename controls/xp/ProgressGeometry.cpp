#include "controls/xp/ProgressGeometry.h"

#include "base/Rounding.h"

namespace tarvex::xp {

std::string PercentageText(int32_t percentage) {
    return " " + std::to_string(percentage) + " %";
}

ThemedProgressLayout LayoutThemedProgress(int32_t w, int32_t h, int32_t percentage, bool isVista) {
    ThemedProgressLayout layout;
    layout.Bar = {0, 0, w, h};
    layout.InnerHeight = h;
    if (percentage < 1) {
        layout.LabelText = "0 %";
        return layout;
    }
    // Older themes draw a thicker border around the chunk area.
    const int32_t inset = isVista ? 1 : 3;
    XpRect inner{inset, inset, w - inset, h - inset};
    layout.InnerHeight = inner.Height();
    layout.LabelText = PercentageText(percentage);
    layout.HasChunk = true;
    if (inner.Width() <= inner.Height()) {
        layout.Vertical = true;
        inner.Top = RoundToPixel(inner.Bottom - percentage * (inner.Height() / 100.0));
        layout.Chunk = inner;
        return layout;
    }
    XpRect chunk = inner;
    if (!isVista) chunk.Right += 1;
    chunk.Right = RoundToPixel(chunk.Right / 100.0 * percentage);
    layout.Chunk = chunk;
    return layout;
}

LabelPlace PlacePercentageLabel(int32_t controlW, int32_t innerH, int32_t textW, int32_t textH) {
    return {RoundToPixel((controlW - textW) / 2.0), RoundToPixel((innerH - textH) / 2.0) + 1};
}

}  // namespace tarvex::xp
