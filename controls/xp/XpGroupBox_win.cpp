#include "controls/xp/XpGroupBox_win.h"

#include <windowsx.h>

#include "controls/host/IgnoreFailure.h"
#include "controls/host/ScreenMetrics_win.h"
#include "controls/host/Twips.h"
#include "controls/xp/XpControls_win.h"

namespace tarvex::xp {

namespace {
constexpr char kGroupBoxClass[] = "TarvexXpGroupBox";
}  // namespace

XpGroupBox::XpGroupBox(host::ControlPlacement site) : SitedControl(std::move(site)) {}

std::unique_ptr<XpGroupBox> XpGroupBox::Create(HWND parent, int x, int y, int width, int height,
                                               host::ControlPlacement site) {
    std::unique_ptr<XpGroupBox> box(new XpGroupBox(std::move(site)));
    if (!box->CreateSurface(kGroupBoxClass, 0, x, y, width, height, parent)) return nullptr;
    box->progressPic_ = ProgressPicture::Create(box->Handle());
    box->lblPercentage_ = PercentageLabel::Create(*box);
    box->InitProperties();
    return box;
}

XpGroupBox::~XpGroupBox() = default;

// ---- life cycle -------------------------------------------------------------

void XpGroupBox::InitProperties() {
    p_ = NewGroupBoxProperties({site_.DisplayName, site_.AmbientFont});
    SetSurfaceFont(p_.Font);
    SetSurfaceBackColor(p_.BackColor);
    SetSurfaceForeColor(p_.ForeColor);
    SetWindowTextA(Handle(), p_.Caption.c_str());
}

void XpGroupBox::ReadProperties(const host::PropertyBag& bag) {
    const GroupBoxProperties saved = LoadGroupBoxProperties(bag, {site_.DisplayName, site_.AmbientFont});
    SubscribeToForm([this] { PaintGroupBox(); }, [this] { PaintGroupBox(); });
    SetBackColor(saved.BackColor);
    SetForeColor(saved.ForeColor);
    p_.UseParentFormhDC = saved.UseParentFormhDC;
    p_.DisabledBehavior = saved.DisabledBehavior;
    p_.Percentage = saved.Percentage;
    p_.ShowPercentage = saved.ShowPercentage;
    p_.LegacyProgressStyle = saved.LegacyProgressStyle;
    p_.VisibleBehavior = saved.VisibleBehavior;
    p_.HasDC = saved.HasDC;
    LoadTabStop(saved.TabStop);
    SetEnabled(saved.Enabled);
    p_.Visible = saved.Visible;
    p_.BorderStyle = saved.BorderStyle;
    p_.Caption = saved.Caption;  // HasAccelerator stays as it was
    SetWindowTextA(Handle(), p_.Caption.c_str());
    p_.CheckBoxCaption = saved.CheckBoxCaption;
    SetSurfaceFont(saved.Font);
    LoadFontPartsAndPointer(saved.Font, saved.FontTransparent, saved.MouseIcon, saved.MousePointer);
    p_.BackStyle = saved.BackStyle;
    p_.Picture = saved.Picture;
    controlHandle_ = Handle();
    // A loaded control always shows the theme's face.
    host::IgnoreFailure([&] {
        const std::string themeFont = GetThemeFontName();
        host::FontDescription font = SurfaceFont();
        font.Name = themeFont;
        SetSurfaceFont(font);
        SetFontName(themeFont);
    });
}

void XpGroupBox::WriteProperties(host::PropertyBag& bag) const {
    GroupBoxProperties current = p_;
    current.Enabled = Enabled();
    current.BackColor = BackColor();
    current.ForeColor = ForeColor();
    current.Font = Font();
    current.FontTransparent = SurfaceFontTransparent();
    current.MousePointer = MousePointer();
    current.MouseIcon = MouseIcon();
    current.TabStop = TabStop();
    SaveGroupBoxProperties(current, bag, {site_.DisplayName, site_.AmbientFont});
}

// ---- properties -------------------------------------------------------------

void XpGroupBox::SetBorderStyle(int32_t value) {
    p_.BorderStyle = value;
    Repaint();
    Changed("BorderStyle");
}

void XpGroupBox::SetBackStyle(int32_t value) {
    p_.BackStyle = value;
    Repaint();
    Changed("BackStyle");
}

void XpGroupBox::SetCaption(const std::string& value) {
    p_.Caption = value;
    hasAccelerator_ = ContainsAccelerator(value);
    SetWindowTextA(Handle(), value.c_str());
    Repaint();
    Changed("Caption");
}

void XpGroupBox::SetPercentage(int32_t value) {
    p_.Percentage = ClampPercentage(value);
    Repaint();
    Changed("Percentage");
}

void XpGroupBox::SetShowPercentage(bool value) {
    p_.ShowPercentage = value;
    Repaint();
    Changed("ShowPercentage");
}

void XpGroupBox::SetLegacyProgressStyle(int32_t value) {
    p_.LegacyProgressStyle = value;
    Repaint();
    Changed("LegacyProgressStyle");
}

void XpGroupBox::SetUseParentFormhDC(bool value) {
    p_.UseParentFormhDC = value;
    Repaint();
    Changed("UseParentFormhDC");
}

void XpGroupBox::SetDisabledBehavior(int32_t value) {
    p_.DisabledBehavior = value;
    Changed("DisabledBehavior");
}

void XpGroupBox::SetVisibleBehavior(int32_t value) {
    p_.VisibleBehavior = value;
    Changed("VisibleBehavior");
    SetVisible(p_.Visible);
}

void XpGroupBox::SetVisible(bool value) {
    ShowWindow(Handle(), value ? SW_SHOWNA : SW_HIDE);
    p_.Visible = value;
    if (p_.VisibleBehavior == 0)
        for (host::FormControl* control : ControlsContained()) control->TrySetVisible(value);
    LayoutAndPaint();
    Changed("Visible");
}

void XpGroupBox::SetEnabled(bool value) {
    SetSurfaceEnabled(value);
    if (p_.DisabledBehavior == 1)
        for (host::FormControl* control : ControlsContained()) control->TrySetEnabled(value);
    Repaint();
    Changed("Enabled");
}

void XpGroupBox::SetBackColor(uint32_t value) {
    SetSurfaceBackColor(value);
    Changed("BackColor");
}

void XpGroupBox::SetForeColor(uint32_t value) {
    SetSurfaceForeColor(value);
    Changed("ForeColor");
}

void XpGroupBox::SetFont(const host::FontDescription& value) {
    SetSurfaceFont(value);
    Repaint();
    Changed("Font");
}

void XpGroupBox::SetFontSize(float value) {
    host::IgnoreFailure([&] { SitedControl::SetFontSize(value); });
}

void XpGroupBox::SetHasDC(bool value) {
    p_.HasDC = value;
    Changed("HasDC");
}

std::vector<host::FormControl*> XpGroupBox::ControlsContained() const {
    std::vector<host::FormControl*> contained;
    if (!site_.Form) return contained;
    for (host::FormControl* control : site_.Form->Controls())
        if (control != this && control->ContainerWindow() == Window()) contained.push_back(control);
    return contained;
}

// ---- layout, events ---------------------------------------------------------

void XpGroupBox::Refresh() {
    RunPendingMessages();
    LayoutAndPaint();
}

void XpGroupBox::LayoutProgressPic() {
    progressPic_->MoveTo(1, 1, PixelWidth() - 2, PixelHeight() - 2);
    progressPic_->ShowImage();
    SetWindowPos(progressPic_->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void XpGroupBox::LayoutAndPaint() {
    if (!progressPic_) return;  // still being created
    LayoutProgressPic();
    PaintGroupBox();
}

bool XpGroupBox::TrySetVisible(bool visible) {
    SetVisible(visible);
    return true;
}

bool XpGroupBox::TrySetEnabled(bool enabled) {
    SetEnabled(enabled);
    return true;
}

LRESULT XpGroupBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case XPM_GETPERCENTAGE: return p_.Percentage;
        case WM_SHOWWINDOW:
            if (wParam) LayoutAndPaint();
            break;
        case WM_THEMECHANGED:
        case WM_SYSCOLORCHANGE:
        case WM_SETTINGCHANGE:
            // The image is all there is on the screen: draw it again in the
            // new look, the classic bar too, even at an unchanged percentage.
            lastDrawnPercentage_ = -1;
            LayoutAndPaint();
            break;
        case WM_LBUTTONDOWN:
            // Held until the release, so a release outside is seen (and is no click).
            leftDown_ = true;
            SetCapture(Handle());
            RaiseMouse(MouseDown, 1, wParam, lParam);
            return 0;
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lParam) != Handle()) leftDown_ = false;
            return 0;
        case WM_RBUTTONDOWN: RaiseMouse(MouseDown, 2, wParam, lParam); return 0;
        case WM_MBUTTONDOWN: RaiseMouse(MouseDown, 4, wParam, lParam); return 0;
        case WM_MOUSEMOVE: {
            RaiseMouse(MouseMove, ButtonsHeld(wParam), wParam, lParam);
            return 0;
        }
        case WM_LBUTTONUP: {
            RaiseMouse(MouseUp, 1, wParam, lParam);
            RECT client;
            GetClientRect(Handle(), &client);
            const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            const bool clicked = leftDown_ && PtInRect(&client, at);
            leftDown_ = false;
            if (GetCapture() == Handle()) ReleaseCapture();
            if (clicked && Click) Click();
            return 0;
        }
        case WM_RBUTTONUP: RaiseMouse(MouseUp, 2, wParam, lParam); return 0;
        case WM_MBUTTONUP: RaiseMouse(MouseUp, 4, wParam, lParam); return 0;
        case WM_LBUTTONDBLCLK:
            if (DblClick) DblClick();
            return 0;
    }
    return Surface::HandleMessage(message, wParam, lParam);
}

