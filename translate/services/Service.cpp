#include "translate/services/Service.h"

#include "translate/TranslationRequest.h"

namespace tarvex {

ReplyVerdict Service::Classify(const HttpReply& reply) const {
    ReplyVerdict verdict = VerdictByStatus(reply);
    if (!verdict.Message.empty()) verdict.Message = Name() + ": " + verdict.Message;
    return verdict;
}

std::shared_ptr<const Service> Service::Fallback(int) const {
    return nullptr;
}

}  // namespace tarvex
