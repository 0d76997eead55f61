#include "support/OneBlock.h"

#include "translate/BatchFetch.h"
#include "translate/http/HttpTransport.h"
#include "translate/services/ServiceFactory.h"

namespace tarvex::test {

std::string AskOneBlock(const std::vector<std::string>& lines, ConnectionSettings& settings) {
    ServiceSettings web;
    web.Host = settings.Host;
    web.SourceLanguage = "en";
    web.TargetLanguage = "id";
    ServiceInUse services(MakeService(web));
    BlockPlan plan;
    plan.Requests.push_back({lines, 1});
    std::string text;
    RunBlockingWork(settings, [&] {
        std::unique_ptr<HttpTransport> transport = NewServiceTransport(settings);
        text = FetchBatch(plan, {0, 1}, services, settings, *transport, nullptr).at(0).Text;
    });
    return text;
}

}  // namespace tarvex::test
