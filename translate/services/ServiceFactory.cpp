#include "translate/services/ServiceFactory.h"

#include <algorithm>

#include "base/RuntimeError.h"
#include "translate/Languages.h"
#include "translate/services/ServiceMakers.h"

namespace tarvex {

namespace {

struct ServiceKind {
    const char* Name;
    const char* DefaultUrl;  // nullptr: the user must give one
    bool NeedsModel;
    bool NeedsKey;
    bool SendsKey;
    std::unique_ptr<Service> (*Make)(const ServiceSetup&);
    std::vector<ServiceLanguage> (*Offer)();
};

constexpr const char* kDeepLFreeUrl = "https://api-free.deepl.com";

const ServiceKind kKinds[] = {
    {"google", "https://translate.google.com", false, false, false, MakeGoogleWebService, GoogleLanguages},
    {"google-api", kGoogleApiUrl, false, false, false, MakeGoogleApiService, GoogleLanguages},
    {"libretranslate", nullptr, false, false, true, MakeLibreTranslateService, LibreTranslateLanguages},
    {"deepl", "https://api.deepl.com", false, true, true, MakeDeepLService, DeepLLanguages},
    {"openai", "http://localhost:11434/v1", true, false, true, MakeOpenAiService, OpenAiLanguages},
};

const ServiceKind& FindKind(const std::string& name) {
    for (const ServiceKind& kind : kKinds)
        if (name == kind.Name) return kind;
    std::string known;
    for (const std::string& each : ServiceNames()) known += (known.empty() ? "" : ", ") + each;
    throw RuntimeError(ErrorNumber::BadServiceSettings,
                       "Unknown translation service \"" + name + "\" (known: " + known + ")");
}

[[noreturn]] void RaiseSettings(const std::string& service, const std::string& why) {
    throw RuntimeError(ErrorNumber::BadServiceSettings, service + ": " + why);
}

BaseUrl ChooseUrl(const ServiceKind& kind, const ServiceSettings& settings) {
    const std::string name = kind.Name;
    std::string text = settings.Url;
    if (name == "google" && !settings.Host.empty()) {
        if (!settings.Url.empty()) RaiseSettings(name, "give a URL or a host, not both");
        const bool hasScheme = settings.Host.rfind("https://", 0) == 0 || settings.Host.rfind("http://", 0) == 0;
        text = hasScheme ? settings.Host : "http://" + settings.Host;
    }
    if (text.empty() && name == "deepl" && settings.Key.size() >= 3 &&
        settings.Key.compare(settings.Key.size() - 3, 3, ":fx") == 0)
        text = kDeepLFreeUrl;  // keys of the free plan end in ":fx" and work only there
    if (text.empty() && !kind.DefaultUrl)
        RaiseSettings(name, "a URL is needed (a local server is http://localhost:5000)");
    if (text.empty()) text = kind.DefaultUrl;
    std::optional<BaseUrl> url = ParseBaseUrl(text);
    // The address may hold a password ("user:pass@"): it is not repeated.
    if (!url) RaiseSettings(name, "the URL is not an http:// or https:// address of a host, with no user or query");
    return *url;
}

}  // namespace

const std::vector<std::string>& ServiceNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> all;
        for (const ServiceKind& kind : kKinds) all.emplace_back(kind.Name);
        return all;
    }();
    return names;
}

std::unique_ptr<Service> MakeService(const ServiceSettings& settings) {
    const ServiceKind& kind = FindKind(settings.Name);
    const std::string name = kind.Name;
    if (kind.NeedsModel && settings.Model.empty()) RaiseSettings(name, "a model is needed");
    if (kind.NeedsKey && settings.Key.empty()) RaiseSettings(name, "a key is needed");
    ServiceSetup setup;
    setup.Url = ChooseUrl(kind, settings);
    setup.Model = settings.Model;
    setup.OwnEndpoint = IsGoogleOwnEndpoint(settings);
    if (kind.SendsKey) setup.Key = settings.Key;
    // A line break in a key would add header lines of its own.
    if (std::any_of(setup.Key.begin(), setup.Key.end(), [](unsigned char c) { return c < 0x20 || c == 0x7F; }))
        RaiseSettings(name, "the key holds a line break or another control character");
    if (!setup.Key.empty() && setup.Url.Scheme == "http" && !IsLoopbackHost(setup.Url.Host))
        throw RuntimeError(ErrorNumber::KeyOverPlainHttp,
                           name + ": a key is never sent over plain http to " + setup.Url.Host +
                               "; use an https:// address, or a server on this computer");
    if (name == "google" || name == "google-api") {
        // The table's codes and typed codes go out as they are, as always.
        setup.Languages = {LanguageCode(settings.SourceLanguage), LanguageCode(settings.TargetLanguage)};
    } else {
        setup.Languages = ChooseLanguages(name, kind.Offer(), settings.SourceLanguage, settings.TargetLanguage);
    }
    return kind.Make(setup);
}

std::vector<ServiceLanguage> OfferedLanguages(const std::string& service) {
    return FindKind(service).Offer();
}

bool IsGoogleOwnEndpoint(const ServiceSettings& settings) {
    return settings.Name == "google" && settings.Url.empty() && settings.Host.empty();
}

}  // namespace tarvex
