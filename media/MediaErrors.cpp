#include "media/MediaErrors.h"

#include "base/Interruption.h"
#include "base/PathNames.h"
#include "base/RuntimeError.h"

namespace tarvex::media {

void ThrowNoSoundTrack(const std::string& path) {
    throw RuntimeError(ErrorNumber::NoSoundTrack, FileNameOf(path) + " has no sound track");
}

void ThrowUndecodable(const std::string& path, const std::string& reason) {
    std::string text = "Cannot decode the sound of " + FileNameOf(path);
    if (!reason.empty()) text += ": " + reason;
    throw RuntimeError(ErrorNumber::UndecodableMedia, text);
}

void ThrowNoSpeech(const std::string& path) {
    throw RuntimeError(ErrorNumber::NoSpeechFound, "No speech found anywhere in " + FileNameOf(path));
}

void StopIfCancelled(const std::atomic<bool>* cancel) {
    if (cancel != nullptr && cancel->load(std::memory_order_relaxed)) throw RuntimeError(ErrorNumber::UserInterrupt);
    StopIfInterrupted();
}

}  // namespace tarvex::media
