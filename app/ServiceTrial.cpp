#include "app/ServiceTrial.h"

#include "translate/BatchFetch.h"

namespace tarvex {

TrialOutcome TryService(const ServiceSettings& settings, ConnectionSettings& how, HttpTransport& transport) {
    TrialOutcome outcome;
    try {
        std::shared_ptr<const Service> service = MakeService(settings);
        how.Api = service;
        how.Timeout = service->Limits().Timeout;
        BlockPlan plan;
        plan.Requests.push_back({{kTrialLine}, 1});
        ServiceInUse services(service);
        std::vector<BlockTranslation> answer;
        RunBlockingWork(how, [&] { answer = FetchBatch(plan, {0, 1}, services, how, transport, nullptr); });
        if (answer.empty() || answer[0].Untranslated) {
            outcome.Text = services.Current()->Name() + " answered without a translation";
            return outcome;
        }
        outcome.Answered = true;
        outcome.Text = answer[0].Text;
        if (!services.Note().empty()) outcome.Text += "\r\n(" + services.Note() + ")";
    } catch (const RuntimeError& error) {
        outcome.Text = ErrorReportText(error);
    }
    return outcome;
}

}  // namespace tarvex
