// How XpGroupBox looks: the background, the frame of each BorderStyle, the
// caption, and the themed progress bar with its percentage label.
#include <windows.h>

#include <uxtheme.h>
#include <vssym32.h>

#include "base/Rounding.h"
#include "controls/host/GdiHandles_win.h"
#include "controls/host/ScreenMetrics_win.h"
#include "controls/host/WideText_win.h"
#include "controls/xp/IsVista.h"
#include "controls/xp/ProgressGeometry.h"
#include "controls/xp/XpControls_win.h"
#include "controls/xp/XpGroupBox_win.h"

namespace tarvex::xp {

using host::ThemeHandle;

namespace {

// Right-aligned, word-broken caption with "&" marking the access key.
constexpr UINT kClassicCaptionFormat = DT_RIGHT | DT_WORDBREAK;

void FillWith(HDC dc, const XpRect& r, int systemColour) {
    RECT rect = ToRect(r);
    FillRect(dc, &rect, GetSysColorBrush(systemColour));
}

void Edge(HDC dc, const XpRect& r, UINT edge, UINT sides) {
    RECT rect = ToRect(r);
    DrawEdge(dc, &rect, edge, sides);
}

void CopySelf(HDC dc, const SelfCopy& c) {
    BitBlt(dc, c.DestX, c.DestY, c.Width, c.Height, dc, c.SourceX, c.SourceY, SRCCOPY);
}

void ThemeBackground(HTHEME theme, HDC dc, int part, int state, const XpRect& r) {
    if (!theme) return;
    RECT rect = ToRect(r);
    DrawThemeBackground(theme, dc, part, state, &rect, &rect);
}

void ThemeText(HTHEME theme, HDC dc, int part, int state, const std::string& text, DWORD format, const XpRect& r) {
    if (!theme) return;
    RECT rect = ToRect(r);
    const std::wstring wide = host::WideText(text);
    DrawThemeText(theme, dc, part, state, wide.c_str(), -1, format, 0, &rect);
}

void Line(HDC dc, int x1, int y1, int x2, int y2) {
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

}  // namespace

CaptionMeasures XpGroupBox::MeasureCaption() const {
    CaptionMeasures m;
    m.TextW = TextSize(p_.Caption).cx;
    m.TextH = TextSize("T").cy;
    m.AmpersandW = TextSize("&").cx;
    m.HasAccelerator = hasAccelerator_;
    return m;
}

void XpGroupBox::DrawClassicCaption(const XpRect& r) {
    RECT rect = ToRect(r);
    const std::wstring caption = host::WideText(p_.Caption);
    DrawTextW(SurfaceDC(), caption.c_str(), static_cast<int>(caption.size()), &rect, kClassicCaptionFormat);
}

void XpGroupBox::PaintGroupBox() {
    if (!progressPic_) return;
    HDC dc = SurfaceDC();
    const bool themed = IsThemed(controlHandle_, false);
    if (p_.BorderStyle != BorderStyles::XpProgress) lblPercentage_->Show(false);
    const XpRect client{0, 0, PixelWidth(), PixelHeight()};
    const bool transparent = p_.BackStyle == BackStyles::Transparent;
    if (p_.BorderStyle != BorderStyles::None) {
        FillWith(dc, client, COLOR_BTNFACE);
        if (transparent) PaintTransparentBackground();
    } else {
        Cls();
        if (transparent) PaintTransparentBackground();
        if (site_.Form && site_.Form->DesignMode()) {
            DrawDesignOutline();
            ShowImage();
            return;
        }
    }
    const CaptionMeasures m = MeasureCaption();
    if (themed)
        PaintThemed(m);
    else
        PaintClassic(m);
    ShowImage();
    if (lblPercentage_->IsShown()) lblPercentage_->Redraw();
}

void XpGroupBox::PaintClassic(const CaptionMeasures& m) {
    HDC dc = SurfaceDC();
    const int w = PixelWidth(), h = PixelHeight();
    const bool opaque = p_.BackStyle == BackStyles::Opaque;
    const bool transparent = p_.BackStyle == BackStyles::Transparent;
    switch (p_.BorderStyle) {
        case BorderStyles::None:
            if (transparent) PaintTransparentBackground();
            return;
        case BorderStyles::XpFrame:
        case BorderStyles::EtchedFrame: {
            const EtchedFrameLayout layout = LayoutEtchedFrame(w, h, m);
            if (opaque) FillWith(dc, {0, 0, w, h}, COLOR_BTNFACE);
            Edge(dc, layout.Frame, EDGE_ETCHED, BF_RECT);
            if (p_.Caption.empty()) return;
            if (opaque) FillWith(dc, layout.GapFill, COLOR_BTNFACE);
            if (transparent) CopySelf(dc, layout.GapCopy);
            DrawClassicCaption(layout.Caption);
            return;
        }
        case BorderStyles::XpTab: {
            const int tabH = static_cast<int>(RoundHalfEven(300 / TwipsPerPixelY()));
            const bool hasCaption = !p_.Caption.empty();
            const ClassicTabLayout layout = LayoutClassicTab(w, h, tabH, hasCaption, m);
            Edge(dc, layout.Panel, EDGE_RAISED, BF_RECT);
            if (!hasCaption) return;
            Edge(dc, layout.Tab, EDGE_RAISED, BF_RIGHT);
            Edge(dc, layout.Tab, EDGE_RAISED, BF_LEFT);
            Edge(dc, layout.TabTop, EDGE_RAISED, BF_TOP);
            CopySelf(dc, layout.Join);
            DrawClassicCaption(layout.Caption);
            return;
        }
        default: {  // XpEdit, XpProgress and unknown styles
            const XpRect rect{0, 0, w, h};
            if (opaque) FillWith(dc, rect, COLOR_WINDOW);
            if (p_.BorderStyle == BorderStyles::XpProgress) {
                ShowWindow(progressPic_->Handle(), SW_SHOWNA);
                DrawLegacyProgress(p_.Percentage, OleColours::ButtonFace, OleColours::Highlight, OleColours::Black,
                                   p_.ShowPercentage);
            }
            Edge(dc, rect, EDGE_SUNKEN, BF_RECT);
            return;
        }
    }
}

void XpGroupBox::PaintThemed(const CaptionMeasures& m) {
    HDC dc = SurfaceDC();
    const int w = PixelWidth(), h = PixelHeight();
    const bool opaque = p_.BackStyle == BackStyles::Opaque;
    const bool transparent = p_.BackStyle == BackStyles::Transparent;
    ShowWindow(progressPic_->Handle(), SW_HIDE);
    const ThemeClasses classes = GetThemeClasses();
    switch (p_.BorderStyle) {
        case BorderStyles::XpFrame: {
            ThemeHandle theme(controlHandle_, host::WideText(classes.Button).c_str());
            const ThemedFrameLayout layout = LayoutThemedFrame(w, h, m);
            ThemeBackground(theme.Get(), dc, BP_GROUPBOX, GBS_NORMAL, layout.Frame);
            if (p_.Caption.empty()) return;
            if (opaque) FillWith(dc, layout.GapFill, COLOR_BTNFACE);
            if (transparent) CopySelf(dc, layout.GapCopy);
            ThemeText(theme.Get(), dc, BP_GROUPBOX, SurfaceEnabled() ? GBS_NORMAL : GBS_DISABLED, p_.Caption, DT_CENTER,
                      layout.Caption);
            return;
        }
        case BorderStyles::EtchedFrame: PaintClassic(m); return;
        case BorderStyles::XpEdit: {
            const XpRect rect{0, 0, w, h};
            ThemeHandle theme(controlHandle_, host::WideText(classes.Edit).c_str());
            if (!theme) return;
            if (opaque) {
                ThemeBackground(theme.Get(), dc, EP_EDITTEXT, SurfaceEnabled() ? ETS_NORMAL : ETS_DISABLED, rect);
            } else if (transparent) {
                COLORREF border = 0;
                if (GetThemeColor(theme.Get(), EP_EDITTEXT, ETS_NORMAL, TMT_BORDERCOLOR, &border) == S_OK)
                    SetSurfaceForeColor(border);
                else
                    SetSurfaceForeColor(OleColours::ButtonShadow);
                PaintTransparentBackground();
                host::PenHandle pen(CreatePen(PS_SOLID, 1, host::TranslateColor(SurfaceForeColor())));
                host::SelectedObject selected(dc, pen.Get());
                Line(dc, w, 0, 0, 0);
                Line(dc, w, h - 1, 0, h - 1);
                Line(dc, 0, 0, 0, h);
                Line(dc, w - 1, 0, w - 1, h);
            }
            SetSurfaceForeColor(OleColours::ButtonText);
            return;
        }
        case BorderStyles::XpProgress: PaintThemedProgress(); return;
        case BorderStyles::XpTab: {
            const int tabH = static_cast<int>(RoundHalfEven(300 / TwipsPerPixelY()));
            const bool hasCaption = !p_.Caption.empty();
            const ThemedTabLayout layout = LayoutThemedTab(w, h, tabH, hasCaption, m);
            ThemeHandle theme(Handle(), host::WideText(classes.Tab).c_str());
            ThemeBackground(theme.Get(), dc, TABP_PANE, 1, layout.Pane);
            ThemeBackground(theme.Get(), dc, TABP_BODY, 1, layout.Body);
            if (!hasCaption) return;
            ThemeBackground(theme.Get(), dc, TABP_TOPTABITEM, TIS_SELECTED, layout.Tab);
            ThemeBackground(theme.Get(), dc, TABP_TOPTABITEMRIGHTEDGE, TIS_SELECTED, layout.Tab);
            ThemeBackground(theme.Get(), dc, TABP_TOPTABITEMLEFTEDGE, TIS_SELECTED, layout.Tab);
            ThemeText(theme.Get(), dc, TABP_TOPTABITEM, TIS_SELECTED, p_.Caption, DT_CENTER | DT_VCENTER,
                      layout.Caption);
            return;
        }
        default:  // None and unknown styles: the background only
            return;
    }
}

void XpGroupBox::PaintThemedProgress() {
    HDC dc = SurfaceDC();
    ThemeHandle theme(controlHandle_, host::WideText(GetThemeClasses().Progress).c_str());
    if (!theme) return;
    const ThemedProgressLayout layout = LayoutThemedProgress(PixelWidth(), PixelHeight(), p_.Percentage, IsVista);
    ThemeBackground(theme.Get(), dc, PP_BAR, 1, layout.Bar);
    if (layout.HasChunk)
        ThemeBackground(theme.Get(), dc, layout.Vertical ? PP_CHUNKVERT : PP_CHUNK, layout.Vertical ? 2 : 1,
                        layout.Chunk);
    if (!p_.ShowPercentage) {
        lblPercentage_->Show(false);
        return;
    }
    lblPercentage_->SetText(layout.LabelText);
    const SIZE text = TextSize(layout.LabelText);
    const LabelPlace place = PlacePercentageLabel(PixelWidth(), layout.InnerHeight, text.cx, TextSize("T").cy);
    lblPercentage_->Place(place.Left, place.Top);
    lblPercentage_->Show(true);
}

void XpGroupBox::DrawDesignOutline() {
    if (!site_.Form || !site_.Form->DesignMode()) return;
    RECT rect{0, 0, PixelWidth(), PixelHeight()};
    DrawFocusRect(SurfaceDC(), &rect);
}

}  // namespace tarvex::xp
