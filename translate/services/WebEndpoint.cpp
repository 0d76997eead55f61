#include "translate/services/WebEndpoint.h"

#include "base/RuntimeError.h"
#include "translate/TranslationRequest.h"
#include "translate/WebReply.h"

namespace tarvex {

namespace {

class WebEndpoint : public Service {
public:
    WebEndpoint(std::string host, std::string source, std::string target)
        : host_(std::move(host)),
          source_(std::move(source)),
          target_(std::move(target)),
          headers_(HeaderLines(BuildHeaderBlock(host_))) {}

    std::string Name() const override { return "google"; }

    ServiceLimits Limits() const override {
        ServiceLimits limits;
        limits.MostBlocks = 1;
        limits.SendsEmptyBlocks = true;
        return limits;
    }

    HttpRequest Build(const std::vector<BlockLines>& batch, const BatchContext&) const override {
        HttpRequest request;
        request.Url = BlockRequestUrl(batch.at(0), source_, target_, host_);
        request.HeaderLines = headers_;
        return request;
    }

    // The reasons as the service gives them, as runs have always reported them.
    ReplyVerdict Classify(const HttpReply& reply) const override { return VerdictByStatus(reply); }

    std::vector<BlockLines> Read(const HttpReply& reply, size_t) const override { return {ReadReplyLines(reply.Body)}; }

private:
    const std::string host_;
    const std::string source_;
    const std::string target_;
    const std::vector<std::string> headers_;
};

}  // namespace

std::shared_ptr<const Service> MakeWebEndpoint(const std::string& host, const std::string& sourceCode,
                                               const std::string& targetCode) {
    return std::make_shared<WebEndpoint>(host, sourceCode, targetCode);
}

}  // namespace tarvex
