#pragma once
// The file-system seam: the POSIX and Win32 implementations are chosen at
// build time; tests wrap the real one where a failure must be forced.
// Every operation that fails throws RuntimeError with the classic number
// (53 not found, 58 exists, 61 disk full, 70 permission denied, 75 other).

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace tarvex {

// Reads at a given offset, so that one open file serves several passes.
class InputFile {
public:
    virtual ~InputFile() = default;
    // Up to `size` bytes from `offset` into `into`; fewer only at the end of
    // the file, 0 there. Throws on a read error.
    virtual size_t ReadAt(uint64_t offset, char* into, size_t size) = 0;
};

class OutputFile {
public:
    virtual ~OutputFile() = default;
    // Writes all bytes or throws.
    virtual void Write(std::string_view bytes) = 0;
    // Flushes to the system and closes; throws when the system reports that
    // the data could not be stored. Calling it twice is harmless.
    virtual void Close() = 0;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;
    // True for an existing ordinary file; folders (and, on Windows, hidden
    // and system files) do not count. Never throws.
    virtual bool FileExists(const std::string& path) = 0;
    virtual bool FolderExists(const std::string& folder) = 0;
    // True when anything holds the name: a file of any kind, a folder, a
    // link (even one that leads nowhere). Never throws; a name that cannot
    // be looked at counts as free, so that using it reports the real error.
    virtual bool NameTaken(const std::string& path) = 0;
    // The whole content as bytes, nothing decoded.
    virtual std::string ReadFile(const std::string& path) = 0;
    // Never replaces an existing target: that is refused with error 58.
    virtual void Rename(const std::string& from, const std::string& to) = 0;
    // Created, or emptied when it exists.
    virtual std::unique_ptr<OutputFile> CreateOutput(const std::string& path) = 0;
    virtual std::unique_ptr<InputFile> OpenInput(const std::string& path) = 0;
    // A new file in the folder of `beside` under a name that nothing else
    // holds (answered in `path`). Once closed it carries the permission bits
    // (POSIX) or the ordinary attributes (Windows) that `beside` has.
    virtual std::unique_ptr<OutputFile> CreateTemporary(const std::string& beside, std::string& path) = 0;
    // Deletes a file; answers whether it is gone. Never throws, as it runs
    // on failure paths.
    virtual bool Remove(const std::string& path) = 0;
};

// The platform's real file system.
FileSystem& SystemFileSystem();

}  // namespace tarvex
