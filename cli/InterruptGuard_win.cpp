#include <windows.h>

#include <atomic>

#include "base/Interruption.h"
#include "cli/InterruptGuard.h"

namespace tarvex::cli {

namespace {

// The exit status Windows gives a program ended by Ctrl+C.
constexpr UINT kControlCExit = 0xC000013A;

std::atomic<bool> received{false};
HANDLE workStopped = nullptr;

BOOL WINAPI OnConsoleEvent(DWORD event) {
    received.store(true);
    RequestInterruption();
    if (event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT) return TRUE;
    // A closed console, a log-off or a shut-down ends the process as soon as
    // this returns: give the run time to remove its temporary file (the
    // system waits about five seconds).
    WaitForSingleObject(workStopped, 4500);
    return TRUE;
}

}  // namespace

InterruptGuard::InterruptGuard() {
    workStopped = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}

InterruptGuard::~InterruptGuard() {
    SetEvent(workStopped);
    SetConsoleCtrlHandler(OnConsoleEvent, FALSE);
}

void InterruptGuard::EndIfInterrupted() {
    if (!received.load()) return;
    SetEvent(workStopped);
    ExitProcess(kControlCExit);
}

}  // namespace tarvex::cli
