#pragma once
// Secrets kept for the current user by the system's data protection
// (DPAPI): sealed bytes that only this user, on this machine, can open.

#include <optional>
#include <string>

namespace tarvex::win {

std::optional<std::string> SealForUser(const std::string& secret);
// None when the bytes were sealed for someone else, or are damaged.
std::optional<std::string> OpenForUser(const std::string& sealed);

}  // namespace tarvex::win
