#pragma once
// A request from outside (Ctrl+C, a closed console) to stop the run under
// way. Long work polls it between pieces and stops through its failure path,
// so that nothing half-done is left behind.

namespace tarvex {

// Safe to call from a signal handler or a console control thread.
void RequestInterruption();
bool InterruptionRequested();
void ClearInterruption();

// Throws error 18 (User interrupt occurred) once an interruption is requested.
void StopIfInterrupted();

}  // namespace tarvex
