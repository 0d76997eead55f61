#pragma once
// Movable global memory blocks as the common dialogs exchange them. The
// block is freed when its owner goes, on every path; a dialog may replace a
// block it was given by one of its own, which `Adopt` takes over.

#include <windows.h>

#include <cstddef>

namespace tarvex::cmdlg {

class GlobalBlock {
public:
    GlobalBlock() = default;
    // A movable, zero-filled block; error 7 when memory runs out.
    explicit GlobalBlock(size_t bytes);
    ~GlobalBlock() { Free(); }
    GlobalBlock(const GlobalBlock&) = delete;
    GlobalBlock& operator=(const GlobalBlock&) = delete;

    HGLOBAL Get() const { return handle_; }
    // After a dialog call: the handle now in its record. A different one
    // means the dialog freed ours, so it is not freed again.
    void Adopt(HGLOBAL handle) { handle_ = handle; }
    void Free();

private:
    HGLOBAL handle_ = nullptr;
};

// A lock held for one scope. `Address()` is null when the lock failed.
class GlobalLockGuard {
public:
    explicit GlobalLockGuard(HGLOBAL handle) : handle_(handle), address_(handle ? GlobalLock(handle) : nullptr) {}
    ~GlobalLockGuard() {
        if (address_) GlobalUnlock(handle_);
    }
    GlobalLockGuard(const GlobalLockGuard&) = delete;
    GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;

    void* Address() const { return address_; }
    // The bytes that can be read or written through the lock.
    size_t Size() const { return address_ ? GlobalSize(handle_) : 0; }

private:
    HGLOBAL handle_;
    void* address_;
};

}  // namespace tarvex::cmdlg
