#pragma once
// Files held in memory: the streaming code run over a text, for the
// in-memory shift, its benchmark and the fuzz targets.

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

#include "base/FileSystem.h"

namespace tarvex {

class StringInput : public InputFile {
public:
    explicit StringInput(std::string_view content) : content_(content) {}
    size_t ReadAt(uint64_t offset, char* into, size_t size) override {
        if (offset >= content_.size()) return 0;
        size_t count = std::min(size, content_.size() - static_cast<size_t>(offset));
        std::memcpy(into, content_.data() + offset, count);
        return count;
    }

private:
    std::string_view content_;
};

class StringOutput : public OutputFile {
public:
    explicit StringOutput(std::string& target) : target_(target) {}
    void Write(std::string_view bytes) override { target_.append(bytes); }
    void Close() override {}

private:
    std::string& target_;
};

}  // namespace tarvex
