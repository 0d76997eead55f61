#include "controls/xp/FormTheming.h"

#include "controls/host/IgnoreFailure.h"
#include "controls/xp/ThemeClasses.h"

namespace tarvex::xp {

using host::ControlKind;
using host::FormControl;

namespace {

bool TagHas(const FormControl& control, const char* word) {
    return control.Tag().find(word) != std::string::npos;
}

}  // namespace

std::vector<FormControl*> ThemeFormControlsOn(host::ParentForm& form, bool themed, const std::string& themeFontName,
                                              const std::function<void()>& runPendingMessages) {
    std::vector<FormControl*> collected;
    std::vector<FormControl*> controls;
    host::IgnoreFailure([&] { controls = form.Controls(); });
    for (FormControl* control : controls) {
        collected.push_back(control);
        host::IgnoreFailure([&] {
            if (themed && TagHas(*control, kTagOnXpBox)) {
                control->SetTop(control->Top() - 2 * form.TwipsPerPixelY());
                control->SetLeft(control->Left() - 2 * form.TwipsPerPixelX());
            }
        });
        host::IgnoreFailure([&] {
            if (control->Kind() == ControlKind::TextBox) {
                if (TagHas(*control, kTagThemeMyFont) && control->HasFont()) control->SetFontName(themeFontName);
                return;
            }
            if (!control->HasFont()) return;
            control->SetFontName(themeFontName);
            if (control->Kind() == ControlKind::Label) control->Refresh();
        });
        host::IgnoreFailure(runPendingMessages);
    }
    return collected;
}

bool RefreshXpControlsOn(host::ParentForm& form, const std::function<bool(const std::string& report)>& ask) {
    auto onFailure = [&](const XpFailure& failure) { return ask(RefreshXpControlsReport(failure, form.Name())); };
    std::vector<FormControl*> controls;
    if (!RunResumable({[&] { controls = form.Controls(); }}, onFailure)) return false;
    for (FormControl* control : controls) {
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
