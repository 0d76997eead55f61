// `libretranslate`: POST {URL}/translate with a JSON body
//   {"q": [text, ...], "source": "en", "target": "id", "format": "text", "api_key": "..."}
// answered {"translatedText": [text, ...]}, one text per block in order;
// errors answer {"error": "..."}. A block travels as one element of q, its
// lines joined by "\n", and comes back split at its line breaks. The key
// (optional, a server may ask for one) travels in the body.

#include <array>

#include "base/RuntimeError.h"
#include "translate/services/ServiceMakers.h"
#include "translate/services/ServiceSupport.h"

namespace tarvex {

namespace {

// A server's own limit (--char-limit) is unknown; the public one allows
// about 2000 characters, which still carries a few dozen subtitle blocks.
constexpr size_t kLibreTranslateMostTextBytes = 2000;
// What one block alone may carry: a local server has no limit of its own.
constexpr size_t kLibreTranslateMostBodyBytes = size_t{256} << 10;

// The languages LibreTranslate's published models cover; a server offers
// those it has installed and names any other in its error.
constexpr std::array<CodeRow, 45> kLibreTranslateRows = {{
    {"sq", "sq", "sq"}, {"ar", "ar", "ar"}, {"az", "az", "az"},    {"eu", "eu", "eu"}, {"bn", "bn", "bn"},
    {"bg", "bg", "bg"}, {"ca", "ca", "ca"}, {"zh-CN", "zh", "zh"}, {"cs", "cs", "cs"}, {"da", "da", "da"},
    {"nl", "nl", "nl"}, {"en", "en", "en"}, {"et", "et", "et"},    {"tl", "tl", "tl"}, {"fi", "fi", "fi"},
    {"fr", "fr", "fr"}, {"gl", "gl", "gl"}, {"de", "de", "de"},    {"el", "el", "el"}, {"iw", "he", "he"},
    {"hi", "hi", "hi"}, {"hu", "hu", "hu"}, {"id", "id", "id"},    {"ga", "ga", "ga"}, {"it", "it", "it"},
    {"ja", "ja", "ja"}, {"ko", "ko", "ko"}, {"lv", "lv", "lv"},    {"lt", "lt", "lt"}, {"ms", "ms", "ms"},
    {"no", "nb", "nb"}, {"fa", "fa", "fa"}, {"pl", "pl", "pl"},    {"pt", "pt", "pt"}, {"ro", "ro", "ro"},
    {"ru", "ru", "ru"}, {"sk", "sk", "sk"}, {"sl", "sl", "sl"},    {"es", "es", "es"}, {"sv", "sv", "sv"},
    {"th", "th", "th"}, {"tr", "tr", "tr"}, {"uk", "uk", "uk"},    {"ur", "ur", "ur"}, {"vi", "vi", "vi"},
}};

class LibreTranslateService : public Service {
public:
    explicit LibreTranslateService(const ServiceSetup& setup) : setup_(setup) {}
    std::string Name() const override { return "libretranslate"; }
    ServiceLimits Limits() const override {
        ServiceLimits limits;
        limits.MostBlocks = 50;
        limits.MostBytes = kLibreTranslateMostTextBytes;
        return limits;
    }
    HttpRequest Build(const std::vector<BlockLines>& batch, const BatchContext&) const override {
        CheckBatchSize(batch, Limits());
        nlohmann::json texts = nlohmann::json::array();
        for (const BlockLines& block : batch) texts.push_back(JoinBlockLines(block));
        nlohmann::json body = {{"q", std::move(texts)},
                               {"source", setup_.Languages.Source.empty() ? "auto" : setup_.Languages.Source},
                               {"target", setup_.Languages.Target},
                               {"format", "text"}};
        const bool keyed = !setup_.Key.empty();
        if (keyed) body["api_key"] = setup_.Key;
        HttpRequest request;
        request.Method = "POST";
        request.Url = setup_.Url.Text() + "/translate";
        request.HeaderLines = {"Content-Type: application/json", "Accept: application/json"};
        request.Body = DumpJson(body);
        request.SecretBody = keyed;
        if (request.Body.size() > kLibreTranslateMostBodyBytes)
            throw RuntimeError(ErrorNumber::BlockTooLong, "Block too long for one request to " + Name());
        return request;
    }
    ReplyVerdict Classify(const HttpReply& reply) const override {
        if (reply.Status >= 200 && reply.Status <= 299) return {};
        if (reply.Status == 429 || reply.Status == 503) return RetryLater(reply);
        std::string cause = StatusText(reply);
        if (const auto json = ParseJson(reply.Body); json && json->is_object() && json->contains("error")) {
            const nlohmann::json& error = (*json)["error"];
            if (error.is_string()) cause += ": " + OneLine(WithoutSecret(error.get<std::string>(), setup_.Key));
        }
        if (reply.Status == 401 || reply.Status == 403)
            return Refused(Name() + ": the key was refused or is needed (" + cause + ")", ErrorNumber::KeyRefused);
        return Refused(Name() + ": " + cause);
    }
    std::vector<BlockLines> Read(const HttpReply& reply, size_t blocks) const override {
        const auto json = ParseJson(reply.Body);
        if (!json || !json->is_object() || !json->contains("translatedText"))
            RaiseUnreadable(Name(), "no translatedText");
        const nlohmann::json& texts = (*json)["translatedText"];
        std::vector<BlockLines> lines;
        if (texts.is_string() && blocks == 1) return {SplitBlockText(texts.get<std::string>())};
        if (!texts.is_array()) RaiseUnreadable(Name(), "translatedText is not a list");
        if (texts.size() != blocks) RaiseMismatch(Name(), texts.size(), blocks);
        for (const nlohmann::json& text : texts) {
            if (!text.is_string()) RaiseUnreadable(Name(), "a translation is not a text");
            lines.push_back(SplitBlockText(text.get<std::string>()));
        }
        return lines;
    }

private:
    ServiceSetup setup_;
};

}  // namespace

std::unique_ptr<Service> MakeLibreTranslateService(const ServiceSetup& setup) {
    return std::make_unique<LibreTranslateService>(setup);
}

std::vector<ServiceLanguage> LibreTranslateLanguages() {
    return OfferFromRows(kLibreTranslateRows.data(), kLibreTranslateRows.size());
}

}  // namespace tarvex
