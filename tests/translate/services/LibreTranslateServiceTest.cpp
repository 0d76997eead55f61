#include <gtest/gtest.h>

#include "support/RaisedError.h"
#include "translate/services/ServiceTestKit.h"

namespace tarvex {
namespace {

using nlohmann::json;
using test::Make;
using test::Reply;

TEST(LibreTranslateService, PostsEveryBlockAsOneElementOfQ) {
    const HttpRequest request = Make("libretranslate", "http://localhost:5000/", "k3y")->Build(test::TwoBlocks(), {});
    EXPECT_EQ(request.Method, "POST");
    EXPECT_EQ(request.Url, "http://localhost:5000/translate");
    EXPECT_EQ(request.HeaderLines[0], "Content-Type: application/json");
    EXPECT_EQ(test::Body(request), json::parse(R"({"q": ["Hello\nWorld", "Goodbye"], "source": "en", "target": "id",
                                                  "format": "text", "api_key": "k3y"})"));
    EXPECT_TRUE(request.SecretBody);
    // No key, no api_key; a source that names no language is detected.
    const HttpRequest keyless = Make("libretranslate", "https://lt.example", "", "", "", "hebrew")->Build({{"x"}}, {});
    EXPECT_FALSE(keyless.SecretBody);
    EXPECT_EQ(test::Body(keyless), json::parse(R"({"q": ["x"], "source": "auto", "target": "he", "format": "text"})"));
}

TEST(LibreTranslateService, ReadsTranslatedTextPerBlock) {
    auto service = Make("libretranslate", "http://localhost:5000");
    EXPECT_EQ(service->Read(Reply(200, test::Fixture("libretranslate_two_texts.json")), 2),
              (std::vector<BlockLines>{{"Halo", "Dunia"}, {"Selamat tinggal"}}));
    EXPECT_EQ(service->Read(Reply(200, R"({"translatedText": "Halo\r\nDunia\n"})"), 1),
              (std::vector<BlockLines>{{"Halo", "Dunia"}}));
    struct Case {
        const char* body;
        int32_t number;
    };
    for (const Case& c : {Case{R"({"translatedText": ["a", "b", "c"]})", ErrorNumber::BatchMismatch},
                          Case{R"({"translatedText": ["a"]})", ErrorNumber::BatchMismatch},
                          Case{R"({"translatedText": ["a", 2]})", ErrorNumber::UnreadableReply},
                          Case{R"({"result": ["a", "b"]})", ErrorNumber::UnreadableReply},
                          Case{"<html>502</html>", ErrorNumber::UnreadableReply}}) {
        EXPECT_EQ(test::NumberRaisedBy([&] { service->Read(Reply(200, c.body), 2); }), c.number) << c.body;
    }
}

TEST(LibreTranslateService, ErrorsNameTheServiceAndTheCauseButNeverTheKey) {
    auto service = Make("libretranslate", "http://127.0.0.1:5000", "s3cret-key");
    const ReplyVerdict language =
        service->Classify(Reply(400, test::Fixture("libretranslate_bad_language.json"), "Bad Request"));
    EXPECT_EQ(language.Message, "libretranslate: HTTP 400 Bad Request: xx is not supported");
    const ReplyVerdict key = service->Classify(Reply(403, R"({"error": "Invalid API key s3cret-key"})", "Forbidden"));
    EXPECT_EQ(key.Number, ErrorNumber::KeyRefused);
    EXPECT_NE(key.Message.find("libretranslate"), std::string::npos);
    EXPECT_EQ(key.Message.find("s3cret-key"), std::string::npos);
    EXPECT_EQ(service->Classify(Reply(429, R"({"error": "Slowdown"})", "", "2")).Pause, std::chrono::seconds(2));
}

}  // namespace
}  // namespace tarvex
