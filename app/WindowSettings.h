#pragma once
// The four values the window keeps from one start to the next, and how they
// are read back: trimmed, with defaults for what is missing.

#include <cstdint>
#include <string>

namespace tarvex {

// The per-user settings store, section "Options" of this program.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // "" when the key is missing.
    virtual std::string GetSetting(const std::string& key) = 0;
    virtual void SaveSetting(const std::string& key, const std::string& value) = 0;
};

struct WindowSettings {
    int16_t ActiveTab = 0;                      // "tab"
    std::string RememberedFolder;               // "lokasi"
    std::string SourceLanguage = "english";     // "from"
    std::string TargetLanguage = "indonesian";  // "to"
};

// "tab" other than 0 or 1 (once trimmed) means 0; empty names give the defaults.
WindowSettings LoadWindowSettings(SettingsStore& store);
// Written in the order lokasi, from, to, tab.
void SaveWindowSettings(SettingsStore& store, const WindowSettings& settings);

}  // namespace tarvex
