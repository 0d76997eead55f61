#include "app/win/frmUtama_win.h"
#include "base/Version.h"

#include <commctrl.h>

#include "app/LinkActions.h"
#include "app/win/ControlIds.h"
#include "app/win/LabelFit_win.h"
#include "app/win/ProgramInfo_win.h"
#include "app/win/RegistrySettings_win.h"
#include "app/win/res/resource.h"
#include "controls/host/Twips.h"
#include "controls/xp/GroupBoxProperties.h"
#include "controls/xp/OptionCheckProperties.h"
#include "controls/xp/OptionCheckStates.h"
#include "controls/xp/XpConstants.h"
#include "controls/xp/XpControls_win.h"

namespace tarvex::win {

namespace {

constexpr double kMainClientWidth = 5010;   // twips
constexpr double kMainClientHeight = 4920;  // twips
constexpr int32_t kXpFrame = xp::BorderStyles::XpFrame;
constexpr int32_t kBorderNone = xp::BorderStyles::None;
constexpr int32_t kXpProgress = xp::BorderStyles::XpProgress;
// Room for the drop-down list below an editable combo's edit box, in pixels.
constexpr int kDropListHeight = 220;

const host::FontDescription kFormFont{"MS Sans Serif", 8.25f};
// The donate picture is 74 by 21 pixels at 100 %; it grows with the scale.
constexpr double kDonateWidth = 74 * 15;   // twips
constexpr double kDonateHeight = 21 * 15;  // twips

class ComboLanguageList : public LanguageList {
public:
    explicit ComboLanguageList(HWND combo) : combo_(combo) {}
    void Clear() override { SendMessageA(combo_, CB_RESETCONTENT, 0, 0); }
    void AddItem(const std::string& name) override {
        SendMessageA(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }

private:
    HWND combo_;
};

}  // namespace

frmUtama::frmUtama()
    : host::ThemedForm("frmUtama", "Tarvex " TARVEX_VERSION_SHORT_TEXT,
                       host::TwipsToPixels(kMainClientWidth, host::TwipsPerPixel(96)),
                       host::TwipsToPixels(kMainClientHeight, host::TwipsPerPixel(96))) {
    prompts_.SetOwner(Handle());
    cmdlg::DialogOwner host;
    HWND owner = Handle();
    host.ContainerWindow = [owner]() -> void* { return owner; };
    cmDlg.SetHost(std::move(host));
}

frmUtama::~frmUtama() = default;

int frmUtama::PixelsX(double twips) const {
    return host::TwipsToPixels(twips, TwipsPerPixelX());
}
int frmUtama::PixelsY(double twips) const {
    return host::TwipsToPixels(twips, TwipsPerPixelY());
}

xp::XpGroupBox& frmUtama::AddGroupBox(HWND parent, int id, double left, double top, double width, double height,
                                      int32_t borderStyle, const std::string& caption, bool shown) {
    host::ControlPlacement site{this, "", kFormFont, nullptr};
    auto box = xp::XpGroupBox::Create(parent, PixelsX(left), PixelsY(top), PixelsX(width), PixelsY(height), site);
    SetWindowLongPtrA(box->hWnd(), GWLP_ID, id);
    // Tab and the accelerator keys reach the controls inside the box.
    SetWindowLongPtrA(box->hWnd(), GWL_EXSTYLE, GetWindowLongPtrA(box->hWnd(), GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
    // Loaded as a saved form is: the design's values through the control's
    // load path, which also ties it to this form (its Resize and Paint).
    const xp::Ambient ambient{site.DisplayName, site.AmbientFont};
    xp::GroupBoxProperties design = xp::NewGroupBoxProperties(ambient);
    design.BorderStyle = borderStyle;
    design.Caption = caption;
    design.Visible = shown;
    design.ShowPercentage = borderStyle == kXpProgress;
    host::PropertyBag saved;
    xp::SaveGroupBoxProperties(design, saved, ambient);
    box->ReadProperties(saved);
    xp::XpGroupBox& added = *box;
    AddControl(box.get());
    groupBoxes_.push_back(std::move(box));
    return added;
}

HWND frmUtama::AddChild(const char* className, DWORD style, HWND parent, int id, double left, double top, double width,
                        double height, const std::string& text, bool bold, const std::string& tag) {
    int pixelHeight = PixelsY(height);
    if (std::string(className) == WC_COMBOBOXA) pixelHeight += kDropListHeight;
    HWND window =
        CreateWindowExA(0, className, text.c_str(), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, PixelsX(left),
                        PixelsY(top), PixelsX(width), pixelHeight, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
    host::FontDescription font = kFormFont;
    font.Bold = bold;
    if (bold) font.Weight = 700;
    auto child = std::make_unique<host::ChildControl>(window, tag, font);
    AddControl(child.get());
    children_.push_back(std::move(child));
    return window;
}

void frmUtama::CreateControls() {
    namespace id = ControlId;
    HWND form = Handle();
    XpGroupBox1 = &AddGroupBox(form, id::XpGroupBox1, 120, 0, 4815, 680, kXpFrame, "");
    lblJudul = AddChild(WC_STATICA, SS_CENTER, XpGroupBox1->hWnd(), id::lblJudul, 120, 180, 4575, 390,
                        "SIMPLE TIMESTAMP SUBTITLE (*.SRT) EDITOR AND TRANSLATOR", true);

    XpGroupBox2 = &AddGroupBox(form, id::XpGroupBox2, 120, 670, 4815, 660, kXpFrame, "");
    lblUrl = AddChild(WC_STATICA, 0, XpGroupBox2->hWnd(), id::lblUrl, 120, 255, 570, 225, "File :");
    Text1 = AddChild(WC_EDITA, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, XpGroupBox2->hWnd(), id::Text1, 495, 240, 3495,
                     285, "");
    cmdBuka = AddChild(WC_BUTTONA, BS_PUSHBUTTON | WS_TABSTOP, XpGroupBox2->hWnd(), id::cmdBuka, 4080, 215, 645, 315,
                       "&Open");

    TabStrip1 = AddChild(WC_TABCONTROLA, WS_TABSTOP, form, id::TabStrip1, 120, 1440, 4815, 3375, "");
    TCITEMA tab = {};
    tab.mask = TCIF_TEXT;
    tab.pszText = const_cast<char*>("Time Editor");
    SendMessageA(TabStrip1, TCM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&tab));
    tab.pszText = const_cast<char*>("Google Translate");
    SendMessageA(TabStrip1, TCM_INSERTITEMA, 1, reinterpret_cast<LPARAM>(&tab));
    // The row of tabs is 300 twips high at every scale, as the pages below it
    // and the donate picture beside it expect; left alone, the row would
    // grow with the font only and not with its margins.
    SendMessageA(TabStrip1, TCM_SETITEMSIZE, 0, MAKELPARAM(0, PixelsY(300) - 2));

    TransContainer[0] = &AddGroupBox(form, id::TransContainer0, 150, 1770, 3540, 1095, kBorderNone, "", false);
    HWND page = TransContainer[0]->hWnd();
    Label4 = AddChild(WC_STATICA, 0, page, id::Label4, 120, 150, 1815, 255, "Minute :            Second :");
    cmbMenit = AddChild(WC_COMBOBOXA, CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP, page, id::cmbMenit, 120, 420, 870, 315,
                        "", true);
    // The seconds may carry three decimals ("0.040"), more than the box shows.
    cmbDetik = AddChild(WC_COMBOBOXA, CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP, page, id::cmbDetik,
                        1215, 420, 870, 315, "", true);
    const char* modes[] = {"Start Time", "Plus", "Minus"};
    const double modeTops[] = {120, 420, 720};
    for (int index = 0; index < 3; ++index) {
        host::ControlPlacement site{this, modes[index], kFormFont, nullptr};
        auto button = xp::XPOptionCheck::Create(page, PixelsX(2400), PixelsY(modeTops[index]), site);
        SetWindowLongPtrA(button->hWnd(), GWLP_ID, id::rdTambah0 + index);
        const xp::Ambient ambient{site.DisplayName, site.AmbientFont};
        xp::OptionCheckProperties design = xp::NewOptionCheckProperties(ambient);
        design.ControlType = xp::ControlTypes::OptionButton;
        design.Caption = modes[index];
        design.Value = index == 0 ? 1 : 0;
        // The see-through background comes from the form, past the page.
        design.UseParentFormhDC = true;
        host::PropertyBag saved;
        xp::SaveOptionCheckProperties(design, saved, ambient);
        button->ReadProperties(saved);
        ShowWindow(button->hWnd(), SW_SHOWNA);
        AddControl(button.get());
        rdTambah.push_back(std::move(button));
    }
    // Below the amounts, in their column, clear of the option buttons; off,
    // as Process is, until a subtitle file is chosen.
    cmdSync = AddChild(WC_BUTTONA, BS_PUSHBUTTON | WS_TABSTOP | WS_DISABLED, page, id::cmdSync, 120, 765, 1965, 300,
                       "S&ync...");

    TransContainer[1] = &AddGroupBox(form, id::TransContainer1, 150, 1770, 3540, 1095, kBorderNone, "", false);
    page = TransContainer[1]->hWnd();
    // Three rows: the two languages drawn up a little to make room for the
    // service button below them, in the combos' column.
    lblFrom = AddChild(WC_STATICA, 0, page, id::lblFrom, 120, 55, 1215, 255, "Language From :");
    comFrom =
        AddChild(WC_COMBOBOXA, CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP, page, id::comFrom, 1560, 45, 1455, 315, "");
    Label1 = AddChild(WC_STATICA, 0, page, id::Label1, 120, 435, 1215, 255, "Language To :");
    comLan = AddChild(WC_COMBOBOXA, CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP, page, id::comLan, 1560, 405, 1455, 315, "");
    cmdService =
        AddChild(WC_BUTTONA, BS_PUSHBUTTON | WS_TABSTOP, page, id::cmdService, 1560, 765, 1455, 300, "Ser&vice...");

    fraLogo = &AddGroupBox(form, id::fraLogo, 3690, 1770, 1200, 1095, kBorderNone, "");
    tarvoAsli = LogoView::Create(fraLogo->hWnd(), id::tarvoAsli, PixelsX(360), PixelsY(280), PixelsX(480),
                                 TwipsPerPixelX(), TwipsPerPixelY());
    tarvoAsli->MouseMove = [this](double x, double y) { tarvoAsli_MouseMove(x, y); };
    // Leaving the logo counts as reaching its edge, however fast the pointer was.
    tarvoAsli->MouseLeave = [this] { tarvoAsli_MouseMove(-1, -1); };
    tarvoAsli->MouseUp = [this] { tarvoAsli_MouseUp(); };
    tarvoAsli->Click = [this] { tarvoAsli_Click(); };
    AddTooltip(tarvoAsli->Handle(), kLogoTooltip);

    donateBitmap_.Reset(
        static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_DONATE), IMAGE_BITMAP,
                                        PixelsX(kDonateWidth), PixelsY(kDonateHeight), LR_DEFAULTCOLOR)));
    Picture1 = CreateWindowExA(
        0, WC_STATICA, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | SS_BITMAP | SS_NOTIFY | SS_CENTERIMAGE,
        PixelsX(3750), PixelsY(1390), PixelsX(1130), PixelsY(330), form,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id::Picture1)), GetModuleHandleA(nullptr), nullptr);
    SendMessageA(Picture1, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(donateBitmap_.Get()));
    AddTooltip(Picture1, kDonateTooltip);

    FrameTeks = &AddGroupBox(form, id::FrameTeks, 240, 2880, 4575, 1395, kXpFrame, TotalCaption(0));
    HWND frame = FrameTeks->hWnd();
    Label5 = AddChild(WC_STATICA, SS_CENTER, frame, id::Label5, 120, 345, 4335, 285, "");
    lblKirim = AddChild(WC_STATICA, 0, frame, id::lblKirim, 120, 730, 2895, 255, CounterCaption(0, 0));
    Progress1 = &AddGroupBox(frame, id::Progress1, 120, 1005, 4335, 255, kXpProgress, "");
    Progress1->SetVisible(true);

    cmdTutup = AddChild(WC_BUTTONA, BS_PUSHBUTTON | WS_TABSTOP, form, id::cmdTutup, 1200, 4365, 1000, 350, "&Close");
    cmdProses = AddChild(WC_BUTTONA, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_DISABLED, form, id::cmdProses, 2880, 4365, 1000,
                         350, "&Process");

    // Labels lie under their neighbours ("File :" overlaps the path box a
    // little); the tab strip lies under the pages, the progress frame and
    // the buttons.
    for (HWND label : {lblJudul, lblUrl, Label4, lblFrom, Label1, Label5, lblKirim})
        SetWindowPos(label, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowPos(TabStrip1, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    for (xp::XpGroupBox* box : {XpGroupBox1, XpGroupBox2, fraLogo, FrameTeks}) box->SetVisible(true);
}

void frmUtama::AddTooltip(HWND tool, const char* text) {
    if (tooltips_ == nullptr)
        tooltips_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr,
                                    GetModuleHandleA(nullptr), nullptr);
    TTTOOLINFOA info = {};
    info.cbSize = sizeof info;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = Handle();
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    info.lpszText = const_cast<char*>(text);
    SendMessageA(tooltips_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
}

void frmUtama::FitLabelsToText() {
    for (HWND label : {lblUrl, Label4, lblFrom, Label1, lblKirim}) WidenLabelToText(label, PixelsX(kMainClientWidth));
}

void frmUtama::FillAmountList(HWND combo) {
    for (int amount = 0; amount <= 59; ++amount)
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::to_string(amount).c_str()));
    SetWindowTextA(combo, "00");
}

