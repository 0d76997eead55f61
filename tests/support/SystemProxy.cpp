#include "support/SystemProxy.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cstdlib>
#endif

namespace tarvex::test {

void SetSystemProxy(const std::string& address) {
#ifdef _WIN32
    // As the Internet Options dialog writes it.
    HKEY key;
    RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings", 0, nullptr, 0,
                    KEY_SET_VALUE, nullptr, &key, nullptr);
    DWORD enable = address.empty() ? 0 : 1;
    RegSetValueExA(key, "ProxyEnable", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&enable), sizeof enable);
    RegSetValueExA(key, "ProxyServer", 0, REG_SZ, reinterpret_cast<const BYTE*>(address.c_str()),
                   static_cast<DWORD>(address.size() + 1));
    RegCloseKey(key);
#else
    if (address.empty()) {
        unsetenv("http_proxy");
    } else {
        setenv("http_proxy", ("http://" + address).c_str(), 1);
    }
#endif
}

}  // namespace tarvex::test
