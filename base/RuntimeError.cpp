#include "base/RuntimeError.h"

#include <new>

namespace tarvex {

const char* StandardDescription(int32_t number) {
    switch (number) {
        case ErrorNumber::InvalidCall: return "Invalid procedure call or argument";
        case ErrorNumber::Overflow: return "Overflow";
        case ErrorNumber::OutOfMemory: return "Out of memory";
        case ErrorNumber::SubscriptOutOfRange: return "Subscript out of range";
        case ErrorNumber::InternalError: return "Internal error";
        case ErrorNumber::UserInterrupt: return "User interrupt occurred";
        case ErrorNumber::TypeMismatch: return "Type mismatch";
        case ErrorNumber::FileNotFound: return "File not found";
        case ErrorNumber::FileAlreadyExists: return "File already exists";
        case ErrorNumber::DiskFull: return "Disk full";
        case ErrorNumber::PermissionDenied: return "Permission denied";
        case ErrorNumber::PathFileAccessError: return "Path/File access error";
        case ErrorNumber::PathNotFound: return "Path not found";
        case ErrorNumber::BadServiceSettings: return "The translation service's settings are incomplete";
        case ErrorNumber::KeyOverPlainHttp: return "A key is never sent over plain HTTP beyond this computer";
        case ErrorNumber::LanguageNotOffered: return "The translation service does not offer this language";
        case ErrorNumber::UnreadableReply: return "The translation service's reply could not be read";
        case ErrorNumber::BatchMismatch: return "The reply holds more or fewer blocks than were sent";
        case ErrorNumber::KeyRefused: return "The translation service refused the key";
        case ErrorNumber::QuotaUsedUp: return "The key's quota is used up";
        case ErrorNumber::NoSoundTrack: return "The reference has no sound track";
        case ErrorNumber::UndecodableMedia: return "The reference's sound cannot be decoded";
        case ErrorNumber::NoReferenceCues: return "The reference subtitle holds no cues";
        case ErrorNumber::NoSpeechFound: return "No speech was found in the reference";
        case ErrorNumber::WeakMatch: return "The subtitle does not match the reference well enough to trust";
        case ErrorNumber::BadSyncPoints: return "The two cues and times do not give a usable line";
        default: return "Application-defined or object-defined error";
    }
}

RuntimeError CaughtError() {
    try {
        throw;
    } catch (const RuntimeError& error) {
        return error;
    } catch (const std::bad_alloc&) {
        return RuntimeError(ErrorNumber::OutOfMemory);
    } catch (const std::exception& error) {
        return RuntimeError(ErrorNumber::InternalError,
                            std::string(StandardDescription(ErrorNumber::InternalError)) + ": " + error.what());
    } catch (...) {
        return RuntimeError(ErrorNumber::InternalError);
    }
}

std::string ErrorReportText(const RuntimeError& error) {
    return "Something Wrong (" + std::to_string(error.Number()) + ") " + error.Description();
}

}  // namespace tarvex