void frmUtama::MakeFixedSizeAndCentre() {
    // Fixed single border, minimise box only, like a dialog-sized tool window.
    LONG_PTR style = GetWindowLongPtrA(Handle(), GWL_STYLE);
    style &= ~(WS_THICKFRAME | WS_MAXIMIZEBOX);
    SetWindowLongPtrA(Handle(), GWL_STYLE, style);
    RECT frame{0, 0, PixelsX(kMainClientWidth), PixelsY(kMainClientHeight)};
    AdjustWindowRect(&frame, static_cast<DWORD>(style), FALSE);
    int width = frame.right - frame.left;
    int height = frame.bottom - frame.top;
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    int x = work.left + (work.right - work.left - width) / 2;
    int y = work.top + (work.bottom - work.top - height) / 2;
    SetWindowPos(Handle(), nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void frmUtama::Form_Load() {
    smallIcon_ = host::IconHandle(static_cast<HICON>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_TARVEX), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR)));
    bigIcon_ = host::IconHandle(static_cast<HICON>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_TARVEX), IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR)));
    SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.Get()));
    SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.Get()));
    MakeFixedSizeAndCentre();
    CreateControls();

    RegistrySettings store(ProgramTitle(), "Options");
    WindowSettings settings = LoadWindowSettings(store);
    ActiveTab = settings.ActiveTab;
    TransContainer[ActiveTab]->SetVisible(true);
    SetWindowPos(TransContainer[ActiveTab]->hWnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    xp::ThemeFormControls(*this);
    FitLabelsToText();
    if (ActiveTab == 1) SendMessageA(TabStrip1, TCM_SETCURSEL, 1, 0);

    RECT strip;
    GetWindowRect(TabStrip1, &strip);
    MapWindowPoints(HWND_DESKTOP, Handle(), reinterpret_cast<POINT*>(&strip), 2);
    TabPageTop = static_cast<int32_t>(host::PixelsToTwips(strip.top, TwipsPerPixelY()) + 300);
    TabPageLeft = static_cast<int32_t>(host::PixelsToTwips(strip.left, TwipsPerPixelX()));
    TabPageRight = static_cast<int32_t>(host::PixelsToTwips(strip.right, TwipsPerPixelX()));
    TabPageBottom = static_cast<int32_t>(host::PixelsToTwips(strip.bottom, TwipsPerPixelY()));
    TabPagePainted = xp::DrawTabStripCheat(*this, TabPageTop, TabPageLeft, TabPageRight, TabPageBottom);

    RememberedFolder = settings.RememberedFolder;
    service_ = settings.Service;
    sync_ = settings.Sync;
    FillAmountList(cmbMenit);
    FillAmountList(cmbDetik);
    SetStatus(kStatusNotStarting);
    ComboLanguageList from(comFrom);
    FillLanguageList(from);
    SetWindowTextA(comFrom, settings.SourceLanguage.c_str());
    ComboLanguageList to(comLan);
    FillLanguageList(to);
    SetWindowTextA(comLan, settings.TargetLanguage.c_str());
}

