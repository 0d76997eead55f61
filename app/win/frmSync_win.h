#pragma once
// frmSync: the Sync dialog, modal to the main window. The subtitle is fitted
// either to a reference (a film, a sound file or a subtitle in time, typed,
// browsed for or dropped, with cuts and a speed change allowed or not) or to
// two cues placed by the user. Find searches on a worker thread while the
// dialog keeps answering, and Cancel (the same button meanwhile) gives it up
// at once; the fit found is shown in words, and only Apply hands it to the
// main window, which writes the file as Process does.

#include <windows.h>

#include <memory>
#include <string>

#include "app/WindowSettings.h"
#include "app/win/EmptyDialog_win.h"
#include "app/win/MessageBoxPrompts_win.h"
#include "controls/cmdlg/epCmDlg.h"
#include "sync/SyncRun.h"

namespace tarvex::win {

class frmSync : public EmptyDialog {
public:
    frmSync(std::string inputPath, SyncChoice choice);
    ~frmSync() override;

    // Once ShowModal has answered true (closed by Apply; for a weak fit,
    // only once the user said to apply it anyway), the fit to write.
    const SyncFinding& Finding() const { return finding_; }
    // The reference's folder and the check boxes, as the dialog left them.
    const SyncChoice& Choice() const { return choice_; }

private:
    struct Search;

    HWND Start() override;
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void ShowCaughtError() override;
    bool OnCommand(int id, int code);
    void SetMode(bool byTwoLines);
    void cmdBrowse_Click();
    void TakeReference(const std::string& path);
    void Form_DragDrop(HDROP drop);
    void cmdFind_Click();
    void StartSearch(const SyncOptions& options);
    void CancelSearch(const char* why);
    void SearchProgress(WPARAM serial, LPARAM stageAndPermille);
    void SearchDone(WPARAM serial);
    void cmdApply_Click();
    void ForgetFinding();
    // Inputs are locked while a search runs; Find becomes Cancel meanwhile.
    void ShowSearching(bool searching);
    void MakeDefault(HWND button);
    void Finish(bool applied);

    std::string inputPath_;
    SyncChoice choice_;
    SyncFinding finding_;
    bool found_ = false;
    MessageBoxPrompts prompts_;
    cmdlg::epCmDlg cmDlg;
    HWND optReference = nullptr, lblReference = nullptr, txtReference = nullptr, cmdBrowse = nullptr;
    HWND chkCuts = nullptr, chkSpeed = nullptr, optTwoLines = nullptr;
    HWND lblCue[2] = {}, txtCue[2] = {}, lblTime[2] = {}, txtTime[2] = {};
    HWND lblStage = nullptr, prgFind = nullptr, txtFinding = nullptr;
    HWND cmdFind = nullptr, cmdApply = nullptr, cmdClose = nullptr;
    bool byTwoLines_ = false;
    // The search under way, shared with its worker, which may outlive the
    // dialog once given up; the serial tells its messages from older ones.
    std::shared_ptr<Search> search_;
    WPARAM searchSerial_ = 0;
    bool finished_ = false;
};

}  // namespace tarvex::win
