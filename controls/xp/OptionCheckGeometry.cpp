#include "controls/xp/OptionCheckGeometry.h"

#include "base/Rounding.h"

namespace tarvex::xp {

namespace {
int32_t GlyphTop(int32_t height, const OptionCheckMeasures& m) {
    return RoundToPixel(height / 2.0 - m.HeightT / 2.0);
}
int32_t CaptionTop(int32_t height, const OptionCheckMeasures& m) {
    return RoundToPixel(height / 2.0 - m.HeightF / 2.0);
}
}  // namespace

int32_t OptionCheckHeight(const OptionCheckMeasures& m) {
    return m.HeightT + 4;
}

int32_t ClassicGlyphWidth(double twipsPerPixel) {
    return RoundToPixel(210 / twipsPerPixel);
}

int32_t OptionCheckTextLeft(int32_t glyphW) {
    return glyphW + 5;
}

int32_t OptionCheckWidth(int32_t glyphW, const OptionCheckMeasures& m) {
    int32_t width = OptionCheckTextLeft(glyphW) + m.CaptionW;
    if (m.HasAccessKey) width -= m.AmpersandW;
    return width;
}

OptionCheckLayout LayoutThemedOptionCheck(int32_t height, int32_t glyphW, int32_t glyphH,
                                          const OptionCheckMeasures& m) {
    OptionCheckLayout layout;
    const int32_t glyphTop = GlyphTop(height, m);
    layout.Glyph = {0, glyphTop, glyphW, glyphTop + glyphH};
    const int32_t top = CaptionTop(height, m);
    const int32_t left = layout.Glyph.Right + 4;
    layout.Caption = {left, top, m.CaptionW + left, height - top};
    return layout;
}

OptionCheckLayout LayoutClassicOptionCheck(int32_t height, const OptionCheckMeasures& m) {
    OptionCheckLayout layout;
    const int32_t glyphTop = GlyphTop(height, m);
    layout.Glyph = {0, glyphTop, ClassicGlyphWidth(m.TwipsPerPixel), height - glyphTop};
    const int32_t top = CaptionTop(height, m);
    const int32_t left = RoundToPixel(255 / m.TwipsPerPixel);
    layout.Caption = {left, top, left + m.CaptionW, height - glyphTop};
    return layout;
}

XpRect OptionCheckFocusRect(int32_t textLeft, int32_t width, int32_t height) {
    return {textLeft - 2, 1, width, height - 1};
}

}  // namespace tarvex::xp
