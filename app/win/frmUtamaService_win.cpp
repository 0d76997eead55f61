// The translation service of the main window: the Service button's dialog,
// and the service Process hands to the run.

#include <windows.h>

#include "app/ServiceFields.h"
#include "app/win/ProgramInfo_win.h"
#include "app/win/RegistrySettings_win.h"
#include "app/win/frmService_win.h"
#include "app/win/frmUtama_win.h"
#include "base/RuntimeError.h"
#include "controls/host/WideText_win.h"
#include "job/ProcessCheck.h"

namespace tarvex::win {

namespace {

using host::WindowText;

}  // namespace

void frmUtama::cmdService_Click() {
    if (busy_) return;
    try {
        frmService dialog(service_, WindowText(comFrom), WindowText(comLan));
        if (!dialog.ShowModal(Handle())) return;
        service_ = dialog.Choice();
        // Kept at once: a window that never closes normally loses nothing.
        RegistrySettings store(ProgramTitle(), "Options");
        SaveServiceChoice(store, service_);
    } catch (const RuntimeError& error) {
        ShowErrorReport(prompts_, error);
    } catch (const std::exception& error) {
        ShowErrorReport(prompts_, RuntimeError(ErrorNumber::InvalidCall, error.what()));
    }
}

std::shared_ptr<const Service> frmUtama::ChosenService(const JobSettings& settings) {
    try {
        return MakeService(SettingsOf(service_, settings.SourceLanguage, settings.TargetLanguage));
    } catch (const RuntimeError& error) {
        prompts_.ShowMessage(error.Description(), kInformationTitle, MessageIcon::Exclamation);
    } catch (const std::exception& error) {
        ShowErrorReport(prompts_, RuntimeError(ErrorNumber::InvalidCall, error.what()));
    }
    return nullptr;
}

}  // namespace tarvex::win
