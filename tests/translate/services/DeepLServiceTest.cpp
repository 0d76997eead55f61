#include <gtest/gtest.h>

#include "support/RaisedError.h"
#include "translate/services/ServiceTestKit.h"

namespace tarvex {
namespace {

using nlohmann::json;
using test::Make;
using test::Reply;

TEST(DeepLService, PostsTextsWithTheKeyInItsHeader) {
    struct Case {
        const char* key;
        const char* url;
    };
    for (const Case& c : {Case{"0c1d-aa:fx", "https://api-free.deepl.com/v2/translate"},
                          Case{"0c1d-aa", "https://api.deepl.com/v2/translate"}}) {
        const HttpRequest request = Make("deepl", "", c.key, "", "german", "english")->Build(test::TwoBlocks(), {});
        EXPECT_EQ(request.Method, "POST");
        EXPECT_EQ(request.Url, c.url);
        EXPECT_EQ(request.HeaderLines, (std::vector<std::string>{"Authorization: DeepL-Auth-Key " + std::string(c.key),
                                                                 "Content-Type: application/json"}));
        EXPECT_EQ(request.SecretHeaders, std::vector<std::string>{"Authorization"});
        EXPECT_EQ(test::Body(request),
                  json::parse(R"({"text": ["Hello\nWorld", "Goodbye"], "target_lang": "EN-US", "source_lang": "DE"})"));
    }
    // Detection: no source_lang at all.
    const json detected =
        test::Body(Make("deepl", "http://127.0.0.1:1", "k", "", "auto", "portuguese")->Build({{"x"}}, {}));
    EXPECT_EQ(detected, json::parse(R"({"text": ["x"], "target_lang": "PT-BR"})"));
    std::vector<BlockLines> tooMany(51, BlockLines{"x"});
    EXPECT_EQ(test::NumberRaisedBy([&] { Make("deepl", "", "k")->Build(tooMany, {}); }), ErrorNumber::InvalidCall);
    EXPECT_EQ(test::NumberRaisedBy([&] { Make("deepl", "", "k")->Build({{std::string(140000, 'x')}}, {}); }),
              ErrorNumber::BlockTooLong);
}

TEST(DeepLService, ReadsTranslationsInOrder) {
    auto deepl = Make("deepl", "", "k");
    EXPECT_EQ(deepl->Read(Reply(200, test::Fixture("deepl_two_texts.json")), 2),
              (std::vector<BlockLines>{{"Hello", "World"}, {"Goodbye"}}));
    EXPECT_EQ(test::NumberRaisedBy([&] { deepl->Read(Reply(200, test::Fixture("deepl_two_texts.json")), 3); }),
              ErrorNumber::BatchMismatch);
    EXPECT_EQ(test::NumberRaisedBy([&] { deepl->Read(Reply(200, R"({"translations": [{"lang": "DE"}]})"), 1); }),
              ErrorNumber::UnreadableReply);
    EXPECT_EQ(test::NumberRaisedBy([&] { deepl->Read(Reply(200, "{\"translations\": ["), 1); }),
              ErrorNumber::UnreadableReply);
}

TEST(DeepLService, TellsARefusedKeyFromAUsedUpQuotaFromARateLimit) {
    auto deepl = Make("deepl", "", "secret:fx");
    struct Case {
        int status;
        const char* body;
        ReplyVerdict::Kind kind;
        int32_t number;
        const char* cause;
    };
    using Kind = ReplyVerdict::Kind;
    for (const Case& c : {Case{403, "", Kind::Refused, ErrorNumber::KeyRefused, "key was refused"},
                          Case{456, "", Kind::Refused, ErrorNumber::QuotaUsedUp, "quota is used up"},
                          Case{429, "", Kind::RetryLater, ErrorNumber::ServiceRefused, ""},
                          Case{400, "deepl_bad_target.json", Kind::Refused, ErrorNumber::ServiceRefused,
                               "'target_lang' not supported"}}) {
        const ReplyVerdict verdict = deepl->Classify(Reply(c.status, *c.body ? test::Fixture(c.body) : ""));
        EXPECT_EQ(verdict.What, c.kind) << c.status;
        EXPECT_EQ(verdict.Number, c.number) << c.status;
        EXPECT_NE(verdict.Message.find(c.cause), std::string::npos) << verdict.Message;
        if (c.kind == Kind::Refused) {
            EXPECT_EQ(verdict.Message.rfind("deepl: ", 0), 0u) << verdict.Message;
        }
        EXPECT_EQ(verdict.Message.find("secret"), std::string::npos);
    }
}

}  // namespace
}  // namespace tarvex
