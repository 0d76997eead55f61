#pragma once
// Size and rectangles of the option and check button, in pixels.

#include <cstdint>

#include "controls/xp/XpRect.h"

namespace tarvex::xp {

struct OptionCheckMeasures {
    int32_t CaptionW = 0;    // width of the whole caption, "&" included
    int32_t AmpersandW = 0;  // width of "&"
    int32_t HeightT = 0;     // height of "T"
    int32_t HeightF = 0;     // height of "F"
    bool HasAccessKey = false;
    double TwipsPerPixel = 15.0;
};

// Always 4 pixels taller than "T", whatever height it was given.
int32_t OptionCheckHeight(const OptionCheckMeasures& m);
// Glyph width of the classic look: 210 twips.
int32_t ClassicGlyphWidth(double twipsPerPixel);
// TextLeft: where the focus rectangle starts.
int32_t OptionCheckTextLeft(int32_t glyphW);
// The caption's width beside the glyph, without the "&" that is not drawn.
int32_t OptionCheckWidth(int32_t glyphW, const OptionCheckMeasures& m);

struct OptionCheckLayout {
    XpRect Glyph;
    XpRect Caption;
};
// Themed look: the glyph has the theme's size for the current state.
OptionCheckLayout LayoutThemedOptionCheck(int32_t height, int32_t glyphW, int32_t glyphH, const OptionCheckMeasures& m);
OptionCheckLayout LayoutClassicOptionCheck(int32_t height, const OptionCheckMeasures& m);
XpRect OptionCheckFocusRect(int32_t textLeft, int32_t width, int32_t height);

}  // namespace tarvex::xp
