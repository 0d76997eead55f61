#include "translate/http/CertificateFault.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "translate/http/HttpLimits.h"

namespace tarvex {

namespace {

// WinINet's numbers (wininet.h), so that this stays portable.
constexpr unsigned long kSecCertDateInvalid = 12037;
constexpr unsigned long kSecCertCnInvalid = 12038;
constexpr unsigned long kInvalidCa = 12045;
constexpr unsigned long kSecCertErrors = 12055;
constexpr unsigned long kSecCertNoRev = 12056;
constexpr unsigned long kSecCertRevFailed = 12057;
constexpr unsigned long kSecInvalidCert = 12169;
constexpr unsigned long kSecCertRevoked = 12170;

bool Holds(const std::string& text, std::string_view words) {
    return text.find(words) != std::string::npos;
}

}  // namespace

CertificateFault CertificateFaultOfWinInet(unsigned long error) {
    switch (error) {
        case kSecCertDateInvalid: return CertificateFault::Expired;
        case kSecCertCnInvalid: return CertificateFault::OtherName;
        case kInvalidCa:
        case kSecCertErrors:
        case kSecCertNoRev:
        case kSecCertRevFailed:
        case kSecInvalidCert:
        case kSecCertRevoked: return CertificateFault::Untrusted;
        default: return CertificateFault::None;
    }
}

CertificateFault CertificateFaultOfTlsText(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (Holds(lower, "expired") || Holds(lower, "not yet valid")) return CertificateFault::Expired;
    if (Holds(lower, "subject name") || Holds(lower, "host name") || Holds(lower, "does not match"))
        return CertificateFault::OtherName;
    return CertificateFault::Untrusted;
}

RuntimeError CertificateError(CertificateFault fault) {
    switch (fault) {
        case CertificateFault::Expired: return UnreachableError("its certificate has expired");
        case CertificateFault::OtherName: return UnreachableError("its certificate is for another name");
        default: return UnreachableError("its certificate is not trusted");
    }
}

}  // namespace tarvex
