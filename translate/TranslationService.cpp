#include "translate/TranslationService.h"

#include "translate/http/HttpTransport.h"
#include "translate/services/Service.h"

namespace tarvex {

int JobsFor(int given, const Service& service) {
    if (given > 0) return given;
    return service.Limits().OneAtATime ? 1 : kDefaultJobs;
}

std::unique_ptr<HttpTransport> NewServiceTransport(const TranslationService& service) {
    return service.NewTransport ? service.NewTransport() : CreateSystemTransport();
}

void RunBlockingWork(const TranslationService& service, const std::function<void()>& work) {
    if (service.RunBlocking) {
        service.RunBlocking(work);
    } else {
        work();
    }
}

}  // namespace tarvex
