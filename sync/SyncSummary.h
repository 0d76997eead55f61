#pragma once
// A found map in words a user understands, e.g. "later by 12.340 s, speed
// 25 -> 23.976 fps, 2 cuts (00:41:10 +8.200 s, 01:12:03 -3.000 s); 1,298
// of 1,332 cues matched speech".

#include <cstdint>
#include <string>

#include "subtitle/TimeMap.h"

namespace tarvex::sync {

// The map's part: offset, speed and cuts (cut times are the input's).
std::string DescribeMap(const TimeMap& map);

// 1298 -> "1,298".
std::string WithThousands(int64_t value);

// "later by 0.500 s", "earlier by 3.000 s", "no shift".
std::string DescribeOffset(double offsetMs);

// "speed 25 -> 23.976 fps" for a frame-rate pair, else "speed +0.150 %".
std::string DescribeSpeed(double speed);

}  // namespace tarvex::sync
