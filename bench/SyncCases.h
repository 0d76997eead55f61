#pragma once
// Sync cases with known answers: a film's worth of real-shaped cues (about
// 1,300 over two hours: lines of 1-6 s, short gaps within a scene, long
// ones between), distorted as subtitles found in the wild are (an offset, a
// frame-rate pair, cuts where the film has scenes or breaks the subtitle
// lacks or the other way round), with a reference made from the film's
// true timing as another language's subtitle or as speech found in its
// sound.

#include <cstdint>
#include <string>
#include <vector>

#include "base/TimeSpan.h"
#include "subtitle/TimeMap.h"

namespace tarvex::bench {

enum class Distortion { None, Offset, Speed, Cuts, CutsAndSpeed };
enum class ReferenceStyle {
    OtherLanguage,  // jittered +-150 ms, merged, split, a tenth dropped
    Speech,         // spans inside the lines, split at pauses, music taken for speech, speech missed
    NoisySpeech,    // the same with twice the misses, false speech and jitter
};

struct SyncCase {
    std::vector<TimeSpan> Input;      // the subtitle to fix, in time order
    std::vector<TimeSpan> Reference;  // in time order
    // Per input cue its true place in the film; Start < 0 where the film has
    // no such moment (a scene it lacks, or before it begins).
    std::vector<TimeSpan> Truth;
    TimeMap TrueMap;
};

SyncCase MakeSyncCase(Distortion distortion, ReferenceStyle style, uint32_t seed, int32_t cueCount = 1300);

// The share of the cues that have a true place whose mapped start and end
// are both within `toleranceMs` of it.
double ShareWithin(const SyncCase& sample, const TimeMap& map, int64_t toleranceMs);

// The cues as an SRT file, each with one line of `text`, lines ended by
// `lineEnd`.
std::string SrtText(const std::vector<TimeSpan>& cues, const std::string& text, const std::string& lineEnd);

const char* NameOf(Distortion distortion);
const char* NameOf(ReferenceStyle style);

}  // namespace tarvex::bench
