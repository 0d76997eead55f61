#include <gtest/gtest.h>

#include "support/RaisedError.h"
#include "translate/services/OpenAiLayout.h"
#include "translate/services/ServiceTestKit.h"

namespace tarvex {
namespace {

using nlohmann::json;
using test::Make;
using test::Reply;

TEST(OpenAiService, PostsNumberedBlocksWithTheirContextToTheModel) {
    const HttpRequest plain = Make("openai", "", "", "llama3.2", "", "chinese")->Build(test::TwoBlocks(), {});
    EXPECT_EQ(plain.Method, "POST");
    EXPECT_EQ(plain.Url, "http://localhost:11434/v1/chat/completions");
    EXPECT_EQ(plain.HeaderLines, std::vector<std::string>{"Content-Type: application/json"});
    const json body = test::Body(plain);
    EXPECT_EQ(body["model"], "llama3.2");
    EXPECT_EQ(body["stream"], false);
    ASSERT_EQ(body["messages"].size(), 2u);
    EXPECT_EQ(body["messages"][0]["role"], "system");
    EXPECT_NE(body["messages"][0]["content"].get<std::string>().find("Simplified Chinese"), std::string::npos);
    EXPECT_EQ(body["messages"][1], json({{"role", "user"}, {"content", "[1]\nHello\nWorld\n[2]\nGoodbye\n"}}));

    BatchContext context{{{"Before one"}, {"Before", "two"}}, {{"After"}}};
    const HttpRequest keyed =
        Make("openai", "https://api.openai.com/v1", "sk-1", "gpt-4o-mini")->Build({{"Hi"}}, context);
    EXPECT_EQ(keyed.HeaderLines.back(), "Authorization: Bearer sk-1");
    EXPECT_EQ(keyed.SecretHeaders, std::vector<std::string>{"Authorization"});
    const json messages = test::Body(keyed)["messages"];
    ASSERT_EQ(messages.size(), 3u);
    const std::string around = messages[1]["content"];
    EXPECT_LT(around.find("Before\ntwo\n"), around.find("After\n"));
    EXPECT_EQ(around.find('['), std::string::npos);  // nothing the answer's numbering could be taken from
    EXPECT_EQ(messages[2]["content"], "[1]\nHi\n");
}

TEST(OpenAiService, ReadsTheNumberedAnswer) {
    auto model = Make("openai", "", "", "m");
    const std::vector<BlockLines> expected = {{"Halo", "Dunia"}, {"Selamat tinggal"}};
    EXPECT_EQ(model->Read(Reply(200, test::Fixture("openai_numbered_answer.json")), 2), expected);
    EXPECT_EQ(model->Read(Reply(200, test::Fixture("openai_reasoning_answer.json")), 2), expected);
    EXPECT_EQ(test::NumberRaisedBy([&] { model->Read(Reply(200, test::Fixture("openai_merged_blocks.json")), 3); }),
              ErrorNumber::BatchMismatch);
    EXPECT_EQ(test::NumberRaisedBy([&] { model->Read(Reply(200, R"({"choices": []})"), 1); }),
              ErrorNumber::UnreadableReply);
    // A model that gave no content leaves its block untranslated instead of ending the run.
    for (const char* empty : {R"({"choices": [{"message": {"content": null}}]})", R"({"choices": [{"message": {}}]})"})
        EXPECT_EQ(model->Read(Reply(200, empty), 1), (std::vector<BlockLines>{{}})) << empty;
}

TEST(OpenAiLayout, AnAnswerThatLosesAddsOrMergesBlocksIsAMismatch) {
    struct Case {
        const char* answer;
        size_t blocks;
        std::vector<BlockLines> read;  // empty: a mismatch
    };
    const Case cases[] = {
        {"[1]\na\n[2]\nb\n", 2, {{"a"}, {"b"}}},
        {"  [1]  a  \n\n b \n[2]\t\nc", 2, {{"a", "b"}, {"c"}}},
        {"<think>[1]\nx</think>[1]\na", 1, {{"a"}}},
        {"[1]\na\n<think>unfinished", 1, {{"a"}}},
        {"[1]\n", 1, {{}}},      // one block without text: untranslated, not a mismatch
        {"[1]\n[2]\nb", 2, {}},  // a block left empty after a merge
        {"[1]\na\n[3]\nb", 2, {}},
        {"[2]\na\n[1]\nb", 2, {}},
        {"[1]\na\n[2]\nb\n[3]\nc", 2, {}},
        // A single block is read leniently: a small model's answer without its
        // number is that block, and only the next number starts a block.
        {"no numbers at all\n\nsecond line", 1, {{"no numbers at all", "second line"}}},
        {"", 1, {{}}},
        {"Here it is:\n[1]\n[2] is a line of it\n[1] so is this", 1, {{"[2] is a line of it", "[1] so is this"}}},
        {"[1]\n[3] text\n[2]\nb", 2, {{"[3] text"}, {"b"}}},
    };
    for (const Case& c : cases) {
        std::vector<BlockLines> read;
        const int32_t number =
            test::NumberRaisedBy([&] { read = ReadNumberedBlocks(WithoutReasoning(c.answer), c.blocks, "openai"); });
        if (c.read.empty()) {
            EXPECT_EQ(number, ErrorNumber::BatchMismatch) << c.answer;
        } else {
            EXPECT_EQ(read, c.read) << c.answer;
        }
    }
}

TEST(OpenAiService, ErrorsSayWhetherTheKeyTheModelOrTheUrlIsWrong) {
    auto model = Make("openai", "http://127.0.0.1:8080/v1", "sk-abc", "gpt-9");
    struct Case {
        int status;
        std::string body;
        int32_t number;
        const char* cause;
    };
    const Case cases[] = {
        {404, test::Fixture("openai_model_not_found.json"), ErrorNumber::ServiceRefused, "unknown model \"gpt-9\""},
        {404, "404 page not found", ErrorNumber::ServiceRefused, "no chat completions at http://127.0.0.1:8080/v1"},
        {429, test::Fixture("openai_insufficient_quota.json"), ErrorNumber::QuotaUsedUp, "quota is used up"},
        {401, R"({"error": {"message": "Incorrect API key provided: sk-abc"}})", ErrorNumber::KeyRefused, "key"},
        {400, R"({"error": "json: cannot unmarshal"})", ErrorNumber::ServiceRefused, "cannot unmarshal"},
    };
    for (const Case& c : cases) {
        const ReplyVerdict verdict = model->Classify(Reply(c.status, c.body));
        EXPECT_EQ(verdict.What, ReplyVerdict::Kind::Refused) << c.body;
        EXPECT_EQ(verdict.Number, c.number) << c.body;
        EXPECT_NE(verdict.Message.find(c.cause), std::string::npos) << verdict.Message;
        EXPECT_EQ(verdict.Message.find("sk-abc"), std::string::npos) << verdict.Message;
    }
    EXPECT_EQ(model->Classify(Reply(429, R"({"error": {"message": "Rate limit"}})")).What,
              ReplyVerdict::Kind::RetryLater);
}

}  // namespace
}  // namespace tarvex
