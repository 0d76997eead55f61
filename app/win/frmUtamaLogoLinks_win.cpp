// The logo animation, the About box and the donate picture of the main window.

#include <windows.h>

#include "app/LinkActions.h"
#include "app/win/OpenPage_win.h"
#include "app/win/frmAbout_win.h"
#include "app/win/frmUtama_win.h"
#include "base/FileRoutines.h"

namespace tarvex::win {

void frmUtama::SyncLogoTimer() {
    if (Logo.TimerEnabled == logoTimerRunning_) return;
    if (Logo.TimerEnabled) {
        SetTimer(Handle(), kTmrTarv, kLogoTimerMilliseconds, nullptr);
    } else {
        KillTimer(Handle(), kTmrTarv);
    }
    logoTimerRunning_ = Logo.TimerEnabled;
}

void frmUtama::tarvoAsli_MouseMove(double x, double y) {
    Logo.PointerMoved(x, y);
    SyncLogoTimer();
}

void frmUtama::tarvoAsli_MouseUp() {
    Logo.ButtonReleased();
    SyncLogoTimer();
}

void frmUtama::tarvoAsli_Click() {
    frmAbout about;
    about.ShowModal(Handle());
}

void frmUtama::TmrTarv_Timer() {
    LogoAnimation::Change change = Logo.Tick();
    if (change.ShowFrame) tarvoAsli->SetFrameVisible(change.ShowFrame, true);
    if (change.HideFrame) tarvoAsli->SetFrameVisible(change.HideFrame, false);
    SyncLogoTimer();
}

void frmUtama::Picture1_Click() {
    std::optional<ShellOpen> page = DonateClick(IsConnected(), prompts_);
    if (!page) return;
    OpenPage(Handle(), *page);
}

}  // namespace tarvex::win
