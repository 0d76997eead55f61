#pragma once
// File arguments with * and ?: the shells of POSIX systems expand them
// before the program starts, cmd.exe does not, so on Windows the program
// expands them itself.

#include <string>
#include <vector>

namespace tarvex::cli {

// The files a word names: on Windows a word with * or ? in its last part
// becomes the ordinary files that match, sorted by name; a word that matches
// nothing, and every word elsewhere, stays as it is.
std::vector<std::string> ExpandWildcards(const std::string& word);

}  // namespace tarvex::cli
