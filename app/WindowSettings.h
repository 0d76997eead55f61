#pragma once
// The values the window keeps from one start to the next, and how they are
// read back: trimmed, with defaults for what is missing.

#include <cstdint>
#include <map>
#include <string>

namespace tarvex {

// The per-user settings store, section "Options" of this program.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // "" when the key is missing.
    virtual std::string GetSetting(const std::string& key) = 0;
    virtual void SaveSetting(const std::string& key, const std::string& value) = 0;
    // A secret is kept so that only this user can read it back; one that
    // cannot be read back (another user's, damaged) reads as "".
    virtual std::string GetSecret(const std::string& key) = 0;
    // Raises RuntimeError when the secret cannot be sealed: it is then not
    // kept at all, and the user must be told.
    virtual void SaveSecret(const std::string& key, const std::string& value) = 0;
};

// The translation service the window asks, as its Service dialog sets it.
// Each service keeps a key of its own, so that a key given for one is
// never sent to another.
struct ServiceChoice {
    std::string Name = "google";  // "service"
    std::string Url;              // "url"
    std::string Model;            // "model"
    // Service name to its key, each kept as a secret "key_<service>".
    std::map<std::string, std::string> Keys;

    // The key given for `service`; "" when none was.
    std::string KeyOf(const std::string& service) const {
        auto found = Keys.find(service);
        return found == Keys.end() ? std::string() : found->second;
    }
};

// What the Sync dialog keeps: where its last reference was found, and the
// two kinds of fit the user allows.
struct SyncChoice {
    std::string Folder;        // "synclokasi"
    bool AllowCuts = true;     // "synccuts", "1" or "0"
    bool CorrectSpeed = true;  // "syncspeed", "1" or "0"
};

struct WindowSettings {
    int16_t ActiveTab = 0;                      // "tab"
    std::string RememberedFolder;               // "lokasi"
    std::string SourceLanguage = "english";     // "from"
    std::string TargetLanguage = "indonesian";  // "to"
    ServiceChoice Service;
    SyncChoice Sync;
};

// "tab" other than 0 or 1 (once trimmed) means 0; empty names give the defaults.
// The single "key" of earlier versions belonged to the saved service: it is
// moved to that service's own value here, once.
WindowSettings LoadWindowSettings(SettingsStore& store);
// Written in the order lokasi, from, to, tab, then the service's values; the
// Sync dialog's are kept by SaveSyncChoice as it closes.
void SaveWindowSettings(SettingsStore& store, const WindowSettings& settings);
// The service's values alone, as soon as the dialog's OK sets them.
void SaveServiceChoice(SettingsStore& store, const ServiceChoice& service);
// The Sync dialog's values, as soon as it closes.
void SaveSyncChoice(SettingsStore& store, const SyncChoice& sync);

}  // namespace tarvex
