// A refused certificate is named by its cause on both platforms' clients.

#include <gtest/gtest.h>

#include "translate/http/CertificateFault.h"

namespace tarvex {
namespace {

TEST(CertificateFault, EachClientsReportNamesTheCause) {
    struct Case {
        unsigned long WinInet;
        const char* TlsText;  // OpenSSL's words as libcurl passes them on
        const char* Says;
    } cases[] = {
        {12045, "SSL certificate problem: self-signed certificate", "its certificate is not trusted"},
        {12169, "SSL certificate problem: unable to get local issuer certificate", "its certificate is not trusted"},
        {12038, "SSL: no alternative certificate subject name matches target host name 'a.example'",
         "its certificate is for another name"},
        {12037, "SSL certificate problem: certificate has expired", "its certificate has expired"},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.WinInet);
        const std::string expected = std::string("Cannot reach the translation service: ") + each.Says;
        const RuntimeError fromWinInet = CertificateError(CertificateFaultOfWinInet(each.WinInet));
        EXPECT_EQ(fromWinInet.Number(), ErrorNumber::ConnectionFailed);
        EXPECT_EQ(fromWinInet.Description(), expected);
        EXPECT_EQ(CertificateError(CertificateFaultOfTlsText(each.TlsText)).Description(), expected);
    }
    for (unsigned long other : {12002ul, 12029ul, 12007ul})
        EXPECT_EQ(CertificateFaultOfWinInet(other), CertificateFault::None) << other;
}

}  // namespace
}  // namespace tarvex
