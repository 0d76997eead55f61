#pragma once
// The shared file and connection routines of the main window.

#include <string>

namespace tarvex {

class Prompts;
class FileSystem;

// The whole file as bytes. On failure shows the error report and answers an
// empty text, so callers that only want content need no error handling.
std::string ReadWholeFile(const std::string& path, Prompts& prompts);
std::string ReadWholeFile(const std::string& path, Prompts& prompts, FileSystem& files);

bool FileExists(const std::string& path);
bool FolderExists(const std::string& folder);

// Whether the system reports an internet connection. Answers true when the
// system cannot be asked, so the caller goes on and fails later with its own
// error instead of refusing for no reason.
bool IsConnected();

}  // namespace tarvex
