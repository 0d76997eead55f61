// The Service dialog's portable half: what each service takes of its
// fields, and Test over an in-memory service.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "app/HexText.h"
#include "app/ServiceFields.h"
#include "app/ServiceTrial.h"
#include "support/RaisedError.h"

namespace tarvex {
namespace {

using test::ErrorRaisedBy;

// Every service can be made from the fields its hint asks for, and a key
// reaches only a service that sends one: a key in the dialog's box must not
// make google refuse a plain http address.
TEST(ServiceFields, EachServiceIsMadeFromTheFieldsItTakes) {
    for (const std::string& name : ServiceNames()) {
        SCOPED_TRACE(name);
        const ServiceFields fields = FieldsOf(name);
        EXPECT_NE(std::string(fields.Hint), "");
        const ServiceChoice filled{name, "http://127.0.0.1:5000", "some-model", {{name, "some-key"}}};
        const ServiceSettings settings = SettingsOf(filled, "english", "german");
        EXPECT_EQ(settings.Key.empty(), !fields.Key);
        EXPECT_EQ(settings.Model.empty(), !fields.Model);
        EXPECT_EQ(ErrorRaisedBy([&] { MakeService(settings); }).Number(), 0);
        const ServiceChoice remote{name, "http://example.com", "some-model", {{name, "some-key"}}};
        const int32_t expected = fields.Key ? ErrorNumber::KeyOverPlainHttp : 0;
        EXPECT_EQ(ErrorRaisedBy([&] { MakeService(SettingsOf(remote, "english", "german")); }).Number(), expected);
    }
    EXPECT_EQ(std::string(FieldsOf("babelfish").Hint), "");
}

// Answers every request with one reply; keeps the last request.
class OneReplyTransport : public HttpTransport {
public:
    explicit OneReplyTransport(HttpReply reply) : reply_(std::move(reply)) {}
    HttpReply Get(const std::string&, const HttpHeaders&, std::chrono::milliseconds) override { return reply_; }
    HttpReply Send(const HttpRequest& request, std::chrono::milliseconds) override {
        Sent = request;
        ++Requests;
        return reply_;
    }
    HttpRequest Sent;
    int Requests = 0;

private:
    HttpReply reply_;
};

// The run's settings, every request on the calling thread.
ConnectionSettings Over(HttpTransport&) {
    return ConnectionSettings{.Timeout = std::chrono::seconds(1), .Jobs = 1};
}

TEST(ServiceTrial, AnswerRefusalAndSettingsThatCannotMakeAService) {
    const ServiceChoice libre{"libretranslate", "http://127.0.0.1:5000", "", {}};
    const ServiceSettings settings = SettingsOf(libre, "english", "french");
    const nlohmann::json answer = {{"translatedText", {"Bonjour, comment allez-vous ?"}}};
    OneReplyTransport answering({200, "OK", "", answer.dump()});
    ConnectionSettings how = Over(answering);
    TrialOutcome outcome = TryService(settings, how, answering);
    EXPECT_TRUE(outcome.Answered);
    EXPECT_EQ(outcome.Text, "Bonjour, comment allez-vous ?");
    EXPECT_EQ(nlohmann::json::parse(answering.Sent.Body)["q"], nlohmann::json::array({kTrialLine}));
    EXPECT_EQ(how.Timeout, MakeService(settings)->Limits().Timeout);

    OneReplyTransport refusing({400, "Bad Request", "", R"({"error": "Invalid request"})"});
    ConnectionSettings refused = Over(refusing);
    outcome = TryService(settings, refused, refusing);
    EXPECT_FALSE(outcome.Answered);
    EXPECT_EQ(outcome.Text.rfind("Something Wrong (", 0), 0u) << outcome.Text;
    EXPECT_NE(outcome.Text.find("Invalid request"), std::string::npos) << outcome.Text;

    // Refused before anything is sent, with the factory's own numbered words.
    ServiceSettings remote = settings;
    remote.Url = "http://example.com";
    remote.Key = "some-key";
    OneReplyTransport unused({200, "OK", "", ""});
    ConnectionSettings never = Over(unused);
    outcome = TryService(remote, never, unused);
    EXPECT_EQ(outcome.Text, ErrorReportText(ErrorRaisedBy([&] { MakeService(remote); })));
    EXPECT_EQ(outcome.Text.find("some-key"), std::string::npos);
    EXPECT_EQ(unused.Requests, 0);
}

TEST(HexText, RoundTripAndDamagedText) {
    const std::string bytes("\x00\x7F\x80\xFFkey", 7);
    EXPECT_EQ(HexOf(bytes), "007F80FF6B6579");
    EXPECT_EQ(BytesOfHex(HexOf(bytes)), bytes);
    EXPECT_EQ(BytesOfHex("7f80ff"), std::string("\x7F\x80\xFF"));
    EXPECT_EQ(BytesOfHex(""), std::string());
    for (const char* damaged : {"0", "0G", "zz", "12 4"}) EXPECT_FALSE(BytesOfHex(damaged)) << damaged;
}

}  // namespace
}  // namespace tarvex
