#pragma once
// Set once at start-up: true when the system's major version is exactly 6.
// The themed progress bar insets its chunk less on such systems.

namespace tarvex {

extern bool IsVista;

}  // namespace tarvex
