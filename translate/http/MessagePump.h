#pragma once
// Blocking work run from a window's thread without freezing the window:
// the work runs on a worker thread while the calling thread keeps handling
// its messages, sleeping in between (no busy loop). An exception thrown by
// the work is thrown again on the calling thread.

#include <functional>

namespace tarvex {

void RunWhilePumpingMessages(const std::function<void()>& work);
// The same from a modal dialog, whose keys (Tab, Enter, Esc, access keys)
// keep working meanwhile; `dialog` is its window handle.
void RunWhileDialogAnswers(const std::function<void()>& work, void* dialog);

}  // namespace tarvex
