// `openai`: any server with OpenAI's chat completions (Ollama, LM Studio,
// llama.cpp's server, OpenAI itself). POST {URL}/chat/completions with
//   {"model": "...", "messages": [system, context?, blocks], "stream": false}
// and the key, when there is one, as "Authorization: Bearer KEY"; the
// answer is choices[0].message.content. The blocks go in the numbered layout
// of OpenAiLayout.h, one line of a block per line, and must come back in it;
// the blocks around the batch go before them as context. Any reasoning
// (<think>...</think>) in the answer is dropped. No temperature is sent:
// reasoning models refuse any but their own.

#include <array>

#include "base/RuntimeError.h"
#include "translate/services/OpenAiLayout.h"
#include "translate/services/ServiceMakers.h"
#include "translate/services/ServiceSupport.h"

namespace tarvex {

namespace {

// A model is told languages by their English names.
constexpr std::array<CodeRow, 63> kOpenAiRows = {{
    {"af", "Afrikaans", "Afrikaans"},
    {"sq", "Albanian", "Albanian"},
    {"ar", "Arabic", "Arabic"},
    {"hy", "Armenian", "Armenian"},
    {"az", "Azerbaijani", "Azerbaijani"},
    {"eu", "Basque", "Basque"},
    {"be", "Belarusian", "Belarusian"},
    {"bn", "Bengali", "Bengali"},
    {"bg", "Bulgarian", "Bulgarian"},
    {"ca", "Catalan", "Catalan"},
    {"zh-CN", "Chinese", "Simplified Chinese"},
    {"hr", "Croatian", "Croatian"},
    {"cs", "Czech", "Czech"},
    {"da", "Danish", "Danish"},
    {"nl", "Dutch", "Dutch"},
    {"en", "English", "English"},
    {"et", "Estonian", "Estonian"},
    {"tl", "Filipino", "Filipino"},
    {"fi", "Finnish", "Finnish"},
    {"fr", "French", "French"},
    {"gl", "Galician", "Galician"},
    {"ka", "Georgian", "Georgian"},
    {"de", "German", "German"},
    {"el", "Greek", "Greek"},
    {"gu", "Gujarati", "Gujarati"},
    {"ht", "Haitian Creole", "Haitian Creole"},
    {"iw", "Hebrew", "Hebrew"},
    {"hi", "Hindi", "Hindi"},
    {"hu", "Hungarian", "Hungarian"},
    {"is", "Icelandic", "Icelandic"},
    {"id", "Indonesian", "Indonesian"},
    {"ga", "Irish", "Irish"},
    {"it", "Italian", "Italian"},
    {"ja", "Japanese", "Japanese"},
    {"kn", "Kannada", "Kannada"},
    {"ko", "Korean", "Korean"},
    {"la", "Latin", "Latin"},
    {"lv", "Latvian", "Latvian"},
    {"lt", "Lithuanian", "Lithuanian"},
    {"mk", "Macedonian", "Macedonian"},
    {"ms", "Malay", "Malay"},
    {"mt", "Maltese", "Maltese"},
    {"no", "Norwegian", "Norwegian"},
    {"fa", "Persian", "Persian"},
    {"pl", "Polish", "Polish"},
    {"pt", "Portuguese", "Portuguese"},
    {"ro", "Romanian", "Romanian"},
    {"ru", "Russian", "Russian"},
    {"sr", "Serbian", "Serbian"},
    {"sk", "Slovak", "Slovak"},
    {"sl", "Slovenian", "Slovenian"},
    {"es", "Spanish", "Spanish"},
    {"sw", "Swahili", "Swahili"},
    {"sv", "Swedish", "Swedish"},
    {"ta", "Tamil", "Tamil"},
    {"te", "Telugu", "Telugu"},
    {"th", "Thai", "Thai"},
    {"tr", "Turkish", "Turkish"},
    {"uk", "Ukrainian", "Ukrainian"},
    {"ur", "Urdu", "Urdu"},
    {"vi", "Vietnamese", "Vietnamese"},
    {"cy", "Welsh", "Welsh"},
    {"yi", "Yiddish", "Yiddish"},
}};

// A model's request holds few blocks: the longer the answer, the likelier
// it loses count.
constexpr size_t kMostBlocks = 10;
constexpr size_t kOpenAiMostTextBytes = size_t{4} << 10;
constexpr size_t kOpenAiMostBodyBytes = size_t{256} << 10;

std::string Instructions(const LanguageChoice& languages) {
    const std::string from = languages.Source.empty() ? "the language they are written in" : languages.Source;
    return "You translate film subtitles from " + from + " into " + languages.Target +
           ". The user sends numbered subtitle blocks: each starts with its number in square brackets on a line "
           "of its own, such as [1], followed by its lines. Answer with every block translated, in the same order, "
           "each under its own number line, keeping each block's line breaks. Never merge, split, add or leave "
           "out a block, and write nothing else: no notes, no explanations. Subtitles given as context are "
           "there only to make the meaning clear; do not translate or repeat them.";
}

class OpenAiService : public Service {
public:
    explicit OpenAiService(const ServiceSetup& setup) : setup_(setup) {}
    std::string Name() const override { return "openai"; }
    ServiceLimits Limits() const override {
        ServiceLimits limits;
        limits.MostBlocks = kMostBlocks;
        limits.MostBytes = kOpenAiMostTextBytes;
        limits.ContextBlocks = 3;
        limits.Timeout = std::chrono::minutes(2);
        limits.OneAtATime = true;
        return limits;
    }
    HttpRequest Build(const std::vector<BlockLines>& batch, const BatchContext& context) const override {
        CheckBatchSize(batch, Limits());
        nlohmann::json messages = nlohmann::json::array();
        messages.push_back({{"role", "system"}, {"content", Instructions(setup_.Languages)}});
        if (const std::string around = ContextText(context); !around.empty())
            messages.push_back({{"role", "user"}, {"content", around}});
        messages.push_back({{"role", "user"}, {"content", NumberedBlocks(batch)}});
        const nlohmann::json body = {{"model", setup_.Model}, {"messages", std::move(messages)}, {"stream", false}};
        HttpRequest request;
        request.Method = "POST";
        request.Url = setup_.Url.Text() + "/chat/completions";
        request.HeaderLines = {"Content-Type: application/json"};
        if (!setup_.Key.empty()) {
            request.HeaderLines.push_back("Authorization: Bearer " + setup_.Key);
            request.SecretHeaders = {"Authorization"};
        }
        request.Body = DumpJson(body);
        if (request.Body.size() > kOpenAiMostBodyBytes)
            throw RuntimeError(ErrorNumber::BlockTooLong, "Block too long for one request to " + Name());
        return request;
    }
    ReplyVerdict Classify(const HttpReply& reply) const override {
        if (reply.Status >= 200 && reply.Status <= 299) return {};
        const ErrorBody error = ReadError(reply);
        const std::string cause = StatusText(reply) + (error.Message.empty() ? "" : ": " + error.Message);
        if (reply.Status == 429 && error.Code == "insufficient_quota")
            return Refused(Name() + ": the key's quota is used up (" + cause + ")", ErrorNumber::QuotaUsedUp);
        if (reply.Status == 429 || reply.Status == 503) return RetryLater(reply);
        if (reply.Status == 401 || reply.Status == 403)
            return Refused(Name() + ": the key was refused or is needed (" + cause + ")", ErrorNumber::KeyRefused);
        // A 404 in the API's own words is about the model; a bare one means
        // the URL leads to no chat completions at all.
        if (reply.Status == 404 && error.Json)
            return Refused(Name() + ": unknown model \"" + setup_.Model + "\" (" + cause + ")");
        if (reply.Status == 404)
            return Refused(Name() + ": no chat completions at " + setup_.Url.Text() + " (" + cause + ")");
        return Refused(Name() + ": " + cause);
    }
    std::vector<BlockLines> Read(const HttpReply& reply, size_t blocks) const override {
        const auto json = ParseJson(reply.Body);
        if (!json || !json->is_object() || !json->contains("choices") || !(*json)["choices"].is_array() ||
            (*json)["choices"].empty())
            RaiseUnreadable(Name(), "no choices");
        const nlohmann::json& choice = (*json)["choices"][0];
        if (!choice.is_object() || !choice.contains("message") || !choice["message"].is_object())
            RaiseUnreadable(Name(), "a choice without its message");
        const nlohmann::json& message = choice["message"];
        // A model that spent its whole answer reasoning leaves no content
        // (null, or none at all): its blocks come back untranslated.
        std::string content;
        if (message.contains("content") && message["content"].is_string())
            content = message["content"].get<std::string>();
        else if (message.contains("content") && !message["content"].is_null())
            RaiseUnreadable(Name(), "a message whose content is no text");
        return ReadNumberedBlocks(WithoutReasoning(content), blocks, Name());
    }

private:
    struct ErrorBody {
        bool Json = false;  // the body was JSON with an error object
        std::string Message;
        std::string Code;
    };
    // {"error": {"message": "...", "type": "...", "code": "..."}}, and
    // {"error": "..."} as some servers write it.
    ErrorBody ReadError(const HttpReply& reply) const {
        ErrorBody read;
        const auto json = ParseJson(reply.Body);
        if (!json || !json->is_object() || !json->contains("error")) return read;
        const nlohmann::json& error = (*json)["error"];
        read.Json = true;
        if (error.is_string()) read.Message = error.get<std::string>();
        if (error.is_object() && error.contains("message") && error["message"].is_string())
            read.Message = error["message"].get<std::string>();
        if (error.is_object() && error.contains("code") && error["code"].is_string())
            read.Code = error["code"].get<std::string>();
        read.Message = OneLine(WithoutSecret(read.Message, setup_.Key));
        return read;
    }

    ServiceSetup setup_;
};

}  // namespace

std::unique_ptr<Service> MakeOpenAiService(const ServiceSetup& setup) {
    return std::make_unique<OpenAiService>(setup);
}

std::vector<ServiceLanguage> OpenAiLanguages() {
    return OfferFromRows(kOpenAiRows.data(), kOpenAiRows.size());
}

}  // namespace tarvex
