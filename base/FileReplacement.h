#pragma once
// A file's new content written whole or not at all: it goes to a temporary
// file beside the old one, and only once it is complete does the old file
// move to its backup name and the new one take the old one's name. Until
// then, and on every failure, the old file stays exactly as it was.

#include <memory>
#include <string>

#include "base/FileSystem.h"

namespace tarvex {

class FileReplacement {
public:
    // Creates the temporary file beside `target`, with target's permissions.
    FileReplacement(FileSystem& files, std::string target);
    // Without a Commit the temporary file is closed and removed.
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    OutputFile& Output() { return *output_; }

    // Closes the new content, moves the target to `backup` (a free name) and
    // gives the new content the target's name. If that last step fails, the
    // target is moved back before the error goes on.
    void Commit(const std::string& backup);

private:
    FileSystem& files_;
    std::string target_;
    std::string temporary_;
    std::unique_ptr<OutputFile> output_;
    bool committed_ = false;
};

}  // namespace tarvex
