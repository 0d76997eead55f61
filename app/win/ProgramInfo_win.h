#pragma once
// The running program's own file: its name without extension (the settings'
// application name) and the folder it lies in.

#include <string>

namespace tarvex::win {

std::string ProgramTitle();
std::string ProgramFolder();

}  // namespace tarvex::win
