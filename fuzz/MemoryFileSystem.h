#pragma once
// Files in memory, so a fuzz run touches no disk and stays fast.

#include <map>

#include "base/FileSystem.h"
#include "base/RuntimeError.h"
#include "base/StringFiles.h"

namespace tarvex::fuzz {

class MemoryFileSystem : public FileSystem {
public:
    std::map<std::string, std::string> Files;

    bool FileExists(const std::string& path) override { return Files.count(path) != 0; }
    bool FolderExists(const std::string&) override { return true; }
    bool NameTaken(const std::string& path) override { return Files.count(path) != 0; }
    std::string ReadFile(const std::string& path) override {
        auto found = Files.find(path);
        if (found == Files.end()) throw RuntimeError(ErrorNumber::FileNotFound);
        return found->second;
    }
    void Rename(const std::string& from, const std::string& to) override {
        if (Files.count(to)) throw RuntimeError(ErrorNumber::FileAlreadyExists);
        auto found = Files.find(from);
        if (found == Files.end()) throw RuntimeError(ErrorNumber::FileNotFound);
        Files[to] = found->second;
        Files.erase(found);
    }
    std::unique_ptr<OutputFile> CreateOutput(const std::string& path) override {
        Files[path].clear();
        return std::make_unique<MemoryOutput>(Files[path]);
    }
    std::unique_ptr<InputFile> OpenInput(const std::string& path) override {
        auto found = Files.find(path);
        if (found == Files.end()) throw RuntimeError(ErrorNumber::FileNotFound);
        return std::make_unique<MemoryInput>(found->second);
    }
    std::unique_ptr<OutputFile> CreateTemporary(const std::string& beside, std::string& path) override {
        if (!Files.count(beside)) throw RuntimeError(ErrorNumber::FileNotFound);
        for (int attempt = 0;; ++attempt) {
            path = beside + ".tmp" + std::to_string(attempt);
            if (!Files.count(path)) return CreateOutput(path);
        }
    }
    bool Remove(const std::string& path) override {
        Files.erase(path);
        return true;
    }

private:
    // A copy: renames move the map's strings while the file is open.
    class MemoryInput : public InputFile {
    public:
        explicit MemoryInput(std::string content) : content_(std::move(content)) {}
        size_t ReadAt(uint64_t offset, char* into, size_t size) override {
            return StringInput(content_).ReadAt(offset, into, size);
        }

    private:
        std::string content_;
    };

    class MemoryOutput : public OutputFile {
    public:
        explicit MemoryOutput(std::string& target) : target_(target) {}
        void Write(std::string_view bytes) override { target_.append(bytes); }
        void Close() override {}

    private:
        std::string& target_;
    };
};

}  // namespace tarvex::fuzz
