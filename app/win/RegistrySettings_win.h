#pragma once
// The per-user settings store that programs of this kind have always used:
// HKEY_CURRENT_USER\Software\VB and VBA Program Settings\<program>\<section>,
// string values, so settings written by an earlier version carry over.
// Secrets are sealed for the user (DPAPI) and stored as hex text beside them.

#include <functional>
#include <optional>
#include <string>

#include "app/WindowSettings.h"
#include "app/win/UserSecret_win.h"

namespace tarvex::win {

class RegistrySettings : public SettingsStore {
public:
    // How a secret is sealed: for the user by default; a test gives one
    // that fails.
    using Sealer = std::function<std::optional<std::string>(const std::string&)>;

    RegistrySettings(std::string programName, std::string section, Sealer seal = SealForUser);
    std::string GetSetting(const std::string& key) override;
    void SaveSetting(const std::string& key, const std::string& value) override;
    std::string GetSecret(const std::string& key) override;
    void SaveSecret(const std::string& key, const std::string& value) override;

    // The key path under HKEY_CURRENT_USER.
    const std::string& KeyPath() const { return keyPath_; }

private:
    std::string keyPath_;
    Sealer seal_;
};

}  // namespace tarvex::win
