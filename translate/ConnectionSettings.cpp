#include "translate/ConnectionSettings.h"

#include "translate/http/HttpTransport.h"
#include "translate/services/Service.h"

namespace tarvex {

int JobsFor(int given, const Service& service) {
    if (given > 0) return given;
    return service.Limits().OneAtATime ? 1 : kDefaultJobs;
}

std::unique_ptr<HttpTransport> NewServiceTransport(const ConnectionSettings& service) {
    return service.NewTransport ? service.NewTransport() : CreateSystemTransport();
}

void RunBlockingWork(const ConnectionSettings& service, const std::function<void()>& work) {
    if (service.RunBlocking) {
        service.RunBlocking(work);
    } else {
        work();
    }
}

}  // namespace tarvex
