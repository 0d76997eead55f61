#include <windows.h>

#include <exception>
#include <thread>

#include "translate/http/MessagePump.h"

namespace tarvex {

namespace {

// The event the worker sets when done, closed on every way out.
class DoneEvent {
public:
    DoneEvent() : handle_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
    ~DoneEvent() {
        if (handle_ != nullptr) CloseHandle(handle_);
    }
    DoneEvent(const DoneEvent&) = delete;
    DoneEvent& operator=(const DoneEvent&) = delete;
    HANDLE Get() const { return handle_; }

private:
    HANDLE handle_;
};

}  // namespace

void RunWhilePumpingMessages(const std::function<void()>& work) {
    RunWhileDialogAnswers(work, nullptr);
}

void RunWhileDialogAnswers(const std::function<void()>& work, void* dialog) {
    DoneEvent done;
    if (done.Get() == nullptr) {
        work();
        return;
    }
    std::exception_ptr failure;
    // Throws std::system_error when no thread can be started; nothing is left behind then.
    std::thread worker([&] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
        SetEvent(done.Get());
    });
    HANDLE handle = done.Get();
    for (;;) {
        DWORD woken = MsgWaitForMultipleObjects(1, &handle, FALSE, INFINITE, QS_ALLINPUT);
        if (woken == WAIT_OBJECT_0 || woken == WAIT_FAILED) break;
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                // Leave the quit for the main loop once the work has ended.
                WaitForSingleObject(handle, INFINITE);
                PostQuitMessage(static_cast<int>(message.wParam));
                break;
            }
            if (dialog != nullptr && IsDialogMessageA(static_cast<HWND>(dialog), &message)) continue;
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    worker.join();
    if (failure) std::rethrow_exception(failure);
}

}  // namespace tarvex
