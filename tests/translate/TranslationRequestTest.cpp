#include <gtest/gtest.h>

#include "base/RuntimeError.h"
#include "support/OneBlock.h"
#include "support/ScriptedTransport.h"
#include "translate/TranslationRequest.h"
#include "translate/services/WebEndpoint.h"

namespace tarvex {
namespace {

using test::ScriptedTransport;

TEST(TranslationRequest, HeaderBlockIsExact) {
    EXPECT_EQ(BuildHeaderBlock("translate.google.com"),
              "\r\n\r\nHost:translate.google.com\r\n"
              "User-Agent:Mozilla/5.0 (Windows NT 5.1; rv:9.0.1) Gecko/20100101 Firefox/9.0.1\r\n"
              "Accept:text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8\r\n"
              "Accept-Language:en-us,en;q=0.5\r\n"
              "Accept-Encoding: *\r\n"
              "Accept-Charset:ISO-8859-1,utf-8;q=0.7,*;q=0.7\r\n"
              "Keep-Alive:115\r\n"
              "Connection: keep-alive\r\n"
              "Referer:http://translate.google.com/\r\n"
              "\r\n");
}

TEST(TranslationRequest, UrlEscapesEveryByteOfTheText) {
    EXPECT_EQ(BuildRequestUrl("translate.google.com", {"Hello", "World"}, "en", "id"),
              "translate.google.com/translate_a/t?client=t&text=Hello%0AWorld&hl=en&sl=en&tl=id"
              "&multires=1&otf=1&pc=1&ssel=0&tsel=0&sc=1");
    EXPECT_EQ(BuildRequestUrl("h:81", {"a b&tl=xx#1%+", "\xE9t\xE9 -._~"}, "zh-CN", "&x"),
              "h:81/translate_a/t?client=t&text=a%20b%26tl%3Dxx%231%25%2B%0A%E9t%E9%20-._~&hl=en&sl=zh-CN&tl=%26x"
              "&multires=1&otf=1&pc=1&ssel=0&tsel=0&sc=1");
    EXPECT_NE(BuildRequestUrl("h", {}, "en", "id").find("&text=&hl=en&"), std::string::npos);
}

class RequestTest : public ::testing::Test {
protected:
    std::string Request(const std::vector<std::string>& lines) { return test::AskOneBlock(lines, service); }
    int32_t FailureOf(const std::vector<std::string>& lines, std::string* description = nullptr) {
        try {
            Request(lines);
        } catch (const RuntimeError& error) {
            if (description) *description = error.Description();
            return error.Number();
        }
        return 0;
    }
    static test::ScriptedTransport::Step Status(int status, const std::string& reason,
                                                const std::string& retryAfter = "") {
        test::ScriptedTransport::Step step;
        step.Reply.Status = status;
        step.Reply.Reason = reason;
        step.Reply.RetryAfter = retryAfter;
        step.Reply.Body = "<html>captcha [\"trap\",</html>";
        return step;
    }

    ScriptedTransport transport;
    std::vector<std::chrono::milliseconds> pauses;
    ConnectionSettings service{.Jobs = 1, .NewTransport = test::ConnectionsTo(transport)};
    void SetUp() override {
        service.Pause = [this](std::chrono::milliseconds pause) { pauses.push_back(pause); };
    }
};

TEST_F(RequestTest, SendsTheHeaderLinesAndJoinsTheTranslation) {
    EXPECT_EQ(Request({"Hello", "World"}), "HELLO\r\nWORLD");
    ASSERT_EQ(transport.Urls.size(), 1u);
    EXPECT_EQ(transport.Urls[0].rfind("http://translate.google.com/translate_a/t?client=t&text=Hello%0AWorld&", 0), 0u);
    ASSERT_EQ(transport.Headers[0].size(), 9u);
    EXPECT_EQ(transport.Headers[0][0], "Host:translate.google.com");
    EXPECT_EQ(transport.Headers[0][4], "Accept-Encoding: *");
    EXPECT_EQ(transport.Headers[0][8], "Referer:http://translate.google.com/");
}

TEST_F(RequestTest, NoLineInTheReplyWritesTheSourceLines) {
    for (const char* body : {"", "   ", "<html>no marks here</html>"}) {
        test::ScriptedTransport::Step step;
        step.Reply.Status = 200;
        step.Reply.Body = body;
        transport.Script.push_back(step);
        EXPECT_EQ(Request({"Hi there", "Bye"}), "Hi there\r\nBye");
    }
}

TEST_F(RequestTest, RateLimitsAreRetriedThenRefusalsFail) {
    transport.Script = {Status(429, "Too Many Requests", "2"), Status(503, "Service Unavailable")};
    EXPECT_EQ(Request({"ok"}), "OK");
    EXPECT_EQ(pauses,
              (std::vector<std::chrono::milliseconds>{std::chrono::seconds(2), std::chrono::milliseconds(1000)}));

    transport.Script = {Status(429, "Too Many Requests"), Status(429, "Too Many Requests"),
                        Status(429, "Too Many Requests"), Status(429, "Too Many Requests")};
    std::string description;
    EXPECT_EQ(FailureOf({"x"}, &description), ErrorNumber::ServiceRefused);
    EXPECT_EQ(description, "HTTP 429 Too Many Requests");
    EXPECT_TRUE(transport.Script.empty());

    transport.Script = {Status(500, "Internal Server Error")};
    EXPECT_EQ(FailureOf({"x"}, &description), ErrorNumber::ServiceRefused);
    EXPECT_EQ(description, "HTTP 500 Internal Server Error");

    // A Retry-After beyond the time-out is not waited for, however many its digits.
    service.Timeout = std::chrono::seconds(5);
    for (const char* retryAfter : {"60", "99999999999999999999"}) {
        transport.Script = {Status(429, "Too Many Requests", retryAfter)};
        size_t before = pauses.size();
        EXPECT_EQ(FailureOf({"x"}), ErrorNumber::ServiceRefused) << retryAfter;
        EXPECT_EQ(pauses.size(), before) << retryAfter;
        EXPECT_LE(transport.Timeouts.back(), std::chrono::seconds(5));
    }
}

TEST(ConnectionSettings, MembersLeftOutOrEmptiedStillWork) {
    ScriptedTransport transport;
    test::ScriptedTransport::Step limited;
    limited.Reply.Status = 429;
    limited.Reply.RetryAfter = "0";
    transport.Script = {limited};
    ConnectionSettings service{.NewTransport = test::ConnectionsTo(transport), .RunBlocking = {}, .Pause = {}};
    EXPECT_EQ(test::AskOneBlock({"Hello"}, service), "HELLO");
    EXPECT_EQ(transport.Urls.size(), 2u);
    EXPECT_LE(transport.Timeouts[0], kDefaultTimeout);
    EXPECT_GT(transport.Timeouts[0], kDefaultTimeout - std::chrono::seconds(1));
}

TEST_F(RequestTest, TransportFailuresPassThrough) {
    test::ScriptedTransport::Step timeout;
    timeout.FailWith = ErrorNumber::RequestTimedOut;
    transport.Script = {timeout};
    EXPECT_EQ(FailureOf({"x"}), ErrorNumber::RequestTimedOut);
}

}  // namespace
}  // namespace tarvex
