#pragma once
// How the factory makes each service, once it has checked the settings.
// Each service's file defines its maker and its language offer.

#include <memory>
#include <string>
#include <vector>

#include "translate/services/Service.h"
#include "translate/services/ServiceLanguages.h"
#include "translate/services/ServiceUrl.h"

namespace tarvex {

constexpr const char* kGoogleApiUrl = "https://translate.googleapis.com";

struct ServiceSetup {
    BaseUrl Url;               // where the service's own path is added
    std::string Key;           // empty: none
    std::string Model;         // openai only
    LanguageChoice Languages;  // the service's codes (or, for a model, names)
    // google: the real endpoint, not one given by a URL or host, which may
    // be left for google-api when it refuses.
    bool OwnEndpoint = false;
};

std::unique_ptr<Service> MakeGoogleWebService(const ServiceSetup& setup);
std::unique_ptr<Service> MakeGoogleApiService(const ServiceSetup& setup);
std::unique_ptr<Service> MakeLibreTranslateService(const ServiceSetup& setup);
std::unique_ptr<Service> MakeDeepLService(const ServiceSetup& setup);
std::unique_ptr<Service> MakeOpenAiService(const ServiceSetup& setup);

std::vector<ServiceLanguage> GoogleLanguages();  // both google services: the table as it is
std::vector<ServiceLanguage> LibreTranslateLanguages();
std::vector<ServiceLanguage> DeepLLanguages();
std::vector<ServiceLanguage> OpenAiLanguages();

}  // namespace tarvex
