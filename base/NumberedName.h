#pragma once
// The numbered names under which an earlier file is kept: the one loop both
// runs use to find a name that nothing holds.

#include <cstdint>
#include <string>

namespace tarvex {

class FileSystem;

// The first of PATH with N put before its extension (movie1.srt,
// movie2.srt, ...) that FileSystem::NameTaken finds free, N counting on from
// `nameNumber`, which keeps the last number tried. Error 6 (Overflow) when
// the 16-bit counter runs out.
std::string NextFreeNumberedName(const std::string& path, FileSystem& files, int16_t& nameNumber);

}  // namespace tarvex
