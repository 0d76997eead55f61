#pragma once
// Finding what an earlier, partial output of the same input already holds.

#include <cstdint>
#include <optional>
#include <string>

#include "base/TextEncoding.h"
#include "translate/BlockPlan.h"

namespace tarvex {

class FileSystem;

// An earlier output of this input that can be carried on: its first blocks,
// as UTF-8, and how many they are.
struct EarlierOutput {
    std::string Kept;
    int32_t Blocks = 0;
};

// The earlier output at `outputPath`, if it is in `family` and its first
// blocks match the plan. A file that cannot be read or decoded (one cut off
// in the middle of a character, say) is nothing to carry on, never a
// failure. Only as much of the file is read as the match can use.
std::optional<EarlierOutput> FindEarlierOutput(const std::string& outputPath, const BlockPlan& plan, TextFamily family,
                                               FileSystem& files);

}  // namespace tarvex
