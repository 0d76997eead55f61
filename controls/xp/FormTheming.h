#pragma once
// The form-wide passes of the theme services over a form's control list.
// The platform answers (themed or not, the theme font, running pending
// messages, asking the user) come in as arguments.

#include <functional>
#include <string>
#include <vector>

#include "controls/host/ParentForm.h"
#include "controls/xp/ResumableSteps.h"

namespace tarvex::xp {

// Every control of the form, in order. Themed forms move controls tagged
// "OnXpBox" 2 pixels up and left; text boxes tagged "ThemeMyFont" and every
// other control with a font get `themeFontName`. Failures are skipped.
std::vector<host::FormControl*> ThemeFormControlsOn(host::ParentForm& form, bool themed,
                                                    const std::string& themeFontName,
                                                    const std::function<void()>& runPendingMessages);

// Refreshes every group box and option/check button of the form. A failure
// is put to `ask` with its report text; No ends the pass with False.
bool RefreshXpControlsOn(host::ParentForm& form, const std::function<bool(const std::string& report)>& ask);

}  // namespace tarvex::xp
