#include "app/StartupChecks.h"

namespace tarvex {

OsVersion OsVersionFromWord(uint32_t versionWord) {
    return OsVersion{static_cast<int32_t>(versionWord & 0xFF), static_cast<int32_t>((versionWord >> 8) & 0xFF)};
}

bool NeedsDpiWarning(int dotsPerInch) {
    return dotsPerInch > 96 && dotsPerInch < 120;
}

std::string ComposeThemeNotice(OsVersion version) {
    const std::string crlf = "\r\n";
    std::string notice;
    if (version.Major == 5 && version.Minor < 1) {
        notice = "You are running XpControls on Windows 2000." + crlf + crlf;
    } else if (version.Major == 5 && version.Minor > 0) {
        notice = "You are running XpControls on XP with themes disabled." + crlf + crlf;
    } else if (version.Major == 6) {
        notice = "You are running XpControls on Vista with themes disabled." + crlf + crlf;
    }
    notice += "Please note that these controls where written specifically for Windows XP/Vista themes. ";
    notice += "Without visual styles they draw the plain look of the standard Windows controls - legacy support has ";
    notice += "only been implemented for backwards compatibility." + crlf + crlf;
    // Every system since XP has visual styles to turn on (10.0 included).
    if ((version.Major == 5 && version.Minor > 0) || version.Major > 5)
        notice += "To see the XpControls full potential, please enable themes." + crlf;
    if (version.Major == 5 && version.Minor < 1)
        notice += "Please run this demo on an XP/Vista computer with themes enabled." + crlf;
    return notice;
}

}  // namespace tarvex
