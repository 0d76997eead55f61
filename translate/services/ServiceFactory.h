#pragma once
// The one way a run gets its translation service: from plain settings, as
// the CLI's options and the window's dialog give them.

#include <memory>
#include <string>
#include <vector>

#include "translate/services/Service.h"
#include "translate/services/ServiceLanguages.h"

namespace tarvex {

// One choice of service is described at four layers, each keeping what it
// needs:
//   ServiceChoice (app/WindowSettings.h)  what the window keeps between
//       starts: the name, URL and model as typed, and a key per service;
//   ServiceFields (app/ServiceFields.h)   which of the dialog's fields a
//       service takes, and the hint that says so;
//   ServiceSettings (here)                the plain settings a front end
//       hands the factory: one service, one key, language names as shown;
//   ServiceSetup (ServiceMakers.h)        what the factory hands a service
//       once checked: a parsed URL, the key only where it is sent, and the
//       service's own language codes.
struct ServiceSettings {
    std::string Name = "google";  // one of ServiceNames()
    // The service's base address: scheme, host, port and any path prefix
    // ("http://localhost:11434/v1"). Empty: the service's default; needed
    // for libretranslate, which has none.
    std::string Url{};
    // google only, the older way to point it elsewhere: HOST[:PORT] over
    // plain http, or https://HOST[:PORT]. Not together with Url.
    std::string Host{};
    std::string Model{};  // openai: the model's name, needed
    std::string Key{};    // deepl: needed; libretranslate, openai: optional
    // The texts of the two language lists: names of the table or typed codes.
    std::string SourceLanguage{};
    std::string TargetLanguage{};
};

// "google", "google-api", "libretranslate", "deepl", "openai".
const std::vector<std::string>& ServiceNames();

// The service the settings describe, its languages chosen. Raises before
// anything is sent:
//   BadServiceSettings  an unknown service, a URL that is not http(s)://...,
//                       libretranslate without URL, openai without model,
//                       deepl without key, a key with a control character;
//   KeyOverPlainHttp    a key bound for a plain http address beyond the
//                       loopback (127.0.0.0/8, ::1, localhost);
//   LanguageNotOffered  a language the service cannot translate from or into.
// No message holds the key.
std::unique_ptr<Service> MakeService(const ServiceSettings& settings);

// What a service offers, in table order; raises BadServiceSettings for an
// unknown name.
std::vector<ServiceLanguage> OfferedLanguages(const std::string& service);

// True when the settings reach Google's own web endpoint (no Url, no Host),
// the one a run may leave for google-api when it refuses the first block.
bool IsGoogleOwnEndpoint(const ServiceSettings& settings);

}  // namespace tarvex
