#include <gtest/gtest.h>

#include "translate/http/Redirects.h"
#include "translate/http/UrlText.h"

namespace tarvex {
namespace {

TEST(Redirects, SecretsAndTheHostLineStayWithTheirServer) {
    struct Case {
        const char* From;
        const char* To;
        std::vector<std::string> Kept;
    };
    const std::vector<std::string> all = {"Host:a.example", "authorization: Basic x", "X-Key:k", "Accept:*/*"};
    const Case cases[] = {
        {"http://a.example/t?q=1", "http://a.example/r/t", all},
        {"HTTP://A.Example:80/t", "http://user@a.example/r", all},
        {"https://a.example/t", "https://a.example:443/r", all},
        {"http://a.example/t", "http://a.example:8080/t", {"Accept:*/*"}},
        {"http://a.example/t", "http://b.example/t", {"Accept:*/*"}},
        {"https://a.example:8443/t", "http://a.example:8443/t", {"Host:a.example", "Accept:*/*"}},
        {"http://a.example/t", "https://a.example:80/t", {"Host:a.example", "Accept:*/*"}},
        {"http://[::1]:81/t", "http://[::1]:82/t", {"Accept:*/*"}},
    };
    for (const Case& each : cases) {
        HttpHeaders headers(all, {"x-key"});
        KeepForRedirect(headers, each.From, each.To);
        EXPECT_EQ(headers.Lines, each.Kept) << each.From << " -> " << each.To;
    }
}

TEST(UrlText, EscapingAndOrigins) {
    EXPECT_EQ(PercentEncode("a b&~\xE9"), "a%20b%26~%E9");
    EXPECT_EQ(EscapeRequestTarget("/t?text=a b&x=\x01\xE9"), "/t?text=a%20b&x=%01%E9");
    EXPECT_EQ(OriginOf("https://Host.Example/x"), (UrlOrigin{"https", "host.example", 443}));
    EXPECT_EQ(OriginOf("http://u:p@h:8080?q"), (UrlOrigin{"http", "h", 8080}));
    EXPECT_EQ(OriginOf("http://[::1]/"), (UrlOrigin{"http", "[::1]", 80}));
    EXPECT_EQ(OriginOf("ftp://h/"), UrlOrigin{});
    EXPECT_EQ(OriginOf("h/x"), UrlOrigin{});
    EXPECT_EQ(OriginOf("http://h:99999/"), UrlOrigin{});
}

}  // namespace
}  // namespace tarvex
