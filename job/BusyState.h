#pragma once
// The busy pointer for the length of one run. The front end that starts a run
// owns it; it ends when the owner's scope does, whatever way the run took.
// The run may end it sooner (through RunEnvironment::Busy), so that the
// pointer is back before its closing message boxes.

#include "job/ProgressPanel.h"

namespace tarvex {

class BusyState {
public:
    explicit BusyState(ProgressPanel& panel) : panel_(&panel) { panel.SetBusy(true); }
    ~BusyState() { End(); }
    BusyState(const BusyState&) = delete;
    BusyState& operator=(const BusyState&) = delete;

    void End() {
        if (panel_ == nullptr) return;
        panel_->SetBusy(false);
        panel_ = nullptr;
    }

private:
    ProgressPanel* panel_;
};

}  // namespace tarvex
