#pragma once
// What each translation service takes of the Service dialog's fields, the
// line that tells the user so, and the settings a run makes it from.

#include <string>

#include "app/WindowSettings.h"
#include "translate/services/ServiceFactory.h"

namespace tarvex {

struct ServiceFields {
    bool Url = false;    // a base address (needed, or in place of the default)
    bool Model = false;  // a model's name
    bool Key = false;    // a key (needed, or sent when given)
    const char* Hint = "";
};

// The fields of a service of ServiceNames(); none for an unknown name.
ServiceFields FieldsOf(const std::string& service);

// The settings the factory takes: the fields that do not apply left out,
// so a key never goes to a service that has no use for it.
ServiceSettings SettingsOf(const ServiceChoice& choice, const std::string& sourceLanguage,
                           const std::string& targetLanguage);

}  // namespace tarvex
