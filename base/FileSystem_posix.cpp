#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include "base/FileSystem.h"
#include "base/PathNames.h"
#include "base/RuntimeError.h"

namespace tarvex {

namespace {

int32_t NumberForErrno(int error) {
    switch (error) {
        case ENOENT: return ErrorNumber::FileNotFound;
        case ENOTDIR: return ErrorNumber::PathNotFound;
        case EEXIST:
        case ENOTEMPTY: return ErrorNumber::FileAlreadyExists;
        case ENOSPC:
        case EDQUOT:
        case EFBIG: return ErrorNumber::DiskFull;
        case EACCES:
        case EPERM:
        case EROFS:
        case ETXTBSY: return ErrorNumber::PermissionDenied;
        case ENOMEM: return ErrorNumber::OutOfMemory;
        default: return ErrorNumber::PathFileAccessError;
    }
}

[[noreturn]] void ThrowErrno(int error) {
    throw RuntimeError(NumberForErrno(error));
}

class PosixOutputFile : public OutputFile {
public:
    explicit PosixOutputFile(int fd) : fd_(fd) {}
    ~PosixOutputFile() override {
        if (fd_ >= 0) ::close(fd_);
    }

    void Write(std::string_view bytes) override {
        const char* data = bytes.data();
        size_t left = bytes.size();
        while (left > 0) {
            ssize_t written = ::write(fd_, data, left);
            if (written < 0) {
                if (errno == EINTR) continue;
                ThrowErrno(errno);
            }
            data += written;
            left -= static_cast<size_t>(written);
        }
    }

    void Close() override {
        if (fd_ < 0) return;
        int fd = fd_;
        fd_ = -1;
        // close() is where NFS and friends report a write that did not land.
        if (::close(fd) != 0 && errno != EINTR) ThrowErrno(errno);
    }

private:
    int fd_;
};

class PosixInputFile : public InputFile {
public:
    explicit PosixInputFile(int fd) : fd_(fd) {}
    ~PosixInputFile() override { ::close(fd_); }

    size_t ReadAt(uint64_t offset, char* into, size_t size) override {
        size_t filled = 0;
        while (filled < size) {
            ssize_t got = ::pread(fd_, into + filled, size - filled, static_cast<off_t>(offset + filled));
            if (got < 0) {
                if (errno == EINTR) continue;
                ThrowErrno(errno);
            }
            if (got == 0) break;
            filled += static_cast<size_t>(got);
        }
        return filled;
    }

private:
    int fd_;
};

class PosixFileSystem : public FileSystem {
public:
    bool FileExists(const std::string& path) override {
        struct stat info;
        return !path.empty() && ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
    }

    bool FolderExists(const std::string& folder) override {
        struct stat info;
        return !folder.empty() && ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
    }

    bool NameTaken(const std::string& path) override {
        struct stat info;
        return !path.empty() && ::lstat(path.c_str(), &info) == 0;
    }

    std::string ReadFile(const std::string& path) override {
        int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) ThrowErrno(errno);
        struct Closer {
            int fd;
            ~Closer() { ::close(fd); }
        } closer{fd};
        struct stat info;
        if (::fstat(fd, &info) != 0) ThrowErrno(errno);
        if (S_ISDIR(info.st_mode)) throw RuntimeError(ErrorNumber::PathFileAccessError);
        std::string content;
        content.resize(info.st_size > 0 ? static_cast<size_t>(info.st_size) : 0);
        size_t filled = 0;
        // The size is only a hint: the file may grow or shrink while it is read.
        for (;;) {
            if (filled == content.size()) content.resize(content.size() + 65536);
            ssize_t got = ::read(fd, content.data() + filled, content.size() - filled);
            if (got < 0) {
                if (errno == EINTR) continue;
                ThrowErrno(errno);
            }
            if (got == 0) break;
            filled += static_cast<size_t>(got);
        }
        content.resize(filled);
        return content;
    }

    void Rename(const std::string& from, const std::string& to) override {
        // rename() would silently replace an existing target, which could be
        // an earlier backup: ask the kernel not to replace.
        if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return;
        if (errno != EINVAL && errno != ENOSYS) ThrowErrno(errno);
        // File systems without that flag: a hard link refuses an existing target.
        if (::link(from.c_str(), to.c_str()) == 0) {
            if (::unlink(from.c_str()) != 0) {
                int error = errno;
                ::unlink(to.c_str());
                ThrowErrno(error);
            }
            return;
        }
        if (errno == EEXIST) ThrowErrno(errno);
        struct stat info;
        if (::lstat(to.c_str(), &info) == 0) throw RuntimeError(ErrorNumber::FileAlreadyExists);
        if (::rename(from.c_str(), to.c_str()) != 0) ThrowErrno(errno);
    }

    std::unique_ptr<OutputFile> CreateOutput(const std::string& path) override {
        int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (fd < 0) ThrowErrno(errno);
        return std::make_unique<PosixOutputFile>(fd);
    }

    std::unique_ptr<InputFile> OpenInput(const std::string& path) override {
        int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) ThrowErrno(errno);
        auto input = std::make_unique<PosixInputFile>(fd);
        struct stat info;
        if (::fstat(fd, &info) != 0) ThrowErrno(errno);
        if (S_ISDIR(info.st_mode)) throw RuntimeError(ErrorNumber::PathFileAccessError);
        ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
        return input;
    }

    std::unique_ptr<OutputFile> CreateTemporary(const std::string& beside, std::string& path) override {
        struct stat model;
        if (::stat(beside.c_str(), &model) != 0) ThrowErrno(errno);
        for (int attempt = 0;; ++attempt) {
            path = TemporaryNameBeside(beside, attempt);
            int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
            if (fd < 0) {
                if (errno == EEXIST && attempt < 1000) continue;
                ThrowErrno(errno);
            }
            auto output = std::make_unique<PosixOutputFile>(fd);
            // Set on the open file, so the umask has no say and the bits hold
            // from the first byte on.
            if (::fchmod(fd, model.st_mode & 0777) != 0) {
                int error = errno;
                output.reset();
                ::unlink(path.c_str());
                ThrowErrno(error);
            }
            return output;
        }
    }

    bool Remove(const std::string& path) override { return ::unlink(path.c_str()) == 0 || errno == ENOENT; }
};

}  // namespace

FileSystem& SystemFileSystem() {
    static PosixFileSystem system;
    return system;
}

}  // namespace tarvex
