// The hook half of a drop request: runs inside tarvex.exe, where the drop
// must live for the program to read it.

#include <cstring>

#include "e2e/DropRequest_win.h"

using namespace tarvex::e2e;

extern "C" __declspec(dllexport) LRESULT CALLBACK DropRequestHook(int code, WPARAM removal, LPARAM lParam) {
    auto* message = reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && removal == PM_REMOVE && message->message == RegisterWindowMessageW(kDropRequestMessage)) {
        wchar_t name[64];
        DropRequestName(message->hwnd, name);
        if (HANDLE mapping = OpenFileMappingW(FILE_MAP_ALL_ACCESS, FALSE, name)) {
            auto* request =
                static_cast<DropRequest*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(DropRequest)));
            if (request != nullptr && request->Size <= kDropBytesLimit) {
                HGLOBAL drop = GlobalAlloc(GHND, request->Size);
                if (void* bytes = drop ? GlobalLock(drop) : nullptr) {
                    std::memcpy(bytes, request->Bytes, request->Size);
                    GlobalUnlock(drop);
                    PostMessageW(message->hwnd, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
                    InterlockedExchange(&request->Delivered, 1);
                }
            }
            if (request != nullptr) UnmapViewOfFile(request);
            CloseHandle(mapping);
        }
    }
    return CallNextHookEx(nullptr, code, removal, lParam);
}
