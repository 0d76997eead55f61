#include "controls/host/ScreenMetrics_win.h"

#include <olectl.h>

#include "controls/host/Twips.h"

namespace tarvex::host {

namespace {
int ScreenDpi(int index) {
    WindowDC screen(nullptr);
    return GetDeviceCaps(screen.Get(), index);
}
}  // namespace

double ScreenTwipsPerPixelX() {
    return TwipsPerPixel(ScreenDpi(LOGPIXELSX));
}
double ScreenTwipsPerPixelY() {
    return TwipsPerPixel(ScreenDpi(LOGPIXELSY));
}

COLORREF TranslateColor(uint32_t oleColour) {
    COLORREF result = 0;
    if (OleTranslateColor(static_cast<OLE_COLOR>(oleColour), nullptr, &result) != S_OK) return CLR_INVALID;
    return result;
}

FontHandle CreateFontFor(const FontDescription& font) {
    const int height = -MulDiv(static_cast<int>(font.Size * 100 + 0.5f), ScreenDpi(LOGPIXELSY), 7200);
    const int weight = font.Bold ? FW_BOLD : FW_NORMAL;
    return FontHandle(CreateFontA(height, 0, 0, 0, weight, font.Italic, font.Underline, font.Strikethru,
                                  static_cast<DWORD>(font.Charset), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                  DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, font.Name.c_str()));
}

}  // namespace tarvex::host
