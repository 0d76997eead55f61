#include <windows.h>

#include "base/FileSystem.h"
#include "base/PathNames.h"
#include "base/RuntimeError.h"

namespace tarvex {

namespace {

int32_t NumberForLastError(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND: return ErrorNumber::FileNotFound;
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_NETPATH: return ErrorNumber::PathNotFound;
        case ERROR_ALREADY_EXISTS:
        case ERROR_FILE_EXISTS: return ErrorNumber::FileAlreadyExists;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL: return ErrorNumber::DiskFull;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_WRITE_PROTECT: return ErrorNumber::PermissionDenied;
        case ERROR_NOT_ENOUGH_MEMORY:
        case ERROR_OUTOFMEMORY: return ErrorNumber::OutOfMemory;
        default: return ErrorNumber::PathFileAccessError;
    }
}

[[noreturn]] void ThrowLastError() {
    throw RuntimeError(NumberForLastError(GetLastError()));
}

// The path as the wide-character calls take it. Paths the system's classic
// length limit would refuse are made absolute and given the "\\?\" prefix,
// under which the limit does not apply (nor do "." and "/" work there, hence
// the full path first).
std::wstring SystemPath(const std::string& path) {
    std::wstring wide;
    if (path.empty()) return wide;
    int length = MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()), nullptr, 0);
    wide.resize(static_cast<size_t>(length));
    MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()), wide.data(), length);
    // Folders are limited to a few characters less than files.
    if (wide.size() < MAX_PATH - 12 || wide.rfind(L"\\\\?\\", 0) == 0) return wide;
    DWORD needed = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (needed == 0) return wide;
    std::wstring full(needed, L'\0');
    DWORD written = GetFullPathNameW(wide.c_str(), needed, full.data(), nullptr);
    if (written == 0 || written >= needed) return wide;
    full.resize(written);
    if (full.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + full.substr(2);  // \\server\share
    return L"\\\\?\\" + full;
}

class HandleCloser {
public:
    explicit HandleCloser(HANDLE handle) : handle_(handle) {}
    ~HandleCloser() { Release(); }
    HandleCloser(const HandleCloser&) = delete;
    HandleCloser& operator=(const HandleCloser&) = delete;
    HANDLE Get() const { return handle_; }
    BOOL Release() {
        if (handle_ == INVALID_HANDLE_VALUE) return TRUE;
        HANDLE handle = handle_;
        handle_ = INVALID_HANDLE_VALUE;
        return CloseHandle(handle);
    }

private:
    HANDLE handle_;
};

class Win32OutputFile : public OutputFile {
public:
    explicit Win32OutputFile(HANDLE handle) : handle_(handle) {}

    void Write(std::string_view bytes) override {
        const char* data = bytes.data();
        size_t left = bytes.size();
        while (left > 0) {
            DWORD chunk = left > 0x40000000 ? 0x40000000 : static_cast<DWORD>(left);
            DWORD written = 0;
            if (!WriteFile(handle_.Get(), data, chunk, &written, nullptr)) ThrowLastError();
            data += written;
            left -= written;
        }
    }

    void Close() override {
        if (!handle_.Release()) ThrowLastError();
    }

private:
    HandleCloser handle_;
};

// A temporary file takes the attributes of the file it will replace once its
// content is complete: read-only would refuse the writes before that.
class Win32TemporaryFile : public OutputFile {
public:
    Win32TemporaryFile(HANDLE handle, std::string path, DWORD attributes)
        : file_(handle), path_(std::move(path)), attributes_(attributes) {}

    void Write(std::string_view bytes) override { file_.Write(bytes); }

    void Close() override {
        if (closed_) return;
        file_.Close();
        closed_ = true;
        if (attributes_ != 0 && !SetFileAttributesW(SystemPath(path_).c_str(), attributes_)) ThrowLastError();
    }

private:
    Win32OutputFile file_;
    std::string path_;
    DWORD attributes_;
    bool closed_ = false;
};

class Win32InputFile : public InputFile {
public:
    explicit Win32InputFile(HANDLE handle) : handle_(handle) {}

    size_t ReadAt(uint64_t offset, char* into, size_t size) override {
        size_t filled = 0;
        while (filled < size) {
            size_t room = size - filled;
            DWORD want = room > 0x40000000 ? 0x40000000 : static_cast<DWORD>(room);
            uint64_t at = offset + filled;
            OVERLAPPED where = {};
            where.Offset = static_cast<DWORD>(at);
            where.OffsetHigh = static_cast<DWORD>(at >> 32);
            DWORD got = 0;
            if (!::ReadFile(handle_.Get(), into + filled, want, &got, &where)) {
                if (GetLastError() == ERROR_HANDLE_EOF) break;
                ThrowLastError();
            }
            if (got == 0) break;
            filled += got;
        }
        return filled;
    }

private:
    HandleCloser handle_;
};

