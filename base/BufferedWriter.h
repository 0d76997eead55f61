#pragma once
// Collects output lines and hands them to the file in large pieces; each
// line is followed by CR LF, whatever line end the input used, unless the
// caller names another.

#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "base/FileSystem.h"

namespace tarvex {

class BufferedWriter {
public:
    static constexpr size_t kCapacity = 256 * 1024;

    void Attach(OutputFile* file) {
        file_ = file;
        buffer_.resize(kCapacity);
    }

    void WriteLine(std::string_view line) { WriteLine(line, "\r\n"); }

    // With a line end of the caller's choosing (a file that keeps its own).
    void WriteLine(std::string_view line, std::string_view lineEnd) {
        if (kCapacity - used_ < line.size() + lineEnd.size()) {
            Flush();
            if (line.size() + lineEnd.size() > kCapacity) {
                // A line longer than the buffer goes straight to the file.
                Write(line);
                Write(lineEnd);
                return;
            }
        }
        std::memcpy(buffer_.data() + used_, line.data(), line.size());
        used_ += line.size();
        std::memcpy(buffer_.data() + used_, lineEnd.data(), lineEnd.size());
        used_ += lineEnd.size();
    }

    void Flush() {
        if (used_ == 0) return;
        // Dropped before writing, so that a failed write is not retried on the failure path.
        size_t pending = used_;
        used_ = 0;
        Write(std::string_view(buffer_.data(), pending));
    }

    // Drops what is not yet written: lines of a piece that will never be
    // finished.
    void Discard() { used_ = 0; }

private:
    void Write(std::string_view bytes) {
        if (file_ != nullptr) file_->Write(bytes);
    }

    OutputFile* file_ = nullptr;
    std::vector<char> buffer_;
    size_t used_ = 0;
};

}  // namespace tarvex
