#pragma once
// frmUtama: the program's one working window. Fixed size, centred; the file
// frame with Open, the tab strip with the time-shift and translation pages,
// the progress frame, Process and Close. It is the host form of its themed
// controls, and its progress display is the runs' ProgressPanel.

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "app/LogoAnimation.h"
#include "app/RedrawPace.h"
#include "app/WindowSettings.h"
#include "app/win/LabelBackground_win.h"
#include "app/win/LogoView_win.h"
#include "app/win/MessageBoxPrompts_win.h"
#include "controls/cmdlg/epCmDlg.h"
#include "controls/host/ChildControl_win.h"
#include "controls/host/GdiHandles_win.h"
#include "controls/host/ThemedForm_win.h"
#include "controls/xp/XPOptionCheck_win.h"
#include "controls/xp/XpGroupBox_win.h"
#include "job/BusyState.h"
#include "job/JobSettings.h"
#include "job/ProgressPanel.h"
#include "translate/Languages.h"
#include "translate/services/Service.h"

namespace tarvex::win {

class frmUtama : public host::ThemedForm, public ProgressPanel {
public:
    // The logo animation's 50 ms timer.
    static constexpr UINT_PTR kTmrTarv = 1;
    // Draws a count the redraw pacing held back, once its interval is over.
    static constexpr UINT_PTR kTmrProgress = 2;

    frmUtama();
    ~frmUtama() override;

    // Creates the controls, applies the settings and the theme; the window
    // is shown afterwards by start-up.
    void Form_Load();
    // Takes files dropped on the window from now on, and opens the file named
    // on the command line, if any.
    void AcceptShellFiles();
    // Tab and Shift+Tab move the focus through the window's controls in
    // reading order, whatever lies over what; Enter on Open, Service, Sync or Close
    // presses that button (elsewhere it is Process's); F1 opens the About box.
    // True when the key was used.
    bool TakeNavigationKey(const MSG& message);

    // Window-level state.
    int16_t ActiveTab = 0;
    int32_t TabPageLeft = 0, TabPageTop = 0, TabPageRight = 0, TabPageBottom = 0;
    bool TabPagePainted = false;
    std::string RememberedFolder;
    LogoAnimation Logo;  // LogoStep, LogoClosing and whether TmrTarv runs
    int16_t TranslateNameNumber = 0, ShiftNameNumber = 0;

    // ProgressPanel: FrameTeks, lblKirim, Progress1, Label5 and the pointer.
    void SetTotal(int32_t total) override;
    void SetCounter(int32_t done, int32_t total) override;
    void SetPercentage(int percentage) override;
    void SetStatus(const std::string& status) override;
    void SetBusy(bool busy) override;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void AppearanceChanged(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // Event handlers.
    void OnCommand(HWND source, WORD code);
    void cmdBuka_Click();
    // What Open does with the file chosen, also for a file from the shell.
    void OpenInputFile(const std::string& chosenPath);
    void Form_DragDrop(HDROP drop);
    void cmdProses_Click();
    void cmdService_Click();
    // The Sync dialog on the file chosen; what it finds is written as
    // Process writes a shift.
    void cmdSync_Click();
    // The service the Service dialog set, made for the run's languages; none
    // after telling the user why it cannot be made.
    std::shared_ptr<const Service> ChosenService(const JobSettings& settings);
    void cmdTutup_Click();
    void TabStrip1_Click();
    void Text1_Change();
    void Form_Unload();
    void tarvoAsli_MouseMove(double x, double y);
    void tarvoAsli_MouseUp();
    void tarvoAsli_Click();
    void TmrTarv_Timer();
    void Picture1_Click();
    void SyncLogoTimer();
    std::vector<HWND> TabOrder() const;
    // The window itself got the focus (at start, or when it is activated
    // again): it goes on to the control that last had it, or the first one.
    void PassFocusOn();
    void AddTooltip(HWND tool, const char* text);

    // Creation helpers; positions in twips within the given container.
    int PixelsX(double twips) const;
    int PixelsY(double twips) const;
    xp::XpGroupBox& AddGroupBox(HWND parent, int id, double left, double top, double width, double height,
                                int32_t borderStyle, const std::string& caption, bool shown = true);
    HWND AddChild(const char* className, DWORD style, HWND parent, int id, double left, double top, double width,
                  double height, const std::string& text, bool bold = false, const std::string& tag = "");
    void CreateControls();
    void FillAmountList(HWND combo);
    void FitLabelsToText();
    void MakeFixedSizeAndCentre();
    void ResetProgressDisplay();
    // Open, Service, Sync, Process and Close are off while a run is going.
    void SetCommandsEnabled(bool enabled);
    bool RunJob(const JobSettings& settings, BusyState& busy, std::shared_ptr<const Service> api);
    WindowSettings CurrentSettings() const;

    MessageBoxPrompts prompts_;
    LabelBackground labelBackground_;
    cmdlg::epCmDlg cmDlg;
    std::vector<std::unique_ptr<xp::XpGroupBox>> groupBoxes_;
    std::vector<std::unique_ptr<xp::XPOptionCheck>> rdTambah;
    std::vector<std::unique_ptr<host::ChildControl>> children_;
    xp::XpGroupBox* XpGroupBox1 = nullptr;
    xp::XpGroupBox* XpGroupBox2 = nullptr;
    xp::XpGroupBox* TransContainer[2] = {nullptr, nullptr};
    xp::XpGroupBox* fraLogo = nullptr;
    xp::XpGroupBox* FrameTeks = nullptr;
    xp::XpGroupBox* Progress1 = nullptr;
    HWND lblJudul = nullptr, lblUrl = nullptr, Text1 = nullptr, cmdBuka = nullptr, TabStrip1 = nullptr;
    HWND Label4 = nullptr, cmbMenit = nullptr, cmbDetik = nullptr, cmdSync = nullptr;
    SyncChoice sync_;
    HWND lblFrom = nullptr, comFrom = nullptr, Label1 = nullptr, comLan = nullptr, cmdService = nullptr;
    ServiceChoice service_;
    std::unique_ptr<LogoView> tarvoAsli;
    HWND Picture1 = nullptr;
    HWND tooltips_ = nullptr;
    host::BitmapHandle donateBitmap_;
    bool logoTimerRunning_ = false;
    HWND Label5 = nullptr, lblKirim = nullptr, cmdTutup = nullptr, cmdProses = nullptr;
    host::IconHandle smallIcon_, bigIcon_;
    bool busy_ = false;
    HWND lastFocus_ = nullptr;  // the control that had the focus when the window lost it
    bool unloaded_ = false;

    // The run's last progress, drawn at the pace below: each drawing paints
    // the frame and the label at once, which can cost milliseconds.
    void DrawProgress();
    void DrawPendingProgress();
    void TmrProgress_Timer();
    void ScheduleHeldProgress(RedrawPace::Clock::time_point now);
    int32_t shownDone_ = 0, shownTotal_ = 0, drawnDone_ = -1, drawnTotal_ = -1;
    int shownPercentage_ = 0, drawnPercentage_ = -1;
    RedrawPace progressPace_{std::chrono::milliseconds(100)};
};

}  // namespace tarvex::win
