#pragma once
// Steps of the self-drawn controls whose failure costs only looks: a theme
// part or font the system will not give, a container with no image to copy
// the background from, a form control that refuses a property. The control
// keeps its previous face; reporting would interrupt painting or the form's
// start-up for a cosmetic detail the next paint may well get right.

namespace tarvex::host {

// Runs `step`; answers false (and nothing else happens) when it throws.
template <class Step>
bool IgnoreFailure(Step&& step) noexcept {
    try {
        step();
        return true;
    } catch (...) {
        return false;
    }
}

}  // namespace tarvex::host
