#include "base/FileReplacement.h"

#include "base/RuntimeError.h"

namespace tarvex {

FileReplacement::FileReplacement(FileSystem& files, std::string target)
    : files_(files), target_(std::move(target)), output_(files_.CreateTemporary(target_, temporary_)) {}

FileReplacement::~FileReplacement() {
    if (committed_) return;
    try {
        output_->Close();
    } catch (const RuntimeError&) {
        // Being thrown away; only its removal matters.
    }
    output_.reset();
    files_.Remove(temporary_);
}

void FileReplacement::Commit(const std::string& backup) {
    output_->Close();
    files_.Rename(target_, backup);
    try {
        files_.Rename(temporary_, target_);
    } catch (const RuntimeError&) {
        try {
            files_.Rename(backup, target_);
        } catch (const RuntimeError&) {
            // The old content is whole under the backup name; say where.
            throw RuntimeError(ErrorNumber::PathFileAccessError, StandardDescription(ErrorNumber::PathFileAccessError) +
                                                                     std::string(": the original file is kept as ") +
                                                                     backup);
        }
        throw;
    }
    committed_ = true;
}

}  // namespace tarvex
