// Choosing the proxy for a plain-HTTP request from the system's setting.

#include "translate/http/ProxySettings.h"

#include <gtest/gtest.h>

namespace tarvex {
namespace {

TEST(ProxySettingsTest, TheHttpEntryWinsAndBypassesMatchByPattern) {
    EXPECT_EQ(HttpProxyFrom("127.0.0.1:8080"), "127.0.0.1:8080");
    EXPECT_EQ(HttpProxyFrom("  http://proxy:3128 "), "proxy:3128");
    EXPECT_EQ(HttpProxyFrom("ftp=f:21;https=s:443 HTTP=h:80"), "h:80");
    EXPECT_EQ(HttpProxyFrom("all:1;http=h:80"), "h:80");
    EXPECT_EQ(HttpProxyFrom("https=s:443;socks=k:1080"), "");
    EXPECT_EQ(HttpProxyFrom(""), "");

    const std::string bypass = "*.Example.com; 10.* <local>";
    EXPECT_TRUE(BypassesProxy(bypass, "www.example.COM"));
    EXPECT_TRUE(BypassesProxy(bypass, "10.1.2.3"));
    EXPECT_TRUE(BypassesProxy(bypass, "intranet"));
    EXPECT_FALSE(BypassesProxy(bypass, "example.com"));
    EXPECT_FALSE(BypassesProxy(bypass, "translate.google.com"));
    EXPECT_FALSE(BypassesProxy("", "intranet"));
}

}  // namespace
}  // namespace tarvex
