#include "app/ServiceFields.h"

namespace tarvex {

ServiceFields FieldsOf(const std::string& service) {
    if (service == "google")
        return {true, false, false, "Google's web page service, no key. URL: empty for https://translate.google.com."};
    if (service == "google-api")
        return {true, false, false, "Google's API address, no key. URL: empty for https://translate.googleapis.com."};
    if (service == "libretranslate")
        return {true, false, true,
                "A LibreTranslate server: its URL is needed, such as http://localhost:5000; a key only if it asks."};
    if (service == "deepl")
        return {true, false, true,
                "DeepL: your key is needed (free keys end in :fx). URL: empty for DeepL's own address."};
    if (service == "openai")
        return {true, true, true,
                "An OpenAI-compatible server: a model is needed. URL: empty for Ollama at http://localhost:11434/v1."};
    return {};
}

ServiceSettings SettingsOf(const ServiceChoice& choice, const std::string& sourceLanguage,
                           const std::string& targetLanguage) {
    const ServiceFields fields = FieldsOf(choice.Name);
    ServiceSettings settings;
    settings.Name = choice.Name;
    if (fields.Url) settings.Url = choice.Url;
    if (fields.Model) settings.Model = choice.Model;
    if (fields.Key) settings.Key = choice.KeyOf(choice.Name);
    settings.SourceLanguage = sourceLanguage;
    settings.TargetLanguage = targetLanguage;
    return settings;
}

std::string SwitchKeyBox(ServiceChoice& choice, const std::string& shown, const std::string& boxText,
                         const std::string& chosen) {
    if (boxText.empty()) {
        choice.Keys.erase(shown);
    } else {
        choice.Keys[shown] = boxText;
    }
    return choice.KeyOf(chosen);
}

}  // namespace tarvex
