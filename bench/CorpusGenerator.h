#pragma once
// Synthetic subtitle files for the benchmarks: realistic cue layout, CR LF
// line ends, one or two text lines with the odd formatting tag, and cues far
// enough apart that the last ones pass 99 hours (so three-digit hours and
// the hour carry are exercised on every run).

#include <cstdint>
#include <string>

namespace tarvex::bench {

std::string GenerateSrt(int32_t cueCount, uint32_t seed = 20261207);

// About `bytes` long: a downloader's WebVTT (LF line ends, cue settings,
// inline karaoke times and class tags), and an ASS script (CR LF, styles,
// events with override blocks and \N breaks, the odd Comment).
std::string GenerateWebVtt(size_t bytes, uint32_t seed = 20261208);
std::string GenerateAss(size_t bytes, uint32_t seed = 20261208);

}  // namespace tarvex::bench
