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
// and only the chosen service's own key, so a key never goes to a service
// it was not given for.
ServiceSettings SettingsOf(const ServiceChoice& choice, const std::string& sourceLanguage,
                           const std::string& targetLanguage);

// The Service dialog's key box shows the chosen service's key. When the
// choice moves from `shown` to `chosen`, the box's text becomes `shown`'s
// key; answers `chosen`'s key, for the box.
std::string SwitchKeyBox(ServiceChoice& choice, const std::string& shown, const std::string& boxText,
                         const std::string& chosen);

}  // namespace tarvex
