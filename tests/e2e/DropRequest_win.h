#pragma once
// A drop carried into tarvex.exe the way the system carries one between
// programs: the driver writes the drop's bytes into shared memory, and a
// message hook in the receiving process copies them into a drop of its own
// and posts WM_DROPFILES. (Wine, unlike Windows, does not copy a drop posted
// from another process.)

#include <windows.h>

namespace tarvex::e2e {

constexpr wchar_t kDropRequestMessage[] = L"TarvexE2eDropRequest";
constexpr DWORD kDropBytesLimit = 64 * 1024;

struct DropRequest {
    volatile LONG Delivered;
    DWORD Size;
    unsigned char Bytes[kDropBytesLimit];
};

// The shared memory's name for one target window.
inline void DropRequestName(HWND window, wchar_t (&name)[64]) {
    wsprintfW(name, L"Local\\TarvexE2eDrop-%p", static_cast<void*>(window));
}

}  // namespace tarvex::e2e
