#include "app/win/frmSync_win.h"

#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <optional>
#include <thread>

#include "app/SyncFields.h"
#include "app/win/ControlIds.h"
#include "app/win/EmptyDialog_win.h"
#include "app/win/FileArguments_win.h"
#include "base/FileRoutines.h"
#include "base/FileSystem.h"
#include "base/PathNames.h"
#include "base/RuntimeError.h"
#include "controls/cmdlg/CommonDialogError.h"
#include "controls/host/WideText_win.h"

namespace tarvex::win {

namespace {

using host::WindowText;

constexpr double kSyncClientWidth = 5400;   // twips
constexpr double kSyncClientHeight = 4380;  // twips
constexpr double kRight = 5280;             // the right edge of the widest controls, twips
constexpr wchar_t kSyncTitle[] = L"Sync";
// From the worker: wParam is the search's serial; lParam the stage times
// 10000 plus the stage's share done in thousandths.
constexpr UINT kSearchProgress = WM_APP + 1;
constexpr UINT kSearchDone = WM_APP + 2;
constexpr int kBarSteps = 1000;

bool Checked(HWND button) {
    return SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SetChecked(HWND button, bool checked) {
    SendMessageA(button, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

}  // namespace

// What the dialog and its worker share. The worker tells the dialog only
// while Window is set: a search given up keeps running to its next look at
// Cancel, and then ends without a word.
struct frmSync::Search {
    std::atomic<bool> Cancel{false};
    std::mutex Lock;
    HWND Window = nullptr;
    WPARAM Serial = 0;
    std::optional<SyncFinding> Finding;
    std::optional<RuntimeError> Failure;

    void Tell(UINT message, LPARAM detail) {
        std::lock_guard<std::mutex> hold(Lock);
        if (Window) PostMessageA(Window, message, Serial, detail);
    }
    void GiveUp() {
        Cancel = true;
        std::lock_guard<std::mutex> hold(Lock);
        Window = nullptr;
    }
};

frmSync::frmSync(std::string inputPath, SyncChoice choice)
    : EmptyDialog(kSyncTitle, kSyncClientWidth, kSyncClientHeight),
      inputPath_(std::move(inputPath)),
      choice_(std::move(choice)) {}

void frmSync::ShowCaughtError() {
    ShowErrorReport(prompts_, CaughtError());
}

frmSync::~frmSync() {
    if (search_) search_->GiveUp();
}

// Created in the order Tab takes, each label just before its field so that
// its access key reaches the field. The two ways are apart on the screen, so
// each option button is a stop of its own and the dialog checks them itself.
HWND frmSync::Start() {
    namespace id = ControlId;
    prompts_.SetOwner(Handle());
    cmdlg::DialogOwner host;
    host.ContainerWindow = [window = Handle()]() -> void* { return window; };
    cmDlg.SetHost(std::move(host));
    const DWORD edit = WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
    const DWORD option = BS_RADIOBUTTON | WS_TABSTOP;
    optReference = AddControl("BUTTON", option, id::optReference, 120, 120, kRight - 120, 255,
                              "To a &reference: a film, a sound file or a subtitle in time");
    lblReference = AddControl("STATIC", 0, id::lblReference, 360, 495, 600, 255, "Pat&h :");
    txtReference = AddControl("EDIT", edit, id::txtReference, 960, 465, 3120, 285, "");
    cmdBrowse = AddControl("BUTTON", BS_PUSHBUTTON | WS_TABSTOP, id::cmdBrowse, 4200, 450, 1080, 315, "&Browse...");
    chkCuts = AddControl("BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, id::chkCuts, 960, 870, 1800, 255, "Allow &cuts");
    chkSpeed = AddControl("BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, id::chkSpeed, 2880, 870, 2400, 255, "Correct &speed");
    optTwoLines = AddControl("BUTTON", option, id::optTwoLines, 120, 1275, kRight - 120, 255,
                             "By t&wo lines: the times two cues should start at");
    const char* cueLabels[] = {"First cue &number :", "Second cue nu&mber :"};
    const char* timeLabels[] = {"its &time :", "&its time :"};
    for (int line = 0; line < 2; ++line) {
        const double top = 1635 + line * 375;
        lblCue[line] = AddControl("STATIC", 0, id::lblCue0 + line, 360, top + 30, 1740, 255, cueLabels[line]);
        txtCue[line] = AddControl("EDIT", edit | ES_NUMBER, id::txtCue0 + line, 2160, top, 660, 285, "");
        lblTime[line] = AddControl("STATIC", 0, id::lblTime0 + line, 2940, top + 30, 840, 255, timeLabels[line]);
        txtTime[line] = AddControl("EDIT", edit, id::txtTime0 + line, 3840, top, kRight - 3840, 285, "");
    }
    lblStage = AddControl("STATIC", SS_NOPREFIX, id::lblStage, 120, 2490, kRight - 120, 255, "");
    prgFind = AddControl(PROGRESS_CLASSA, 0, id::prgFind, 120, 2790, kRight - 120, 240, "");
    SendMessageA(prgFind, PBM_SETRANGE32, 0, kBarSteps);
    txtFinding = AddControl("EDIT", WS_BORDER | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL,
                            id::txtFinding, 120, 3135, kRight - 120, 720, "");
    cmdFind = AddControl("BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP, id::cmdFind, 2040, 3960, 1020, 350, "&Find");
    cmdApply = AddControl("BUTTON", BS_PUSHBUTTON | WS_TABSTOP, id::cmdApply, 3150, 3960, 1020, 350, "&Apply");
    cmdClose = AddControl("BUTTON", BS_PUSHBUTTON | WS_TABSTOP, IDCANCEL, 4260, 3960, 1020, 350, "Cl&ose");

    SetChecked(chkCuts, choice_.AllowCuts);
    SetChecked(chkSpeed, choice_.CorrectSpeed);
    for (HWND time : txtTime) SetWindowTextA(time, "00:00:00,000");
    DragAcceptFiles(Handle(), TRUE);
    SetMode(false);
    MakeDefault(cmdFind);
    return txtReference;
}

void frmSync::SetMode(bool byTwoLines) {
    byTwoLines_ = byTwoLines;
    SetChecked(optReference, !byTwoLines);
    SetChecked(optTwoLines, byTwoLines);
    ShowSearching(search_ != nullptr);
}

void frmSync::ShowSearching(bool searching) {
    const bool idle = !searching;
    EnableWindow(optReference, idle);
    EnableWindow(optTwoLines, idle);
    for (HWND part : {lblReference, txtReference, cmdBrowse, chkCuts, chkSpeed})
        EnableWindow(part, idle && !byTwoLines_);
    for (int line = 0; line < 2; ++line)
        for (HWND part : {lblCue[line], txtCue[line], lblTime[line], txtTime[line]})
            EnableWindow(part, idle && byTwoLines_);
    // A fit that changes nothing is not worth a backup of the file.
    EnableWindow(cmdApply, idle && found_ && !finding_.Map.IsIdentity());
    SetWindowTextA(cmdFind, searching ? "Canc&el" : "&Find");
}

void frmSync::MakeDefault(HWND button) {
    SendMessageA(Handle(), DM_SETDEFID, static_cast<WPARAM>(GetDlgCtrlID(button)), 0);
    for (HWND push : {cmdFind, cmdApply})
        SendMessageA(push, BM_SETSTYLE, push == button ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void frmSync::ForgetFinding() {
    if (!found_) return;
    found_ = false;
    SetWindowTextA(txtFinding, "");
    SetWindowTextA(lblStage, "");
    SendMessageA(prgFind, PBM_SETPOS, 0, 0);
    // Apply goes off; if it had the focus, Enter and Esc would go with it.
    const bool applyFocused = GetFocus() == cmdApply;
    ShowSearching(search_ != nullptr);
    MakeDefault(cmdFind);
    if (applyFocused) SendMessageA(Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(cmdFind), TRUE);
}

void frmSync::TakeReference(const std::string& path) {
    if (path.empty()) return;
    SetMode(false);
    SetWindowTextA(txtReference, path.c_str());
    choice_.Folder = FolderOf(path);
}

void frmSync::cmdBrowse_Click() {
    try {
        cmDlg.SetCancelError(true);
        cmDlg.SetMultiSelect(false);
        cmDlg.SetDialogTitle("Select Reference");
        cmDlg.SetFilter(kReferenceFilter);
        const std::string folder =
            !choice_.Folder.empty() && FolderExists(choice_.Folder) ? choice_.Folder : FolderOf(inputPath_);
        cmDlg.SetInitialDir(folder);
        cmDlg.SetFilterIndex(1);
        cmDlg.ShowOpen();
        if (!cmDlg.cFileName || cmDlg.cFileName->Count() == 0) return;
        TakeReference(cmDlg.cFileName->Item(1));
        // Finding is what comes next: Enter should do it, not browse again.
        SendMessageA(Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(cmdFind), TRUE);
    } catch (const cmdlg::CommonDialogError&) {
        // Cancel (and any other failure of the dialog) leaves the box as it was.
    }
}

void frmSync::Form_DragDrop(HDROP drop) {
    const std::string path = FirstDroppedFile(drop);
    DragFinish(drop);
    // A search under way keeps the reference it started with.
    if (!search_) TakeReference(path);
}

void frmSync::cmdFind_Click() {
    if (search_) return CancelSearch("Find cancelled: nothing was written.");
    SyncRequest request;
    request.ByTwoLines = byTwoLines_;
    request.ReferenceText = WindowText(txtReference);
    request.AllowCuts = Checked(chkCuts);
    request.CorrectSpeed = Checked(chkSpeed);
    for (int line = 0; line < 2; ++line) {
        request.CueTexts[line] = WindowText(txtCue[line]);
        request.TimeTexts[line] = WindowText(txtTime[line]);
    }
    SyncCheck check = CheckSyncInputs(inputPath_, request, SystemFileSystem());
    if (!check.Accepted) return prompts_.ShowMessage(check.Text, check.Title, check.Icon);
    if (!byTwoLines_) choice_.Folder = FolderOf(check.Options.ReferencePath);
    ForgetFinding();
    StartSearch(check.Options);
}

void frmSync::StartSearch(const SyncOptions& options) {
    auto search = std::make_shared<Search>();
    search->Window = Handle();
    search->Serial = ++searchSerial_;
    std::thread worker([search, input = inputPath_, options] {
        int lastStage = -1, lastPercent = -1;
        const SyncProgress progress = [&](SyncStage stage, double fraction) {
            const int permille = fraction > 0 ? static_cast<int>(std::min(fraction, 1.0) * kBarSteps) : 0;
            // A message per whole percent: each one redraws the bar.
            if (static_cast<int>(stage) == lastStage && permille / 10 == lastPercent) return;
            lastStage = static_cast<int>(stage);
            lastPercent = permille / 10;
            search->Tell(kSearchProgress, lastStage * 10000 + permille);
        };
        try {
            SyncFinding finding = FindSync(input, options, progress, &search->Cancel);
            std::lock_guard<std::mutex> hold(search->Lock);
            search->Finding = std::move(finding);
        } catch (...) {
            RuntimeError failure = CaughtError();
            std::lock_guard<std::mutex> hold(search->Lock);
            search->Failure = std::move(failure);
        }
        search->Tell(kSearchDone, 0);
    });
    worker.detach();
    search_ = std::move(search);
    SetWindowTextA(lblStage, SyncProgressText(SyncStage::Reading, 0).c_str());
    SendMessageA(prgFind, PBM_SETPOS, 0, 0);
    ShowSearching(true);
    // The inputs are locked: the focus stays where Cancel is.
    SendMessageA(Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(cmdFind), TRUE);
}

void frmSync::CancelSearch(const char* why) {
    if (!search_) return;
    search_->GiveUp();
    search_.reset();
    SetWindowTextA(lblStage, why);
    SendMessageA(prgFind, PBM_SETPOS, 0, 0);
    ShowSearching(false);
}

void frmSync::SearchProgress(WPARAM serial, LPARAM stageAndPermille) {
    if (!search_ || serial != searchSerial_) return;  // from a search given up
    const auto stage = static_cast<SyncStage>(stageAndPermille / 10000);
    const int permille = static_cast<int>(stageAndPermille % 10000);
    SetWindowTextA(lblStage, SyncProgressText(stage, permille / double(kBarSteps)).c_str());
    SendMessageA(prgFind, PBM_SETPOS, static_cast<WPARAM>(permille), 0);
}

void frmSync::SearchDone(WPARAM serial) {
    if (!search_ || serial != searchSerial_) return;
    std::optional<SyncFinding> finding;
    std::optional<RuntimeError> failure;
    {
        std::lock_guard<std::mutex> hold(search_->Lock);
        finding = std::move(search_->Finding);
        failure = std::move(search_->Failure);
    }
    search_.reset();
    if (finding) {
        finding_ = std::move(*finding);
        found_ = true;
        SetWindowTextA(lblStage, "Done: nothing is written until you apply it.");
        SendMessageA(prgFind, PBM_SETPOS, kBarSteps, 0);
        SetWindowTextA(txtFinding, FindingText(finding_).c_str());
        ShowSearching(false);
        if (IsWindowEnabled(cmdApply)) {
            MakeDefault(cmdApply);
            SendMessageA(Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(cmdApply), TRUE);
        }
        return;
    }
    SendMessageA(prgFind, PBM_SETPOS, 0, 0);
    ShowSearching(false);
    const RuntimeError error = failure ? *failure : RuntimeError(ErrorNumber::InternalError);
    SetWindowTextA(lblStage, kStatusFailed);
    SetWindowTextA(txtFinding, ErrorReportText(error).c_str());
    ShowErrorReport(prompts_, error);
}

void frmSync::cmdApply_Click() {
    if (search_ || !found_ || !IsWindowEnabled(cmdApply)) return;
    if (!finding_.Trusted && !prompts_.AskYesNo(WeakFindingQuestion(finding_), kWeakFindingTitle)) return;
    Finish(true);
}

void frmSync::Finish(bool applied) {
    if (finished_) return;
    finished_ = true;
    if (search_) CancelSearch("");
    choice_.AllowCuts = Checked(chkCuts);
    choice_.CorrectSpeed = Checked(chkSpeed);
    EndDialog(Handle(), applied ? IDOK : IDCANCEL);
}

bool frmSync::OnCommand(int id, int code) {
    namespace cid = ControlId;
    const bool clicked = code == BN_CLICKED;
    switch (id) {
        case IDOK:
            // Enter where no button has the focus: the default one.
            if (IsWindowEnabled(cmdApply) && found_) {
                cmdApply_Click();
            } else {
                cmdFind_Click();
            }
            return true;
        case IDCANCEL: Finish(false); return true;
        case cid::cmdFind:
            if (clicked) cmdFind_Click();
            return true;
        case cid::cmdApply:
            if (clicked) cmdApply_Click();
            return true;
        case cid::cmdBrowse:
            if (clicked) cmdBrowse_Click();
            return true;
        case cid::optReference:
        case cid::optTwoLines:
            if (clicked && !search_) {
                SetMode(id == cid::optTwoLines);
                ForgetFinding();
            }
            return true;
        case cid::chkCuts:
        case cid::chkSpeed:
            if (clicked) ForgetFinding();
            return true;
        default: break;
    }
    // A finding belongs to the fields it was found with.
    if (code == EN_CHANGE && id != cid::txtFinding) ForgetFinding();
    return false;
}

INT_PTR frmSync::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND: return OnCommand(LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
        case WM_DROPFILES: Form_DragDrop(reinterpret_cast<HDROP>(wParam)); return TRUE;
        case kSearchProgress: SearchProgress(wParam, lParam); return TRUE;
        case kSearchDone: SearchDone(wParam); return TRUE;
        case WM_CLOSE: Finish(false); return TRUE;
        default: return FALSE;
    }
}

}  // namespace tarvex::win
