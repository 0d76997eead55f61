#include "translate/TranslationService.h"

#include "translate/http/HttpTransport.h"

namespace tarvex {

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
