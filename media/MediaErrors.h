#pragma once
// The numbered errors a film or sound file can raise, worded alike on both
// platforms and naming the file as the user knows it.

#include <atomic>
#include <string>

namespace tarvex::media {

[[noreturn]] void ThrowNoSoundTrack(const std::string& path);
// `reason` is the decoder's own word for what went wrong ("" when none).
[[noreturn]] void ThrowUndecodable(const std::string& path, const std::string& reason);
[[noreturn]] void ThrowNoSpeech(const std::string& path);
// Error 18 when `cancel` is set or an interruption is requested.
void StopIfCancelled(const std::atomic<bool>* cancel);

}  // namespace tarvex::media
