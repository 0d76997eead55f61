// `google-api`: the endpoint's API twin, translate_a/single with
// client=gtx. One block per request as a GET, its lines joined by "%0A" in
// q; the reply has the web endpoint's shape (one segment per sentence, line
// breaks escaped inside them) and is read the same way, but as the JSON it
// is: none of the web page's repairs of punctuation and quotes.

#include "base/RuntimeError.h"
#include "translate/TranslationRequest.h"
#include "translate/http/UrlText.h"
#include "translate/services/ServiceMakers.h"
#include "translate/services/ServiceSupport.h"
#include "translate/services/WebEndpoint.h"
#include "translate/services/WebReply.h"

namespace tarvex {

namespace {

class GoogleApiService : public Service {
public:
    explicit GoogleApiService(const ServiceSetup& setup) : setup_(setup) {}
    std::string Name() const override { return "google-api"; }
    ServiceLimits Limits() const override {
        ServiceLimits limits;
        limits.MostBlocks = 1;
        limits.MostBytes = kMaxRequestUrlBytes;
        return limits;
    }
    HttpRequest Build(const std::vector<BlockLines>& batch, const BatchContext&) const override {
        CheckBatchSize(batch, Limits());
        HttpRequest request;
        request.Url = setup_.Url.Text() +
                      "/translate_a/single?client=gtx&sl=" + PercentEncode(setup_.Languages.Source) +
                      "&tl=" + PercentEncode(setup_.Languages.Target) + "&dt=t&q=";
        for (size_t index = 0; index < batch[0].size(); ++index) {
            if (index > 0) request.Url += "%0A";
            request.Url += PercentEncode(batch[0][index]);
        }
        if (request.Url.size() > kMaxRequestUrlBytes)
            throw RuntimeError(ErrorNumber::BlockTooLong, std::string("Block ") + kTooLongForOneRequest);
        return request;
    }
    std::vector<BlockLines> Read(const HttpReply& reply, size_t blocks) const override {
        if (blocks != 1) RaiseMismatch(Name(), 1, blocks);
        return {ReadReplyLines(reply.Body, PunctuationRepair::None)};
    }

private:
    ServiceSetup setup_;
};

}  // namespace

std::unique_ptr<Service> MakeGoogleApiService(const ServiceSetup& setup) {
    return std::make_unique<GoogleApiService>(setup);
}

}  // namespace tarvex
