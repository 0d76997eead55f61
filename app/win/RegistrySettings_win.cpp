#include "app/win/RegistrySettings_win.h"

#include <windows.h>

#include <vector>

#include "app/HexText.h"
#include "app/win/UserSecret_win.h"
#include "base/RuntimeError.h"

namespace tarvex::win {

namespace {

class KeyCloser {
public:
    explicit KeyCloser(HKEY key) : key_(key) {}
    ~KeyCloser() {
        if (key_ != nullptr) RegCloseKey(key_);
    }
    KeyCloser(const KeyCloser&) = delete;
    KeyCloser& operator=(const KeyCloser&) = delete;

private:
    HKEY key_;
};

}  // namespace

RegistrySettings::RegistrySettings(std::string programName, std::string section, Sealer seal)
    : keyPath_("Software\\VB and VBA Program Settings\\" + programName + "\\" + section), seal_(std::move(seal)) {}

std::string RegistrySettings::GetSetting(const std::string& key) {
    HKEY handle = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, keyPath_.c_str(), 0, KEY_QUERY_VALUE, &handle) != ERROR_SUCCESS) return "";
    KeyCloser closer(handle);
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(handle, key.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return "";
    if (type != REG_SZ && type != REG_EXPAND_SZ) return "";
    std::vector<char> buffer(size + 1, '\0');
    if (RegQueryValueExA(handle, key.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size) !=
        ERROR_SUCCESS)
        return "";
    // The stored size may or may not count the terminating NUL.
    return std::string(buffer.data());
}

void RegistrySettings::SaveSetting(const std::string& key, const std::string& value) {
    HKEY handle = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, keyPath_.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle, nullptr) !=
        ERROR_SUCCESS)
        return;  // settings are a convenience: a locked-down registry must not stop the program
    KeyCloser closer(handle);
    RegSetValueExA(handle, key.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
}

std::string RegistrySettings::GetSecret(const std::string& key) {
    std::optional<std::string> sealed = BytesOfHex(GetSetting(key));
    if (!sealed || sealed->empty()) return "";
    return OpenForUser(*sealed).value_or("");
}

void RegistrySettings::SaveSecret(const std::string& key, const std::string& value) {
    if (value.empty()) return SaveSetting(key, "");
    std::optional<std::string> sealed = seal_(value);
    // Never the secret in clear: without sealing, nothing is kept, and the
    // user is told rather than finding the key gone at the next start.
    if (!sealed)
        throw RuntimeError(ErrorNumber::PermissionDenied,
                           "Permission denied: the key could not be sealed for this user, so it was not kept");
    SaveSetting(key, HexOf(*sealed));
}

}  // namespace tarvex::win
