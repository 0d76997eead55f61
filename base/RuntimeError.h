#pragma once
// The one error type of the core. Numbers follow the classic runtime
// numbering that users of this kind of tool already know from its reports.

#include <cstdint>
#include <stdexcept>
#include <string>

namespace tarvex {

namespace ErrorNumber {
constexpr int32_t InvalidCall = 5;
constexpr int32_t Overflow = 6;
constexpr int32_t OutOfMemory = 7;
constexpr int32_t SubscriptOutOfRange = 9;
constexpr int32_t InternalError = 51;  // a fault of the program itself, not of its inputs
constexpr int32_t UserInterrupt = 18;
constexpr int32_t TypeMismatch = 13;
constexpr int32_t FileNotFound = 53;
constexpr int32_t FileAlreadyExists = 58;
constexpr int32_t DiskFull = 61;
constexpr int32_t PermissionDenied = 70;
constexpr int32_t PathFileAccessError = 75;
constexpr int32_t PathNotFound = 76;
// The translation service's, in the range the runtime's internet transfer
// errors used, so users can tell them from file errors.
constexpr int32_t RequestTimedOut = 35761;     // "Request timed out"
constexpr int32_t ServiceRefused = 35762;      // "HTTP <status> <reason>"
constexpr int32_t ConnectionFailed = 35763;    // the connection could not be made or was dropped
constexpr int32_t ReplyTooLarge = 35764;       // the reply passed its size limit
constexpr int32_t TooManyRedirects = 35765;    // the service kept redirecting
constexpr int32_t BlockTooLong = 35766;        // a block's text does not fit in one request
constexpr int32_t BadContentCoding = 35767;    // the reply's content coding is unknown or its data corrupt
constexpr int32_t BadServiceSettings = 35768;  // unknown service, or its URL, model or key missing or unusable
constexpr int32_t KeyOverPlainHttp = 35769;    // a key would go over plain http to a host beyond the loopback
constexpr int32_t LanguageNotOffered = 35770;  // the service cannot translate from or into a language
constexpr int32_t UnreadableReply = 35771;     // the reply is not the service's documented JSON
constexpr int32_t BatchMismatch = 35772;       // the reply holds more or fewer blocks than were sent
constexpr int32_t KeyRefused = 35773;          // the service refused the key
constexpr int32_t QuotaUsedUp = 35774;         // the key's quota is used up
// Sync's, a range of their own.
constexpr int32_t NoSoundTrack = 36001;      // the reference film or sound file has no sound track
constexpr int32_t UndecodableMedia = 36002;  // the decoders cannot read the reference
constexpr int32_t NoReferenceCues = 36003;   // the reference subtitle holds no cues
constexpr int32_t NoSpeechFound = 36004;     // no speech anywhere in the reference
constexpr int32_t WeakMatch = 36005;         // the best fit is too weak to trust
constexpr int32_t BadSyncPoints = 36006;     // the two cues and times do not make a line
}  // namespace ErrorNumber

// The runtime's own description for a number ("Overflow" for 6...).
const char* StandardDescription(int32_t number);

class RuntimeError : public std::runtime_error {
public:
    RuntimeError(int32_t number, std::string description)
        : std::runtime_error(description), number_(number), description_(std::move(description)) {}
    // An error with the standard description of its number.
    explicit RuntimeError(int32_t number) : RuntimeError(number, StandardDescription(number)) {}

    int32_t Number() const { return number_; }
    const std::string& Description() const { return description_; }

private:
    int32_t number_;
    std::string description_;
};

// The exception being handled, as the error to report: a RuntimeError as it
// is, running out of memory as 7, any other exception as 51 with its own
// message. Only for use inside a catch block.
RuntimeError CaughtError();

// "Something Wrong (N) description": the text of the error report.
std::string ErrorReportText(const RuntimeError& error);

}  // namespace tarvex
