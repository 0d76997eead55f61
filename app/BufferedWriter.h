#pragma once
// Collects output lines and hands them to the file in large pieces; each
// line is followed by CR LF, whatever line end the input used.

#include <string>
#include <string_view>

#include "app/FileSystem.h"

namespace tarvex {

class BufferedWriter {
public:
    static constexpr size_t kCapacity = 256 * 1024;

    void Attach(OutputFile* file) {
        file_ = file;
        buffer_.reserve(kCapacity + 4096);
    }

    void WriteLine(std::string_view line) {
        buffer_.append(line);
        buffer_.append("\r\n");
        if (buffer_.size() >= kCapacity) Flush();
    }

    void Flush() {
        if (file_ == nullptr || buffer_.empty()) return;
        try {
            file_->Write(buffer_);
        } catch (...) {
            // Dropped so that a failed write is not retried on the failure path.
            buffer_.clear();
            throw;
        }
        buffer_.clear();
    }

private:
    OutputFile* file_ = nullptr;
    std::string buffer_;
};

}  // namespace tarvex
