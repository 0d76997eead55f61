#include <windows.h>

#include "base/FileRoutines.h"

namespace tarvex {

// Loaded at run time: when wininet or the function is missing the answer is
// "connected", so the caller goes on and reports its own error if any.
bool IsConnected() {
    HMODULE wininet = LoadLibraryA("wininet.dll");
    if (wininet == nullptr) return true;
    using GetStateFunction = BOOL(WINAPI*)(LPDWORD, DWORD);
    auto getState = reinterpret_cast<GetStateFunction>(
        reinterpret_cast<void*>(GetProcAddress(wininet, "InternetGetConnectedState")));
    bool connected = true;
    if (getState != nullptr) {
        DWORD flags = 0;
        connected = getState(&flags, 0) != FALSE;
    }
    FreeLibrary(wininet);
    return connected;
}

}  // namespace tarvex
