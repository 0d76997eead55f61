#include "controls/xp/FormTheming.h"

#include "controls/xp/ThemeClasses.h"

namespace tarvex::xp {

using host::ControlKind;
using host::HostedControl;

namespace {

bool TagHas(const HostedControl& control, const char* word) {
    return control.Tag().find(word) != std::string::npos;
}

// Each statement of the pass on its own: one failing control property must
// not stop the rest.
template <class Step>
void Ignoring(Step step) {
    try {
        step();
    } catch (...) {
    }
}

}  // namespace

std::vector<HostedControl*> ThemeFormControlsOn(host::FormHost& form, bool themed, const std::string& themeFontName,
                                                const std::function<void()>& runPendingMessages) {
    std::vector<HostedControl*> collected;
    std::vector<HostedControl*> controls;
    Ignoring([&] { controls = form.Controls(); });
    for (HostedControl* control : controls) {
        collected.push_back(control);
        Ignoring([&] {
            if (themed && TagHas(*control, kTagOnXpBox)) {
                control->SetTop(control->Top() - 2 * form.TwipsPerPixelY());
                control->SetLeft(control->Left() - 2 * form.TwipsPerPixelX());
            }
        });
        Ignoring([&] {
            if (control->Kind() == ControlKind::TextBox) {
                if (TagHas(*control, kTagThemeMyFont) && control->HasFont()) control->SetFontName(themeFontName);
                return;
            }
            if (!control->HasFont()) return;
            control->SetFontName(themeFontName);
            if (control->Kind() == ControlKind::Label) control->Refresh();
        });
        Ignoring(runPendingMessages);
    }
    return collected;
}

bool RefreshXpControlsOn(host::FormHost& form, const std::function<bool(const std::string& report)>& ask) {
    auto onFailure = [&](const XpFailure& failure) { return ask(RefreshXpControlsReport(failure, form.Name())); };
    std::vector<HostedControl*> controls;
    if (!RunResumable({[&] { controls = form.Controls(); }}, onFailure)) return false;
    for (HostedControl* control : controls) {
        const bool goOn = RunResumable({[&] {
                                           const ControlKind kind = control->Kind();
                                           if (kind == ControlKind::GroupBox || kind == ControlKind::OptionCheck)
                                               control->Refresh();
                                       }},
                                       onFailure);
        if (!goOn) return false;
    }
    return true;
}

}  // namespace tarvex::xp
