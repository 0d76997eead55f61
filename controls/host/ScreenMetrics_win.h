#pragma once
// Twips per pixel of the screen, and colours and fonts of the forms' values.

#include <windows.h>

#include <cstdint>

#include "controls/host/GdiHandles_win.h"
#include "controls/host/PropertyBag.h"

namespace tarvex::host {

// 1440 divided by the screen's dots per inch (15 at 96 DPI).
double ScreenTwipsPerPixelX();
double ScreenTwipsPerPixelY();

// A form colour (system colours as 0x80000000 + index) as an RGB value;
// CLR_INVALID when the system refuses it.
COLORREF TranslateColor(uint32_t oleColour);

// A font of the description's face, size (points at the screen's DPI) and styles.
FontHandle CreateFontFor(const FontDescription& font);

}  // namespace tarvex::host
