#include "translate/http/HttpLimits.h"

namespace tarvex {

RuntimeError RequestTimedOutError() {
    return RuntimeError(ErrorNumber::RequestTimedOut, "Request timed out");
}

RuntimeError ReplyTooLargeError() {
    return RuntimeError(ErrorNumber::ReplyTooLarge, "Reply too large: over 4 MiB after decoding");
}

RuntimeError HeadersTooLargeError() {
    return RuntimeError(ErrorNumber::ReplyTooLarge, "Reply headers too large: over 64 KiB");
}

RuntimeError TooManyRedirectsError() {
    return RuntimeError(ErrorNumber::TooManyRedirects, "Too many redirects: more than 10");
}

RuntimeError UnreachableError(const std::string& why) {
    return RuntimeError(ErrorNumber::ConnectionFailed, "Cannot reach the translation service: " + why);
}

bool AppendWithinLimit(std::string& body, const char* data, size_t size) {
    if (size > kMaxReplyBytes - body.size()) return false;
    body.append(data, size);
    return true;
}

long MillisecondsUntil(std::chrono::steady_clock::time_point deadline) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    return left.count() < 1 ? 1 : static_cast<long>(left.count());
}

}  // namespace tarvex
