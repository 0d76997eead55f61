#include "translate/services/ServiceLanguages.h"

#include <algorithm>

#include "base/RuntimeError.h"
#include "base/TextTrim.h"
#include "translate/Languages.h"

namespace tarvex {

namespace {

std::string_view TableCodeOf(std::string_view name) {
    for (const Language& language : LanguageTable())
        if (language.Name == name) return language.Code;
    return {};
}

// The row a list's text means: a table name, then a code of the table or of
// the service. Nothing for a text that names no language.
const ServiceLanguage* FindLanguage(const std::vector<ServiceLanguage>& offer, const std::string& text) {
    for (const ServiceLanguage& language : offer)
        if (language.Name == text) return &language;
    for (const ServiceLanguage& language : offer)
        if (SameIgnoringCase(TableCodeOf(language.Name), text) || SameIgnoringCase(language.Source, text) ||
            SameIgnoringCase(language.Target, text))
            return &language;
    return nullptr;
}

bool NamesALanguage(const std::string& text) {
    if (text.empty() || LanguageCode(text) == "auto") return false;
    if (text.size() > 2) return true;
    return std::any_of(LanguageTable().begin(), LanguageTable().end(),
                       [&](const Language& language) { return SameIgnoringCase(language.Code, text); });
}

[[noreturn]] void RaiseNotOffered(const std::string& service, const char* direction, const std::string& text) {
    const std::string shown = text.empty() ? std::string("no language") : "\"" + text + "\"";
    throw RuntimeError(ErrorNumber::LanguageNotOffered, service + " cannot translate " + direction + " " + shown);
}

}  // namespace

std::vector<ServiceLanguage> OfferFromRows(const CodeRow* rows, size_t count) {
    std::vector<ServiceLanguage> offer;
    for (const Language& language : LanguageTable())
        for (size_t index = 0; index < count; ++index)
            if (rows[index].TableCode == language.Code)
                offer.push_back({language.Name, rows[index].Source, rows[index].Target});
    return offer;
}

LanguageChoice ChooseLanguages(const std::string& service, const std::vector<ServiceLanguage>& offer,
                               const std::string& sourceText, const std::string& targetText) {
    LanguageChoice choice;
    if (const ServiceLanguage* source = FindLanguage(offer, sourceText)) {
        if (source->Source.empty()) RaiseNotOffered(service, "from", sourceText);
        choice.Source = std::string(source->Source);
    } else if (NamesALanguage(sourceText)) {
        RaiseNotOffered(service, "from", sourceText);
    }
    const ServiceLanguage* target = FindLanguage(offer, targetText);
    if (!target || target->Target.empty()) RaiseNotOffered(service, "into", targetText);
    choice.Target = std::string(target->Target);
    return choice;
}

}  // namespace tarvex
