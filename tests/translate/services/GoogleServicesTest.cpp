// Both Google endpoints: one block per GET, read by the web endpoint's
// reply reading.

#include <gtest/gtest.h>

#include "support/RaisedError.h"
#include "translate/TranslationRequest.h"
#include "translate/services/ServiceSupport.h"
#include "translate/services/ServiceTestKit.h"
#include "translate/services/WebEndpoint.h"

namespace tarvex {
namespace {

using test::Make;
using test::Reply;

TEST(GoogleWebService, GoesOverHttpsUnlessAHostSaysOtherwise) {
    struct Case {
        const char* host;
        const char* scheme;
        const char* authority;
    };
    for (const Case& c : {Case{"", "https", "translate.google.com"}, Case{"127.0.0.1:8080", "http", "127.0.0.1:8080"},
                          Case{"https://mirror.example:8443", "https", "mirror.example:8443"}}) {
        ServiceSettings settings;
        settings.Host = c.host;
        settings.SourceLanguage = "english";
        settings.TargetLanguage = "indonesian";
        const HttpRequest request = MakeService(settings)->Build({{"Hello", "World"}}, {});
        SCOPED_TRACE(c.host);
        EXPECT_EQ(request.Method, "GET");
        EXPECT_EQ(request.Url,
                  std::string(c.scheme) + "://" + BuildRequestUrl(c.authority, {"Hello", "World"}, "en", "id"));
        // Today's header block, with the Referer naming the root actually reached.
        std::vector<std::string> expected = HeaderLines(BuildHeaderBlock(c.authority));
        for (std::string& line : expected)
            if (line.rfind("Referer:", 0) == 0) line = "Referer:" + std::string(c.scheme) + "://" + c.authority + "/";
        EXPECT_EQ(request.HeaderLines, expected);
        EXPECT_TRUE(request.Body.empty());
    }
}

TEST(GoogleWebService, ReadsLinesAndLeavesAnUnreadableReplyUntranslated) {
    auto google = Make("google");
    EXPECT_EQ(google->Read(Reply(200, test::Fixture("google_api_two_lines.json")), 1),
              (std::vector<BlockLines>{{"Halo", "Dunia"}}));
    EXPECT_EQ(google->Read(Reply(200, "<html>unusual traffic</html>"), 1), (std::vector<BlockLines>{{}}));
    const std::string longLine(6000, '&');  // three bytes each once escaped
    EXPECT_EQ(test::NumberRaisedBy([&] { google->Build({{longLine}}, {}); }), ErrorNumber::BlockTooLong);
    EXPECT_EQ(test::NumberRaisedBy([&] { google->Build({{"a"}, {"b"}}, {}); }), ErrorNumber::InvalidCall);
    // A block without text is asked for too, as the endpoint always was.
    EXPECT_NE(google->Build({BlockLines{}}, {}).Url.find("&text=&"), std::string::npos);
}

TEST(GoogleApiService, AsksTheGtxEndpointAndReadsItLikeTheWebOne) {
    EXPECT_EQ(
        Make("google-api")->Build({{"Hello", "World & more"}}, {}).Url,
        "https://translate.googleapis.com/translate_a/single?client=gtx&sl=en&tl=id&dt=t&q=Hello%0AWorld%20%26%20more");
    const HttpRequest local =
        Make("google-api", "http://127.0.0.1:9/prefix/", "", "", "zh", "auto")->Build({{"x"}}, {});
    EXPECT_EQ(local.Url, "http://127.0.0.1:9/prefix/translate_a/single?client=gtx&sl=zh&tl=auto&dt=t&q=x");
    EXPECT_TRUE(local.HeaderLines.empty());
    EXPECT_EQ(Make("google-api")->Read(Reply(200, test::Fixture("google_api_two_lines.json")), 1),
              (std::vector<BlockLines>{{"Halo", "Dunia"}}));
    // Its JSON is exact: the web page's repairs of padded punctuation would damage it.
    const std::string exact = R"([[["Rock 'n' roll , \"yes\" .","x",null]]])";
    EXPECT_EQ(Make("google-api")->Read(Reply(200, exact), 1), (std::vector<BlockLines>{{"Rock 'n' roll , \"yes\" ."}}));
    EXPECT_EQ(Make("google")->Read(Reply(200, exact), 1), (std::vector<BlockLines>{{"Rock'n' roll,\"yes\"."}}));
}

// What a server writes reaches a report as one printable line: a console
// shows the report, and a hostile text must not redraw or retitle it.
TEST(ServiceSupport, AServersTextIsOneShortPrintableLine) {
    const std::string hostile =
        "Bad\x1b[2J\x1b]0;owned\x07 Re\xC2\x9B"
        "31mquest\r\nX-Evil: 1\x7F\x1b(B!";
    EXPECT_EQ(OneLine(hostile), "Bad Request X-Evil: 1 !");
    const auto verdict = Make("google")->Classify(Reply(400, "", hostile));
    EXPECT_EQ(verdict.Message, "HTTP 400 Bad Request X-Evil: 1 !");
    const std::string endless = "\xC3\xA9" + std::string(400, 'x') + "\x1b[";
    const std::string cut = OneLine(endless);
    EXPECT_EQ(cut.size(), 300u + 3u);
    EXPECT_EQ(cut.substr(cut.size() - 3), "...");
    EXPECT_EQ(OneLine(std::string(299, 'x') + "\xC3\xA9"), std::string(299, 'x') + "...");  // not half a letter
    EXPECT_EQ(OneLine("\x1b"), "");
}

TEST(GoogleServices, ClassifyByStatusAlone) {
    auto google = Make("google");
    EXPECT_EQ(google->Classify(Reply(200, "")).What, ReplyVerdict::Kind::Ok);
    const ReplyVerdict limited = google->Classify(Reply(429, "", "Too Many Requests", "7"));
    EXPECT_EQ(limited.What, ReplyVerdict::Kind::RetryLater);
    EXPECT_EQ(limited.Pause, std::chrono::seconds(7));
    EXPECT_FALSE(google->Classify(Reply(503, "", "", "Wed, 21 Oct 2015 07:28:00 GMT")).Pause.has_value());
    const ReplyVerdict refused = Make("google-api")->Classify(Reply(404, "<html>", "Not Found"));
    EXPECT_EQ(refused.What, ReplyVerdict::Kind::Refused);
    EXPECT_EQ(refused.Message, "google-api: HTTP 404 Not Found");
    EXPECT_EQ(refused.Number, ErrorNumber::ServiceRefused);
}

}  // namespace
}  // namespace tarvex
