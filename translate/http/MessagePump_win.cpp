#include <windows.h>

#include <exception>
#include <thread>

#include "translate/http/MessagePump.h"

namespace tarvex {

void RunWhilePumpingMessages(const std::function<void()>& work) {
    RunWhileDialogAnswers(work, nullptr);
}

void RunWhileDialogAnswers(const std::function<void()>& work, void* dialog) {
    HANDLE done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (done == nullptr) {
        work();
        return;
    }
    std::exception_ptr failure;
    std::thread worker([&] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
        SetEvent(done);
    });
    for (;;) {
        DWORD woken = MsgWaitForMultipleObjects(1, &done, FALSE, INFINITE, QS_ALLINPUT);
        if (woken == WAIT_OBJECT_0 || woken == WAIT_FAILED) break;
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                // Leave the quit for the main loop once the work has ended.
                WaitForSingleObject(done, INFINITE);
                PostQuitMessage(static_cast<int>(message.wParam));
                break;
            }
            if (dialog != nullptr && IsDialogMessageA(static_cast<HWND>(dialog), &message)) continue;
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    worker.join();
    CloseHandle(done);
    if (failure) std::rethrow_exception(failure);
}

}  // namespace tarvex
