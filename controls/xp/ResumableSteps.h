#pragma once
// The theme services go on after a failure when the user asks them to: a
// failing step is reported, and a Yes answer resumes with the next step.

#include <exception>
#include <functional>
#include <new>
#include <vector>

#include "base/RuntimeError.h"
#include "controls/xp/XpErrorReport.h"

namespace tarvex::xp {

// The failure behind the exception being handled.
inline XpFailure CurrentFailure() {
    try {
        throw;
    } catch (const RuntimeError& error) {
        return {error.Number(), error.Description()};
    } catch (const std::bad_alloc&) {
        return {ErrorNumber::OutOfMemory, StandardDescription(ErrorNumber::OutOfMemory)};
    } catch (const std::exception& error) {
        return {ErrorNumber::InvalidCall, error.what()};
    } catch (...) {
        return {ErrorNumber::InvalidCall, StandardDescription(ErrorNumber::InvalidCall)};
    }
}

// Answers whether to go on after the failure (true: continue).
using ContinueAfterFailure = std::function<bool(const XpFailure&)>;

// Runs the steps in order. Returns false when a failure was answered No; the
// steps after it are then skipped.
inline bool RunResumable(const std::vector<std::function<void()>>& steps, const ContinueAfterFailure& onFailure) {
    for (const auto& step : steps) {
        try {
            step();
        } catch (...) {
            if (!onFailure(CurrentFailure())) return false;
        }
    }
    return true;
}

}  // namespace tarvex::xp
