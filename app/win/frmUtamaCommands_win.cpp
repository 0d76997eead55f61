// The commands of the main window and its progress display.

#include <windows.h>

#include "app/win/ProgramInfo_win.h"
#include "app/win/RegistrySettings_win.h"
#include "app/win/frmUtama_win.h"
#include "base/FileRoutines.h"
#include "base/FileSystem.h"
#include "base/LegacyEncoding.h"
#include "base/PathNames.h"
#include "base/TextTrim.h"
#include "controls/cmdlg/CommonDialogError.h"
#include "controls/host/WideText_win.h"
#include "job/BusyState.h"
#include "job/ProcessCheck.h"
#include "job/RunEnvironment.h"
#include "subtitle/TimeShiftRun.h"
#include "translate/TranslateRun.h"
#include "translate/http/MessagePump.h"

namespace tarvex::win {

namespace {

using host::WindowText;

}  // namespace

void frmUtama::SetTotal(int32_t total) {
    FrameTeks->SetCaption(TotalCaption(total));
}

// Both runs give the percentage first and the counter after it, so the
// counter decides when the two are drawn; outside a run every change shows.
void frmUtama::SetCounter(int32_t done, int32_t total) {
    shownDone_ = done;
    shownTotal_ = total;
    const auto now = RedrawPace::Clock::now();
    if (progressPace_.Due(!busy_ || done == total, now)) return DrawProgress();
    ScheduleHeldProgress(now);
}

void frmUtama::ScheduleHeldProgress(RedrawPace::Clock::time_point now) {
    if (const auto delay = progressPace_.PendingDelay(now)) {
        const auto milliseconds = std::chrono::ceil<std::chrono::milliseconds>(*delay).count();
        SetTimer(Handle(), kTmrProgress, static_cast<UINT>(std::max<long long>(USER_TIMER_MINIMUM, milliseconds)),
                 nullptr);
    }
}

void frmUtama::TmrProgress_Timer() {
    KillTimer(Handle(), kTmrProgress);
    const auto now = RedrawPace::Clock::now();
    if (progressPace_.PendingDue(now)) return DrawProgress();
    // Early by the timer's rounding: try again when it is due.
    ScheduleHeldProgress(now);
}

void frmUtama::SetPercentage(int percentage) {
    shownPercentage_ = percentage;
    if (!busy_) DrawProgress();
}

void frmUtama::DrawProgress() {
    const auto start = RedrawPace::Clock::now();
    // Only what changed: the frame's repaint is the dear part.
    if (shownDone_ != drawnDone_ || shownTotal_ != drawnTotal_) {
        SetWindowTextA(lblKirim, CounterCaption(shownDone_, shownTotal_).c_str());
        drawnDone_ = shownDone_;
        drawnTotal_ = shownTotal_;
    }
    if (shownPercentage_ != drawnPercentage_) {
        Progress1->SetPercentage(shownPercentage_);
        drawnPercentage_ = shownPercentage_;
    }
    progressPace_.Drew(RedrawPace::Clock::now() - start);
}

void frmUtama::DrawPendingProgress() {
    if (progressPace_.TakePending()) DrawProgress();
}

void frmUtama::SetStatus(const std::string& status) {
    DrawPendingProgress();
    SetWindowTextA(Label5, status.c_str());
}

void frmUtama::SetBusy(bool busy) {
    if (!busy) DrawPendingProgress();
    busy_ = busy;
    SetCommandsEnabled(!busy);
    // The time-shift run handles no messages while it works: set the pointer now.
    POINT cursor;
    RECT button;
    GetCursorPos(&cursor);
    GetWindowRect(cmdProses, &button);
    if (PtInRect(&button, cursor)) SetCursor(LoadCursorA(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

void frmUtama::SetCommandsEnabled(bool enabled) {
    EnableWindow(cmdBuka, enabled);
    EnableWindow(cmdTutup, enabled);
    EnableWindow(cmdService, enabled);
    // Process and Sync follow the path rule again once the run is over.
    if (enabled) {
        Text1_Change();
    } else {
        EnableWindow(cmdProses, FALSE);
        EnableWindow(cmdSync, FALSE);
    }
}

void frmUtama::ResetProgressDisplay() {
    SetTotal(0);
    SetStatus(kStatusNotStarting);
    SetCounter(0, 0);
    SetPercentage(0);
}

void frmUtama::Text1_Change() {
    if (busy_) return;
    const BOOL usable = ProcessEnabledFor(WindowText(Text1), SystemFileSystem()) ? TRUE : FALSE;
    EnableWindow(cmdProses, usable);
    EnableWindow(cmdSync, usable);
}

void frmUtama::cmdBuka_Click() {
    if (busy_) return;
    try {
        cmDlg.SetCancelError(true);
        cmDlg.SetMultiSelect(false);
        cmDlg.SetDialogTitle("Select Input Subtitle");
        cmDlg.SetFilter(
            "File Subtitle (*.srt;*.txt;*.vtt;*.ass;*.ssa)|*.srt;*.txt;*.vtt;*.ass;*.ssa|SRT File Format "
            "(*.srt)|*.srt|TXT Simple Time Format (*.txt)|*.txt|WebVTT (*.vtt)|*.vtt|ASS/SSA Subtitles "
            "(*.ass;*.ssa)|*.ass;*.ssa|All File (*.*)|*.*|");
        bool remembered = !RememberedFolder.empty() && FolderExists(RememberedFolder);
        cmDlg.SetInitialDir(remembered ? RememberedFolder : ProgramFolder());
        cmDlg.SetFilterIndex(1);
        cmDlg.ShowOpen();
        if (!cmDlg.cFileName || cmDlg.cFileName->Count() == 0) return;
        OpenInputFile(cmDlg.cFileName->Item(1));
    } catch (const cmdlg::CommonDialogError&) {
        // Cancel (and any other failure of the dialog) ends Open without a word.
    } catch (const RuntimeError&) {
    }
}

void frmUtama::OpenInputFile(const std::string& chosenPath) {
    std::string path(TrimSpaces(chosenPath));
    SetWindowTextA(Text1, path.c_str());
    RememberedFolder = FolderOf(path);
    TranslateNameNumber = 0;
    ShiftNameNumber = 0;
    ResetProgressDisplay();
}

void frmUtama::cmdProses_Click() {
    if (busy_ || !IsWindowEnabled(cmdProses)) return;
    ProcessRequest request;
    request.ActiveTab = ActiveTab;
    request.PathText = WindowText(Text1);
    request.MinutesText = WindowText(cmbMenit);
    request.SecondsText = WindowText(cmbDetik);
    for (size_t index = 0; index < rdTambah.size(); ++index)
        request.ModeSelected[index] = rdTambah[index]->Value() == 1;
    request.SourceLanguage = WindowText(comFrom);
    request.TargetLanguage = WindowText(comLan);
    ProcessDecision decision = CheckProcessInputs(request, SystemFileSystem());
    if (!decision.Accepted) {
        prompts_.ShowMessage(decision.Text, decision.Title, decision.Icon);
        return;
    }
    std::shared_ptr<const Service> api;
    if (decision.Settings.Job == JobKind::Translate && !(api = ChosenService(decision.Settings))) return;
    SetStatus(kStatusRunning);
    BusyState busy(*this);
    RunJob(decision.Settings, busy, std::move(api));
}

bool frmUtama::RunJob(const JobSettings& settings, BusyState& busy, std::shared_ptr<const Service> api) {
    RunEnvironment environment{*this, prompts_, SystemFileSystem(), ShiftNameNumber, TranslateNameNumber, &busy};
    if (settings.Job == JobKind::TimeShift) return RunTimeShift(settings, environment);
    // The window keeps answering while each reply is awaited.
    ConnectionSettings service{
        .Timeout = api->Limits().Timeout, .Jobs = JobsFor(0, *api), .RunBlocking = RunWhilePumpingMessages, .Api = api};
    // A file that is not UTF-8 is read in the user's own ANSI code page;
    // an earlier partial output may be carried on if the user says so.
    TranslationOptions options{DefaultLegacyEncoding(), ResumeChoice::Ask};
    return RunTranslation(settings.InputPath, settings.SourceLanguage, settings.TargetLanguage, environment, service,
                          IsConnected, options);
}

void frmUtama::cmdTutup_Click() {
    if (busy_) return;
    PostMessageA(Handle(), WM_CLOSE, 0, 0);
}

WindowSettings frmUtama::CurrentSettings() const {
    WindowSettings settings;
    settings.ActiveTab = ActiveTab;
    settings.RememberedFolder = RememberedFolder;
    settings.SourceLanguage = WindowText(comFrom);
    settings.TargetLanguage = WindowText(comLan);
    settings.Service = service_;
    return settings;
}

void frmUtama::Form_Unload() {
    if (unloaded_) return;
    unloaded_ = true;
    RegistrySettings store(ProgramTitle(), "Options");
    try {
        SaveWindowSettings(store, CurrentSettings());
    } catch (const RuntimeError& error) {
        ShowErrorReport(prompts_, error);
    }
}

}  // namespace tarvex::win