// A directory search over normal files: read-only and archive files match,
// hidden files, system files and folders do not.
bool SearchFindsNormalFile(const std::string& pattern) {
    if (pattern.empty()) return false;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(SystemPath(pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    const DWORD excluded = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY;
    bool match = false;
    do {
        if ((found.dwFileAttributes & excluded) == 0) {
            match = true;
            break;
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return match;
}

class Win32FileSystem : public FileSystem {
public:
    bool FileExists(const std::string& path) override { return SearchFindsNormalFile(path); }

    bool FolderExists(const std::string& folder) override {
        if (folder.empty()) return false;
        // A bare drive ("D:") names the drive's current folder; ask for its root.
        std::string probe = folder;
        if (probe.size() == 2 && probe[1] == ':') probe += '\\';
        DWORD attributes = GetFileAttributesW(SystemPath(probe).c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    }

    bool NameTaken(const std::string& path) override {
        // A link answers for itself here, whether or not its target exists.
        return !path.empty() && GetFileAttributesW(SystemPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    std::string ReadFile(const std::string& path) override {
        HandleCloser file(CreateFileW(SystemPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN,
                                      nullptr));
        if (file.Get() == INVALID_HANDLE_VALUE) ThrowLastError();
        LARGE_INTEGER size;
        if (!GetFileSizeEx(file.Get(), &size)) ThrowLastError();
        std::string content;
        content.resize(size.QuadPart > 0 ? static_cast<size_t>(size.QuadPart) : 0);
        size_t filled = 0;
        for (;;) {
            if (filled == content.size()) content.resize(content.size() + 65536);
            size_t room = content.size() - filled;
            DWORD want = room > 0x40000000 ? 0x40000000 : static_cast<DWORD>(room);
            DWORD got = 0;
            if (!::ReadFile(file.Get(), content.data() + filled, want, &got, nullptr)) ThrowLastError();
            if (got == 0) break;
            filled += got;
        }
        content.resize(filled);
        return content;
    }

    void Rename(const std::string& from, const std::string& to) override {
        // MoveFileW never replaces an existing target.
        if (!MoveFileW(SystemPath(from).c_str(), SystemPath(to).c_str())) ThrowLastError();
    }

    std::unique_ptr<OutputFile> CreateOutput(const std::string& path) override {
        HANDLE handle = CreateFileW(SystemPath(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE) ThrowLastError();
        return std::make_unique<Win32OutputFile>(handle);
    }

    std::unique_ptr<InputFile> OpenInput(const std::string& path) override {
        HANDLE handle = CreateFileW(SystemPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
        if (handle == INVALID_HANDLE_VALUE) ThrowLastError();
        return std::make_unique<Win32InputFile>(handle);
    }

    std::unique_ptr<OutputFile> CreateTemporary(const std::string& beside, std::string& path) override {
        DWORD model = GetFileAttributesW(SystemPath(beside).c_str());
        if (model == INVALID_FILE_ATTRIBUTES) ThrowLastError();
        const DWORD kept = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                           FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
        DWORD attributes = model & kept;
        if (attributes == 0) attributes = FILE_ATTRIBUTE_NORMAL;
        for (int attempt = 0;; ++attempt) {
            path = TemporaryNameBeside(beside, attempt);
            HANDLE handle = CreateFileW(SystemPath(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
            if (handle == INVALID_HANDLE_VALUE) {
                DWORD error = GetLastError();
                if ((error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) && attempt < 1000) continue;
                ThrowLastError();
            }
            return std::make_unique<Win32TemporaryFile>(handle, path, attributes);
        }
    }

    bool Remove(const std::string& path) override {
        if (DeleteFileW(SystemPath(path).c_str())) return true;
        DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND) return true;
        if (error == ERROR_ACCESS_DENIED) {
            // A read-only file refuses deletion until the attribute is gone.
            SetFileAttributesW(SystemPath(path).c_str(), FILE_ATTRIBUTE_NORMAL);
            return DeleteFileW(SystemPath(path).c_str()) != 0;
        }
        return false;
    }
};

}  // namespace

FileSystem& SystemFileSystem() {
    static Win32FileSystem system;
    return system;
}

}  // namespace tarvex
