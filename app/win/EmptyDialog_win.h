#pragma once
// The program's dialogs are made without resource templates, at the scale of
// the screen: an empty template gives the caption and frame, and the dialog
// places its controls in twips when it starts.

#include <windows.h>

#include <string>

namespace tarvex::win {

// Shows a modal dialog of `title` owned by `owner`; answers what EndDialog
// was given.
INT_PTR ShowEmptyDialog(HWND owner, const wchar_t* title, DLGPROC procedure, LPARAM parameter);
// Gives the dialog a client area of `width` by `height` twips and centres it
// on its owner, or on the screen when it has none.
void CentreOnOwner(HWND dialog, HWND owner, double width, double height);
// A control of the dialog, shown, placed in twips, in `font`.
HWND AddDialogControl(HWND dialog, HFONT font, const char* className, DWORD style, int id, double left, double top,
                      double width, double height, const std::string& text);

}  // namespace tarvex::win
