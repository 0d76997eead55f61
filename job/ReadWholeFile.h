#pragma once
// Reading a whole file for a front end that only wants its content.

#include <string>

namespace tarvex {

class Prompts;
class FileSystem;

// The whole file as bytes. On failure shows the error report and answers an
// empty text, so callers that only want content need no error handling.
std::string ReadWholeFile(const std::string& path, Prompts& prompts);
std::string ReadWholeFile(const std::string& path, Prompts& prompts, FileSystem& files);

}  // namespace tarvex
