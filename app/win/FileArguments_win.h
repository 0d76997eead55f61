#pragma once
// Files the shell hands to the program: the one named on its command line
// ("Open with", a double-click on an associated file, a shortcut) and the
// ones dropped on its window. Paths come back full and in the process's
// ANSI code page, ready for the program's ANSI calls.

#include <windows.h>
// shellapi.h needs the types of windows.h first.
#include <shellapi.h>

#include <string>

namespace tarvex::win {

// The first argument of `commandLine` (the program's name comes before it),
// made a full path; empty when there is none.
std::string FileFromCommandLine(const wchar_t* commandLine);
// The first file of a drop, made a full path; empty when the drop has none.
// The drop stays the caller's to finish.
std::string FirstDroppedFile(HDROP drop);

}  // namespace tarvex::win
