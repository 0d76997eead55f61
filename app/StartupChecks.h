#pragma once
// What start-up decides from the system's version and screen before the
// window exists.

#include <cstdint>
#include <string>

namespace tarvex {

struct OsVersion {
    int32_t Major = 0;  // low byte of the version word
    int32_t Minor = 0;  // second byte
};

OsVersion OsVersionFromWord(uint32_t versionWord);

// The layout is drawn for 96 or 120 DPI; between them it comes out uneven.
bool NeedsDpiWarning(int dotsPerInch);
constexpr const char* kDpiWarningText =
    "Using non standard DPI settings i.e. > 96 and < 120, will probably\r\ngive undesirable results.";

constexpr const char* kThemeNoticeTitle = "XpControls";
// The notice shown when visual styles are not in use.
std::string ComposeThemeNotice(OsVersion version);

}  // namespace tarvex
