#pragma once
// A system library kept loaded for the life of its owner.

#include <windows.h>

namespace tarvex::host {

class LoadedLibrary {
public:
    explicit LoadedLibrary(const char* name) : module_(LoadLibraryA(name)) {}
    ~LoadedLibrary() {
        if (module_) FreeLibrary(module_);
    }
    LoadedLibrary(const LoadedLibrary&) = delete;
    LoadedLibrary& operator=(const LoadedLibrary&) = delete;
    HMODULE Get() const { return module_; }

private:
    HMODULE module_;
};

}  // namespace tarvex::host
