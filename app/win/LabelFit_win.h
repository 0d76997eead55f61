#pragma once
// One-line labels that grow to their text: the theme's font can be wider
// than the one the layout was drawn with, and a label must not wrap or cut
// its text.

#include <windows.h>

namespace tarvex::win {

// Widens `label` to its text in its own font, to at most `widest` pixels; a
// label already wide enough keeps its size.
void WidenLabelToText(HWND label, int widest);

}  // namespace tarvex::win
