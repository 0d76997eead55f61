#pragma once
// What a call raises, for tests of the error numbers: the RuntimeError, or
// number 0 when it raises none. Any other exception fails the test.

#include <cstdint>
#include <functional>
#include <string>

#include "base/RuntimeError.h"

namespace tarvex::test {

inline RuntimeError ErrorRaisedBy(const std::function<void()>& call) {
    try {
        call();
    } catch (const RuntimeError& error) {
        return error;
    }
    return RuntimeError(0, "no error");
}

// The number, and the description into `description` when one is asked for.
inline int32_t NumberRaisedBy(const std::function<void()>& call, std::string* description = nullptr) {
    const RuntimeError error = ErrorRaisedBy(call);
    if (description && error.Number() != 0) *description = error.Description();
    return error.Number();
}

}  // namespace tarvex::test
