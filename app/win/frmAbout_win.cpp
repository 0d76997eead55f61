#include "app/win/frmAbout_win.h"

#include <algorithm>
#include <iterator>

#include "app/LinkActions.h"
#include "app/win/LabelFit_win.h"
#include "app/win/OpenPage_win.h"
#include "app/win/res/resource.h"
#include "base/Version.h"
#include "controls/host/ScreenMetrics_win.h"
#include "controls/host/Twips.h"
#include "controls/host/WindowBase_win.h"
#include "controls/xp/XpControls_win.h"

namespace tarvex::win {

namespace {

constexpr double kAboutClientWidth = 4545;   // twips
constexpr double kAboutClientHeight = 2520;  // twips
constexpr double kSeparatorTop = 1800;       // twips
constexpr int kLinkId = 2002;

HFONT CreateFormFont(bool bold) {
    // 8.25 points in the theme's face, as the main window's labels.
    HDC screen = GetDC(nullptr);
    int height = -MulDiv(825, GetDeviceCaps(screen, LOGPIXELSY), 7200);
    ReleaseDC(nullptr, screen);
    return CreateFontA(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                       xp::GetThemeFontName().c_str());
}

// The template holds the caption, so its size follows the version text.
constexpr wchar_t kAboutTitle[] = L"Tentang Tarvex " TARVEX_VERSION_TEXT;

}  // namespace

int frmAbout::PixelsX(double twips) const {
    return host::TwipsToPixels(twips, host::ScreenTwipsPerPixelX());
}
int frmAbout::PixelsY(double twips) const {
    return host::TwipsToPixels(twips, host::ScreenTwipsPerPixelY());
}

HWND frmAbout::AddLabel(int id, double left, double top, double width, double height, const char* text, DWORD style) {
    HWND label = CreateWindowExA(0, "STATIC", text, WS_CHILD | WS_VISIBLE | style, PixelsX(left), PixelsY(top),
                                 PixelsX(width), PixelsY(height), Handle(),
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
    SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
    return label;
}

void frmAbout::CreateControls() {
    font_.Reset(CreateFormFont(false));
    boldFont_.Reset(CreateFormFont(true));
    icon_ = host::IconHandle(static_cast<HICON>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_TARVEX), IMAGE_ICON, 48, 48, LR_DEFAULTCOLOR)));
    HWND picIcon = AddLabel(2000, 120, 72, 720, 720, "", SS_ICON | SS_CENTERIMAGE);
    SendMessageA(picIcon, STM_SETICON, reinterpret_cast<WPARAM>(icon_.Get()), 0);
    HWND lblTitle = AddLabel(2001, 1050, 120, 3405, 261, "TARVEX - TARVO SUBTITLE EDITOR");
    SendMessageA(lblTitle, WM_SETFONT, reinterpret_cast<WPARAM>(boldFont_.Get()), FALSE);
    HWND label3 = AddLabel(2003, 1874, 360, 2175, 255, "AND TRANSLATOR");
    SendMessageA(label3, WM_SETFONT, reinterpret_cast<WPARAM>(boldFont_.Get()), FALSE);
    AddLabel(2004, 1080, 609, 1005, 210, "Versi " TARVEX_VERSION_TEXT);
    AddLabel(2005, 135, 898, 4485, 225, "SIMPLE TIMESTAMP SUBTITLE (*.SRT) EDITOR");
    AddLabel(2006, 135, 1200, 4485, 465,
             "Simple Application for Editing Time Subtitle (*. srt) Film and Translator using Google Translate.");
    HWND credit = AddLabel(2007, 135, 1920, 2550, 345, kCreditLine);
    Label2 = AddLabel(kLinkId, 135, 2160, 1530, 240, kMakerAddress, SS_NOTIFY);
    // The address is shown whole: the label grows to its text, short of OK.
    for (HWND label : {credit, Label2}) WidenLabelToText(label, PixelsX(3165 - 135 - 60));
    cmdOK = CreateWindowExA(0, "BUTTON", "&OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, PixelsX(3165),
                            PixelsY(2014), PixelsX(1260), PixelsY(345), Handle(),
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDOK)), GetModuleHandleA(nullptr), nullptr);
    SendMessageA(cmdOK, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
}

