// `google`: the web endpoint the program has always used, one block per
// request as a GET, its lines joined by "%0A" in the query, the reply read
// by ReadReplyLines. A reply without a translation is no error here: the
// block then counts as untranslated when its lines are fitted.

#include "base/RuntimeError.h"
#include "translate/Languages.h"
#include "translate/TranslationRequest.h"
#include "translate/services/ServiceMakers.h"
#include "translate/services/ServiceSupport.h"
#include "translate/services/WebEndpoint.h"
#include "translate/services/WebReply.h"

namespace tarvex {

namespace {

class GoogleWebService : public Service {
public:
    explicit GoogleWebService(const ServiceSetup& setup) : setup_(setup) {
        headers_ = HeaderLines(BuildHeaderBlock(setup_.Url.Authority));
        // The Referer names the root the requests go to, https by default.
        for (std::string& line : headers_)
            if (line.rfind("Referer:", 0) == 0)
                line = "Referer:" + setup_.Url.Scheme + "://" + setup_.Url.Authority + "/";
    }
    std::string Name() const override { return "google"; }
    ServiceLimits Limits() const override {
        ServiceLimits limits;
        limits.MostBlocks = 1;
        limits.MostBytes = kMaxRequestUrlBytes;
        limits.SendsEmptyBlocks = true;
        return limits;
    }
    // Refusals worded as runs have always reported them.
    ReplyVerdict Classify(const HttpReply& reply) const override { return VerdictByStatus(reply); }
    // The real endpoint refusing the run's first block (blocked, or moved):
    // its API twin answers the same requests.
    std::shared_ptr<const Service> Fallback(int status) const override {
        if (!setup_.OwnEndpoint || (status != 403 && status != 404)) return nullptr;
        ServiceSetup api = setup_;
        api.Url = *ParseBaseUrl(kGoogleApiUrl);
        api.OwnEndpoint = false;
        return MakeGoogleApiService(api);
    }
    HttpRequest Build(const std::vector<BlockLines>& batch, const BatchContext&) const override {
        CheckBatchSize(batch, Limits());
        HttpRequest request;
        request.Url = setup_.Url.Scheme + "://" +
                      BuildRequestUrl(setup_.Url.Authority + setup_.Url.Path, batch[0], setup_.Languages.Source,
                                      setup_.Languages.Target);
        if (request.Url.size() > kMaxRequestUrlBytes)
            throw RuntimeError(ErrorNumber::BlockTooLong, std::string("Block ") + kTooLongForOneRequest);
        request.HeaderLines = headers_;
        return request;
    }
    std::vector<BlockLines> Read(const HttpReply& reply, size_t blocks) const override {
        if (blocks != 1) RaiseMismatch(Name(), 1, blocks);
        return {ReadReplyLines(reply.Body)};
    }

private:
    ServiceSetup setup_;
    std::vector<std::string> headers_;
};

}  // namespace

std::unique_ptr<Service> MakeGoogleWebService(const ServiceSetup& setup) {
    return std::make_unique<GoogleWebService>(setup);
}

std::vector<ServiceLanguage> GoogleLanguages() {
    std::vector<ServiceLanguage> offer;
    for (const Language& language : LanguageTable()) offer.push_back({language.Name, language.Code, language.Code});
    return offer;
}

}  // namespace tarvex
