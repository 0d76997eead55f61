#pragma once
// Quick questions about the system for the front ends and the Process checks,
// answered through the real file system.

#include <string>

namespace tarvex {

bool FileExists(const std::string& path);
bool FolderExists(const std::string& folder);

// Whether the system reports an internet connection. Answers true when the
// system cannot be asked, so the caller goes on and fails later with its own
// error instead of refusing for no reason.
bool IsConnected();

}  // namespace tarvex