// ---- see-through background -------------------------------------------------

RECT XpGroupBox::GetRectInParent() const {
    RECT rect{};
    GetWindowRect(Handle(), &rect);
    HWND form = site_.Form ? reinterpret_cast<HWND>(site_.Form->Window()) : GetParent(Handle());
    MapWindowPoints(HWND_DESKTOP, form, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void XpGroupBox::PaintTransparentBackground() {
    host::IgnoreFailure([&] {
        if (!site_.Form) return;
        const HWND formWindow = reinterpret_cast<HWND>(site_.Form->Window());
        const HWND container = GetParent(Handle());
        host::PaintTarget* source = nullptr;
        int x = 0, y = 0, width = 0, height = 0;
        if (!p_.UseParentFormhDC) {
            if (container == formWindow) {
                source = host::PaintTarget::FromWindow(formWindow);
            } else {
                for (host::FormControl* control : site_.Form->Controls()) {
                    if (control->Window() == reinterpret_cast<host::WindowHandle>(container)) {
                        source = host::PaintTarget::FromWindow(container);
                        break;
                    }
                }
            }
            if (!source) return;
            // The exact pixel place: a twips-per-pixel rounded to a whole
            // number (7.5 -> 8 at 192 DPI) would shift the copy by many pixels.
            x = host::TwipsToPixels(Left(), TwipsPerPixelX());
            y = host::TwipsToPixels(Top(), TwipsPerPixelY());
            width = PixelWidth();
            height = PixelHeight();
        } else {
            source = host::PaintTarget::FromWindow(formWindow);
            if (!source) return;
            const RECT rect = GetRectInParent();
            x = rect.left;
            y = rect.top;
            width = rect.right;  // wider than needed; the copy is clipped to the surface
            height = rect.bottom;
        }
        source->SetAutoRedraw(true);
        BitBlt(SurfaceDC(), 0, 0, width, height, source->TargetDC(), x, y, SRCCOPY);
    });
}

}  // namespace tarvex::xp
