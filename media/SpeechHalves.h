#pragma once
// The work of FindSpeech once the file is open: with `splitMs` above 0, the
// sound from there on is read by a second reader on another thread and the
// two halves' spans joined at the seam. FindSpeech splits only long films.

#include <memory>

#include "media/SoundReader.h"
#include "media/SpeechFinder.h"

namespace tarvex::media {

SpeechTrack FindSpeechInHalves(const std::string& path, std::unique_ptr<SoundReader> first, int64_t splitMs,
                               const MediaProgress& progress, const std::atomic<bool>* cancel);

}  // namespace tarvex::media
