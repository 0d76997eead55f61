#pragma once
// Asks the shell to open a web page in the browser; a failure (no browser)
// is not reported.

#include <windows.h>

#include "app/LinkActions.h"

namespace tarvex::win {

void OpenPage(HWND owner, const ShellOpen& page);

}  // namespace tarvex::win