void frmAbout::ShowModal(HWND owner) {
    owner_ = owner;
    // An empty dialog template: the caption and frame; the controls are
    // placed in twips when the dialog starts.
    struct alignas(4) Template {
        DLGTEMPLATE Dialog;
        WORD Menu, Class;
        wchar_t Title[std::size(kAboutTitle)];
    } dialogTemplate{};
    dialogTemplate.Dialog.style = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
    dialogTemplate.Dialog.cx = 200;
    dialogTemplate.Dialog.cy = 100;
    std::copy(std::begin(kAboutTitle), std::end(kAboutTitle), dialogTemplate.Title);
    DialogBoxIndirectParamA(GetModuleHandleA(nullptr), &dialogTemplate.Dialog, owner, DialogProc,
                            reinterpret_cast<LPARAM>(this));
    window_ = nullptr;
}

INT_PTR CALLBACK frmAbout::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        if (message == WM_INITDIALOG) {
            auto* self = reinterpret_cast<frmAbout*>(lParam);
            SetWindowLongPtrA(window, DWLP_USER, lParam);
            self->window_ = window;
            self->CreateControls();
            self->PlaceOverOwner();
            SetFocus(self->cmdOK);
            return FALSE;  // the focus is set
        }
        auto* self = reinterpret_cast<frmAbout*>(GetWindowLongPtrA(window, DWLP_USER));
        return self ? self->HandleMessage(message, wParam, lParam) : FALSE;
    } catch (...) {
        host::ShowEscapedError(window);
        return FALSE;
    }
}

void frmAbout::PlaceOverOwner() {
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrA(Handle(), GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrA(Handle(), GWL_EXSTYLE));
    RECT frame{0, 0, PixelsX(kAboutClientWidth), PixelsY(kAboutClientHeight)};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    int width = frame.right - frame.left;
    int height = frame.bottom - frame.top;
    RECT ownerPlace{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (owner_) GetWindowRect(owner_, &ownerPlace);
    int x = ownerPlace.left + (ownerPlace.right - ownerPlace.left - width) / 2;
    int y = ownerPlace.top + (ownerPlace.bottom - ownerPlace.top - height) / 2;
    SetWindowPos(Handle(), nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void frmAbout::cmdOK_Click() {
    EndDialog(Handle(), IDOK);
}

void frmAbout::Label2_Click() {
    OpenPage(Handle(), MakerLinkClick());
}

INT_PTR frmAbout::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            // OK is both the default and the cancel button.
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) cmdOK_Click();
            if (LOWORD(wParam) == kLinkId && HIWORD(wParam) == STN_CLICKED) Label2_Click();
            return TRUE;
        case WM_CLOSE: cmdOK_Click(); return TRUE;
        case WM_CTLCOLORSTATIC: {
            HDC dc = reinterpret_cast<HDC>(wParam);
            SetBkMode(dc, TRANSPARENT);
            // The link is blue, as links are.
            bool link = reinterpret_cast<HWND>(lParam) == Label2;
            SetTextColor(dc, link ? RGB(0, 0, 255) : GetSysColor(COLOR_BTNTEXT));
            return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
        }
        case WM_SETCURSOR:
            if (reinterpret_cast<HWND>(wParam) == Label2) {
                SetCursor(LoadCursorA(nullptr, IDC_HAND));
                SetWindowLongPtrA(Handle(), DWLP_MSGRESULT, TRUE);
                return TRUE;
            }
            break;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(Handle(), &paint);
            // The separator: a grey line over a white one.
            RECT client;
            GetClientRect(Handle(), &client);
            int top = PixelsY(kSeparatorTop);
            int left = PixelsX(120);
            int right = client.right - PixelsX(120);
            RECT grey{left, top, right, top + 1};
            RECT white{left, top + 1, right, top + 2};
            FillRect(dc, &grey, GetSysColorBrush(COLOR_BTNSHADOW));
            FillRect(dc, &white, GetSysColorBrush(COLOR_BTNHIGHLIGHT));
            EndPaint(Handle(), &paint);
            return TRUE;
        }
        default: break;
    }
    return FALSE;
}

}  // namespace tarvex::win
