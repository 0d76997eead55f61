// `deepl`: POST {URL}/v2/translate with the key in the Authorization header
// ("DeepL-Auth-Key KEY") and a JSON body
//   {"text": [text, ...], "target_lang": "EN-US", "source_lang": "DE"}
// (source_lang left out to let DeepL detect it), answered
//   {"translations": [{"detected_source_language": "DE", "text": "..."}, ...]}
// one per text, in order. A block travels as one text, its lines joined by
// "\n"; DeepL keeps line breaks, and they split the answer back into lines.
// 403 is a refused key, 456 a used-up quota, 429 a rate limit.

#include <array>

#include "base/RuntimeError.h"
#include "translate/services/ServiceMakers.h"
#include "translate/services/ServiceSupport.h"

namespace tarvex {

namespace {

constexpr size_t kMostTexts = 50;                          // texts in one request
constexpr size_t kDeepLMostBodyBytes = size_t{128} << 10;  // the whole request body

// Source codes have no region; English, Portuguese and Chinese as targets
// need their variant (plain EN and PT are only kept for old clients).
constexpr std::array<CodeRow, 30> kDeepLRows = {{
    {"ar", "AR", "AR"}, {"bg", "BG", "BG"},    {"zh-CN", "ZH", "ZH-HANS"}, {"cs", "CS", "CS"}, {"da", "DA", "DA"},
    {"nl", "NL", "NL"}, {"en", "EN", "EN-US"}, {"et", "ET", "ET"},         {"fi", "FI", "FI"}, {"fr", "FR", "FR"},
    {"de", "DE", "DE"}, {"el", "EL", "EL"},    {"hu", "HU", "HU"},         {"id", "ID", "ID"}, {"it", "IT", "IT"},
    {"ja", "JA", "JA"}, {"ko", "KO", "KO"},    {"lv", "LV", "LV"},         {"lt", "LT", "LT"}, {"no", "NB", "NB"},
    {"pl", "PL", "PL"}, {"pt", "PT", "PT-BR"}, {"ro", "RO", "RO"},         {"ru", "RU", "RU"}, {"sk", "SK", "SK"},
    {"sl", "SL", "SL"}, {"es", "ES", "ES"},    {"sv", "SV", "SV"},         {"tr", "TR", "TR"}, {"uk", "UK", "UK"},
}};

class DeepLService : public Service {
public:
    explicit DeepLService(const ServiceSetup& setup) : setup_(setup) {}
    std::string Name() const override { return "deepl"; }
    ServiceLimits Limits() const override {
        ServiceLimits limits;
        limits.MostBlocks = kMostTexts;
        limits.MostBytes = kDeepLMostBodyBytes / 2;  // room for JSON escapes
        return limits;
    }
    HttpRequest Build(const std::vector<BlockLines>& batch, const BatchContext&) const override {
        CheckBatchSize(batch, Limits());
        nlohmann::json texts = nlohmann::json::array();
        for (const BlockLines& block : batch) texts.push_back(JoinBlockLines(block));
        nlohmann::json body = {{"text", std::move(texts)}, {"target_lang", setup_.Languages.Target}};
        if (!setup_.Languages.Source.empty()) body["source_lang"] = setup_.Languages.Source;
        HttpRequest request;
        request.Method = "POST";
        request.Url = setup_.Url.Text() + "/v2/translate";
        request.HeaderLines = {"Authorization: DeepL-Auth-Key " + setup_.Key, "Content-Type: application/json"};
        request.SecretHeaders = {"Authorization"};
        request.Body = DumpJson(body);
        if (request.Body.size() > kDeepLMostBodyBytes)
            throw RuntimeError(ErrorNumber::BlockTooLong, "Block too long for one request to " + Name());
        return request;
    }
    ReplyVerdict Classify(const HttpReply& reply) const override {
        if (reply.Status >= 200 && reply.Status <= 299) return {};
        if (reply.Status == 429 || reply.Status == 503) return RetryLater(reply);
        if (reply.Status == 403)
            return Refused(Name() + ": the key was refused (" + StatusText(reply) + ")", ErrorNumber::KeyRefused);
        if (reply.Status == 456)
            return Refused(Name() + ": the key's quota is used up (" + StatusText(reply) + ")",
                           ErrorNumber::QuotaUsedUp);
        std::string cause = StatusText(reply);
        if (const auto json = ParseJson(reply.Body); json && json->is_object() && json->contains("message")) {
            const nlohmann::json& message = (*json)["message"];
            if (message.is_string()) cause += ": " + OneLine(WithoutSecret(message.get<std::string>(), setup_.Key));
        }
        return Refused(Name() + ": " + cause);
    }
    std::vector<BlockLines> Read(const HttpReply& reply, size_t blocks) const override {
        const auto json = ParseJson(reply.Body);
        if (!json || !json->is_object() || !json->contains("translations") || !(*json)["translations"].is_array())
            RaiseUnreadable(Name(), "no list of translations");
        const nlohmann::json& translations = (*json)["translations"];
        if (translations.size() != blocks) RaiseMismatch(Name(), translations.size(), blocks);
        std::vector<BlockLines> lines;
        for (const nlohmann::json& translation : translations) {
            if (!translation.is_object() || !translation.contains("text") || !translation["text"].is_string())
                RaiseUnreadable(Name(), "a translation without its text");
            lines.push_back(SplitBlockText(translation["text"].get<std::string>()));
        }
        return lines;
    }

private:
    ServiceSetup setup_;
};

}  // namespace

std::unique_ptr<Service> MakeDeepLService(const ServiceSetup& setup) {
    return std::make_unique<DeepLService>(setup);
}

std::vector<ServiceLanguage> DeepLLanguages() {
    return OfferFromRows(kDeepLRows.data(), kDeepLRows.size());
}

}  // namespace tarvex
