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
