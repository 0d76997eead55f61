#pragma once
// Error numbers of the translation service, in the range the runtime's
// internet transfer errors used, so users can tell them from file errors.

#include <cstdint>

namespace tarvex::ErrorNumber {

constexpr int32_t RequestTimedOut = 35761;   // "Request timed out"
constexpr int32_t ServiceRefused = 35762;    // "HTTP <status> <reason>"
constexpr int32_t ConnectionFailed = 35763;  // the connection could not be made or was dropped

}  // namespace tarvex::ErrorNumber
