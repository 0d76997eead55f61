#pragma once
// XpControls: the theme services of the themed controls. Whether visual
// styles are in force, the theme's font, a themed tab page behind a tab
// strip, and the form-wide repaint and font passes.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "controls/host/PaintTarget_win.h"
#include "controls/host/ParentForm.h"
#include "controls/xp/ThemeClasses.h"
#include "controls/xp/XpRect.h"

namespace tarvex::xp {

inline RECT ToRect(const XpRect& r) {
    return RECT{r.Left, r.Top, r.Right, r.Bottom};
}

// True when visual styles are active and the "Status" class opens on the
// window. A zero `hWnd` is replaced by the desktop window (and written back)
// once styles are known to be active.
bool IsThemed(HWND& hWnd, bool ShowErrors);
// The face of the theme font of a "Button" part, or "MS Sans Serif".
std::string WhatIsThemeFont(const ThemeClasses& Classes, HWND hWnd, HDC hDC, int32_t PartId, int32_t StateId);
// The group-box font face of the theme: the one face the controls use.
std::string GetThemeFontName();
// Paints the tab-page body between the twip coordinates into the target's
// persistent image, then refreshes the themed controls over it.
bool DrawTabStripCheat(host::PaintTarget& Target, int32_t Top, int32_t Left, int32_t Right, int32_t Bottom);
bool RefreshXpControls(host::ParentForm& Form);
std::vector<host::FormControl*> ThemeFormControls(host::ParentForm& Form);

// Turns the classic look on for the whole program, as if visual styles were
// off; the gallery and the tests show both looks with it.
void SetClassicLook(bool classic);

// The message box of the failure reports: returns IDYES, IDNO or IDOK.
// Replaceable so that tests can answer it.
using XpPrompt = std::function<int(const std::string& text, UINT type)>;
void SetXpPrompt(XpPrompt prompt);
int ShowXpPrompt(const std::string& text, UINT type);

// Lets pending window messages run.
void RunPendingMessages();

}  // namespace tarvex::xp
