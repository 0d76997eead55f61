#pragma once
// The real file system with failures on demand, for the cases a real disk
// cannot be made to produce in a test (a refused rename, a full disk).

#include <functional>

#include "base/FileSystem.h"
#include "base/RuntimeError.h"

namespace tarvex::test {

class FaultyFileSystem : public FileSystem {
public:
    // Error numbers to raise; 0 lets the real operation run.
    int32_t FailRead = 0;
    int32_t FailRename = 0;  // once, after RenamesBeforeFailure real ones
    int RenamesBeforeFailure = 0;
    int32_t FailCreate = 0;
    // Raise 61 (Disk full) once this many bytes have been written; -1 never.
    long long DiskFullAfter = -1;

    bool FileExists(const std::string& path) override { return real_.FileExists(path); }
    bool FolderExists(const std::string& folder) override { return real_.FolderExists(folder); }
    bool NameTaken(const std::string& path) override { return real_.NameTaken(path); }
    std::string ReadFile(const std::string& path) override {
        if (FailRead) throw RuntimeError(FailRead);
        return real_.ReadFile(path);
    }
    void Rename(const std::string& from, const std::string& to) override {
        if (FailRename && RenamesBeforeFailure-- <= 0) {
            int32_t error = FailRename;
            FailRename = 0;
            RenamesBeforeFailure = 0;
            throw RuntimeError(error);
        }
        real_.Rename(from, to);
    }
    std::unique_ptr<OutputFile> CreateOutput(const std::string& path) override {
        if (FailCreate) throw RuntimeError(FailCreate);
        return std::make_unique<LimitedOutput>(real_.CreateOutput(path), DiskFullAfter);
    }
    std::unique_ptr<InputFile> OpenInput(const std::string& path) override {
        if (FailRead) throw RuntimeError(FailRead);
        return real_.OpenInput(path);
    }
    std::unique_ptr<OutputFile> CreateTemporary(const std::string& beside, std::string& path) override {
        if (FailCreate) throw RuntimeError(FailCreate);
        return std::make_unique<LimitedOutput>(real_.CreateTemporary(beside, path), DiskFullAfter);
    }
    bool Remove(const std::string& path) override { return real_.Remove(path); }

private:
    class LimitedOutput : public OutputFile {
    public:
        LimitedOutput(std::unique_ptr<OutputFile> inner, long long limit) : inner_(std::move(inner)), left_(limit) {}
        void Write(std::string_view bytes) override {
            if (left_ >= 0 && static_cast<long long>(bytes.size()) > left_) {
                inner_->Write(bytes.substr(0, static_cast<size_t>(left_)));
                left_ = 0;
                throw RuntimeError(ErrorNumber::DiskFull);
            }
            if (left_ >= 0) left_ -= static_cast<long long>(bytes.size());
            inner_->Write(bytes);
        }
        void Close() override { inner_->Close(); }

    private:
        std::unique_ptr<OutputFile> inner_;
        long long left_;
    };

    FileSystem& real_ = SystemFileSystem();
};

}  // namespace tarvex::test
