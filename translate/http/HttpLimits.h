#pragma once
// What a reply may cost, the same on every platform: the limits, the errors
// that name them, and the bounded collection of a body.

#include <chrono>
#include <cstddef>
#include <string>

#include "base/RuntimeError.h"

namespace tarvex {

// One block's translation is a few kB; anything near this is not a reply.
constexpr size_t kMaxReplyBytes = size_t{4} << 20;  // the body, after decoding
constexpr size_t kMaxHeaderBytes = size_t{64} << 10;
constexpr int kMaxRedirects = 10;

RuntimeError RequestTimedOutError();
RuntimeError ReplyTooLargeError();
RuntimeError HeadersTooLargeError();
RuntimeError TooManyRedirectsError();
// 35763: the connection could not be made or was dropped, and why.
RuntimeError UnreachableError(const std::string& why);

// Appends decoded body bytes unless they would take the body past
// kMaxReplyBytes; then answers false and leaves the body as it was.
bool AppendWithinLimit(std::string& body, const char* data, size_t size);

// Whole milliseconds from now to `deadline`, at least 1 (0 means "no limit"
// to the platforms' clients).
long MillisecondsUntil(std::chrono::steady_clock::time_point deadline);

}  // namespace tarvex
