#include "app/WindowSettings.h"

#include "base/RuntimeError.h"
#include "base/TextTrim.h"
#include "translate/services/ServiceFactory.h"

namespace tarvex {

namespace {

std::string KeyValueName(const std::string& service) {
    return "key_" + service;
}

}  // namespace

WindowSettings LoadWindowSettings(SettingsStore& store) {
    WindowSettings settings;
    // Only two pages exist; anything else, hand-edited or damaged, shows the first.
    settings.ActiveTab = TrimSpaces(store.GetSetting("tab")) == "1" ? 1 : 0;
    settings.RememberedFolder = store.GetSetting("lokasi");
    settings.Sync.Folder = store.GetSetting("synclokasi");
    // Both kinds of fit stay allowed unless the user turned one off.
    settings.Sync.AllowCuts = TrimSpaces(store.GetSetting("synccuts")) != "0";
    settings.Sync.CorrectSpeed = TrimSpaces(store.GetSetting("syncspeed")) != "0";
    std::string from(TrimSpaces(store.GetSetting("from")));
    if (!from.empty()) settings.SourceLanguage = from;
    std::string to(TrimSpaces(store.GetSetting("to")));
    if (!to.empty()) settings.TargetLanguage = to;
    std::string service(TrimSpaces(store.GetSetting("service")));
    if (!service.empty()) settings.Service.Name = service;
    settings.Service.Url = TrimSpaces(store.GetSetting("url"));
    settings.Service.Model = TrimSpaces(store.GetSetting("model"));
    // A key is taken exactly as it was given: its service decides what it is.
    for (const std::string& name : ServiceNames()) {
        std::string key = store.GetSecret(KeyValueName(name));
        if (!key.empty()) settings.Service.Keys[name] = std::move(key);
    }
    if (std::string earlier = store.GetSecret("key"); !earlier.empty()) {
        const std::string& owner = settings.Service.Name;
        try {
            if (settings.Service.KeyOf(owner).empty()) store.SaveSecret(KeyValueName(owner), earlier);
            store.SaveSetting("key", "");
        } catch (const RuntimeError&) {
            // Left where it was, to be moved at a later start; it is used meanwhile.
        }
        if (settings.Service.KeyOf(owner).empty()) settings.Service.Keys[owner] = std::move(earlier);
    }
    return settings;
}

void SaveWindowSettings(SettingsStore& store, const WindowSettings& settings) {
    store.SaveSetting("lokasi", settings.RememberedFolder);
    store.SaveSetting("from", settings.SourceLanguage);
    store.SaveSetting("to", settings.TargetLanguage);
    store.SaveSetting("tab", std::to_string(settings.ActiveTab));
    SaveServiceChoice(store, settings.Service);
}

void SaveServiceChoice(SettingsStore& store, const ServiceChoice& service) {
    store.SaveSetting("service", service.Name);
    store.SaveSetting("url", service.Url);
    store.SaveSetting("model", service.Model);
    for (const std::string& name : ServiceNames()) store.SaveSecret(KeyValueName(name), service.KeyOf(name));
}

void SaveSyncChoice(SettingsStore& store, const SyncChoice& sync) {
    store.SaveSetting("synclokasi", sync.Folder);
    store.SaveSetting("synccuts", sync.AllowCuts ? "1" : "0");
    store.SaveSetting("syncspeed", sync.CorrectSpeed ? "1" : "0");
}

}  // namespace tarvex
