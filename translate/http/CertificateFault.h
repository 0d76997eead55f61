#pragma once
// Why a server's certificate was refused, in words a user can act on, from
// what each platform's client reports: WinINet's error numbers, and the
// text libcurl has from OpenSSL.

#include <string_view>

#include "base/RuntimeError.h"

namespace tarvex {

enum class CertificateFault {
    None,       // not a certificate's fault
    Untrusted,  // self-signed, an unknown issuer, revoked, or otherwise invalid
    OtherName,  // made out for another host name
    Expired,    // outside its dates
};

CertificateFault CertificateFaultOfWinInet(unsigned long error);

// From libcurl's error text for a failed verification; Untrusted when the
// text names neither another name nor the dates.
CertificateFault CertificateFaultOfTlsText(std::string_view text);

// 35763: "Cannot reach the translation service: its certificate is not
// trusted" (is for another name, has expired).
RuntimeError CertificateError(CertificateFault fault);

}  // namespace tarvex
