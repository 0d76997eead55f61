#pragma once
// The program's dialogs are made without resource templates, at the scale of
// the screen: an empty template gives the caption and frame, and the dialog
// places its controls in twips when it starts.

#include <windows.h>

namespace tarvex::win {

// Shows a modal dialog of `title` owned by `owner`; answers what EndDialog
// was given.
INT_PTR ShowEmptyDialog(HWND owner, const wchar_t* title, DLGPROC procedure, LPARAM parameter);
// Gives the dialog a client area of `width` by `height` pixels and centres it
// on its owner, or on the screen when it has none.
void CentreOnOwner(HWND dialog, HWND owner, int width, int height);

}  // namespace tarvex::win
