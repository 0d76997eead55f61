#include "translate/services/Service.h"

#include "translate/services/ServiceSupport.h"

namespace tarvex {

ReplyVerdict Service::Classify(const HttpReply& reply) const {
    if (reply.Status >= 200 && reply.Status <= 299) return {};
    if (reply.Status == 429 || reply.Status == 503) return RetryLater(reply);
    return Refused(Name() + ": " + StatusText(reply));
}

std::shared_ptr<const Service> Service::Fallback(int) const {
    return nullptr;
}

}  // namespace tarvex