void frmUtama::AppearanceChanged(UINT message, WPARAM wParam, LPARAM lParam) {
    // The page body behind the tab strip in the new look (none without
    // visual styles), then every control over it, then the labels, which
    // take their background from what now lies under them.
    ClearTarget();
    TabPagePainted = xp::DrawTabStripCheat(*this, TabPageTop, TabPageLeft, TabPageRight, TabPageBottom);
    PassToControls(message, wParam, lParam);
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void frmUtama::TabStrip1_Click() {
    int selected = static_cast<int>(SendMessageA(TabStrip1, TCM_GETCURSEL, 0, 0)) + 1;
    if (selected < 1 || selected > 2 || selected == ActiveTab + 1) return;
    TransContainer[ActiveTab]->SetVisible(false);
    TransContainer[selected - 1]->SetVisible(true);
    SetWindowPos(TransContainer[selected - 1]->hWnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ActiveTab = static_cast<int16_t>(selected - 1);
}

// Every control notification of the window reaches its handler here; the
// self-drawn controls and the logo call theirs through their own events.
void frmUtama::OnCommand(HWND source, WORD code) {
    struct Route {
        HWND Source;
        WORD Code;
        void (frmUtama::*Handler)();
    };
    const Route routes[] = {
        {Text1, EN_CHANGE, &frmUtama::Text1_Change},         {cmdBuka, BN_CLICKED, &frmUtama::cmdBuka_Click},
        {cmdProses, BN_CLICKED, &frmUtama::cmdProses_Click}, {cmdTutup, BN_CLICKED, &frmUtama::cmdTutup_Click},
        {Picture1, STN_CLICKED, &frmUtama::Picture1_Click},  {cmdService, BN_CLICKED, &frmUtama::cmdService_Click},
        {cmdSync, BN_CLICKED, &frmUtama::cmdSync_Click},
    };
    for (const Route& route : routes)
        if (source != nullptr && source == route.Source && code == route.Code) return (this->*route.Handler)();
}

LRESULT frmUtama::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND: OnCommand(reinterpret_cast<HWND>(lParam), HIWORD(wParam)); return 0;
        case WM_NOTIFY: {
            auto* header = reinterpret_cast<NMHDR*>(lParam);
            if (header->hwndFrom == TabStrip1 && header->code == TCN_SELCHANGE) TabStrip1_Click();
            return 0;
        }
        case WM_CTLCOLORSTATIC: {
            // Labels are see-through: they show the frame or page behind them.
            HDC dc = reinterpret_cast<HDC>(wParam);
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
            HBRUSH brush = labelBackground_.BrushFor(reinterpret_cast<HWND>(lParam), dc);
            return reinterpret_cast<LRESULT>(brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
        }
        case DM_GETDEFID:
            // Enter anywhere in the window presses Process.
            return MAKELRESULT(ControlId::cmdProses, DC_HASDEFID);
        case WM_TIMER:
            if (wParam == kTmrTarv) {
                TmrTarv_Timer();
                return 0;
            }
            if (wParam == kTmrProgress) {
                TmrProgress_Timer();
                return 0;
            }
            break;
        case WM_SETCURSOR:
            if (reinterpret_cast<HWND>(wParam) == Picture1) {
                SetCursor(LoadCursorA(nullptr, IDC_HAND));
                return TRUE;
            }
            // The hourglass over Process while a run is going.
            if (busy_ && reinterpret_cast<HWND>(wParam) == cmdProses) {
                SetCursor(LoadCursorA(nullptr, IDC_WAIT));
                return TRUE;
            }
            break;
        case WM_CLOSE:
            // Closing under a running job would pull its window away from it.
            if (busy_) return 0;
            Form_Unload();
            DestroyWindow(Handle());
            return 0;
        case WM_DROPFILES: Form_DragDrop(reinterpret_cast<HDROP>(wParam)); return 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND focus = GetFocus();
                if (focus && IsChild(Handle(), focus)) lastFocus_ = focus;
            }
            break;
        case WM_SETFOCUS: PassFocusOn(); return 0;
        case WM_DESTROY: PostQuitMessage(0); return 0;
        default: break;
    }
    return ThemedForm::HandleMessage(message, wParam, lParam);
}

}  // namespace tarvex::win
